#pragma once

#include "model/ConfigClass.h"
#include "model/MeasureContext.h"

// The digital filter of the measured value: its operating range in display counts and its
// coefficient. The measure context places the decimal point of the range.
class CFiltroDigitale : public CConfigClass, public CMeasureContext
{
public:
    CFiltroDigitale();

    qint16 Campo() const { return m_Campo; }
    qint16 Coeff() const { return m_Coeff; }
    void SetCampo(qint16 value) { m_Campo = value; }
    void SetCoeff(qint16 value) { m_Coeff = value; }

    void SetReport(CReportRecordset &report) const override;

protected:
    void VisitColumns(CColumnVisitor &visitor) override;
    void CopyFrom(const CConfigClass &source) override;

private:
    qint16 m_Campo = 0;
    qint16 m_Coeff = 0;
};
