#pragma once

#include "model/ConfigClass.h"

// The display: its mode (used on EKA 35), its basic colour (used on EKA 40) and the
// instrument's password. The model is context: it decides whether the mode is reported.
class CDisplay : public CConfigClass
{
public:
    CDisplay();

    // 0 "1999 = 3½ digit", 1 "9990 = 3 digit + fix 0".
    qint16 DisplayDigit() const { return m_DisplayDigit; }
    // 0 red, 1 amber, 2 green.
    qint16 DisplayColor() const { return m_DisplayColor; }
    qint16 Password() const { return m_Password; }
    void SetDisplayDigit(qint16 value) { m_DisplayDigit = value; }
    void SetDisplayColor(qint16 value) { m_DisplayColor = value; }
    void SetPassword(qint16 value) { m_Password = value; }

    // Context from CModInstr.
    qint16 ModelloStrumento() const { return m_ModelloStrumento; }
    void SetModelloStrumento(qint16 value) { m_ModelloStrumento = value; }

    void SetReport(CReportRecordset &report) const override;

protected:
    void VisitColumns(CColumnVisitor &visitor) override;
    void CopyFrom(const CConfigClass &source) override;

private:
    qint16 m_DisplayDigit = 0;
    qint16 m_DisplayColor = 2;
    qint16 m_Password = 0;
    qint16 m_ModelloStrumento = 0;
};
