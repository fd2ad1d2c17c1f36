#pragma once

#include "model/ConfigClass.h"

// The analogue output module KQ: the output at both ends of the interval, in tenths of a
// percent of the signal's span, and the signal type.
class CAnalogOut : public CConfigClass
{
public:
    CAnalogOut();

    // "Hi.A", tenths of a percent.
    qint16 MaxOut() const { return m_MaxOut; }
    // "Lo.A", tenths of a percent.
    qint16 MinOut() const { return m_MinOut; }
    // 0 voltage 0-10 V, 1 current 0-20 mA.
    qint16 TypeSignalOut() const { return m_TypeSignalOut; }
    void SetMaxOut(qint16 value) { m_MaxOut = value; }
    void SetMinOut(qint16 value) { m_MinOut = value; }
    void SetTypeSignalOut(qint16 value) { m_TypeSignalOut = value; }

    void SetReport(CReportRecordset &report) const override;

protected:
    void VisitColumns(CColumnVisitor &visitor) override;
    void CopyFrom(const CConfigClass &source) override;

private:
    qint16 m_MaxOut = 0;
    qint16 m_MinOut = 0;
    qint16 m_TypeSignalOut = 0;
};
