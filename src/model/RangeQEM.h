#pragma once

#include "model/ConfigClass.h"

// The input of a QEM temperature module in slot A: probe, cold-junction compensation, range
// of the probe's table and the function of the external digital input.
class CRangeQEM : public CConfigClass
{
public:
    CRangeQEM();

    // 0 thermocouple, 1 RTD, 2 resistance.
    qint16 ProbeSelect() const { return m_ProbeSelect; }
    // 0 automatic, 1 manual (thermocouple only).
    qint16 CJC() const { return m_CJC; }
    // Manual cold-junction temperature, whole degrees Celsius.
    qint16 TempCJC() const { return m_TempCJC; }
    // 0-5, row of the probe's scale table.
    qint16 Range() const { return m_Range; }
    // 0 display hold, 1 keypad lock, 2 alarm reset with latch.
    qint16 DigitalInFunction() const { return m_DigitalInFunction; }
    void SetProbeSelect(qint16 value) { m_ProbeSelect = value; }
    void SetCJC(qint16 value) { m_CJC = value; }
    void SetTempCJC(qint16 value) { m_TempCJC = value; }
    void SetRange(qint16 value) { m_Range = value; }
    void SetDigitalInFunction(qint16 value) { m_DigitalInFunction = value; }

    void SetReport(CReportRecordset &report) const override;

protected:
    void VisitColumns(CColumnVisitor &visitor) override;
    void CopyFrom(const CConfigClass &source) override;

private:
    qint16 m_ProbeSelect = 0;
    qint16 m_CJC = 0;
    qint16 m_TempCJC = 0;
    qint16 m_Range = 0;
    qint16 m_DigitalInFunction = 0;
};
