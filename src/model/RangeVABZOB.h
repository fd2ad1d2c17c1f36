#pragma once

#include "model/ConfigClass.h"

// The input of a signal module in slot A (VAB, VAK/VAM or ZOB): range, measuring mode,
// integration time and the function of the external digital input. SlotA is context: it
// picks the VAB or the ZOB range texts.
class CRangeVABZOB : public CConfigClass
{
public:
    CRangeVABZOB();

    // 0-5, row of the VAB or ZOB scale table.
    qint16 Range() const { return m_Range; }
    // 0 TRMS, 1 DC.
    qint16 MeasureType() const { return m_MeasureType; }
    // 0 automatic, 1 manual.
    qint16 IntegrationTime() const { return m_IntegrationTime; }
    // Manual integration time in tenths of a millisecond.
    qint16 IntTime() const { return m_IntTime; }
    // 0 display hold, 1 keypad lock, 2 alarm with latch reset.
    qint16 DigitalInFunction() const { return m_DigitalInFunction; }
    void SetRange(qint16 value) { m_Range = value; }
    void SetMeasureType(qint16 value) { m_MeasureType = value; }
    void SetIntegrationTime(qint16 value) { m_IntegrationTime = value; }
    void SetIntTime(qint16 value) { m_IntTime = value; }
    void SetDigitalInFunction(qint16 value) { m_DigitalInFunction = value; }

    // Context from CModInstr.
    qint16 SlotA() const { return m_SlotA; }
    void SetSlotA(qint16 value) { m_SlotA = value; }

    void SetReport(CReportRecordset &report) const override;

protected:
    void VisitColumns(CColumnVisitor &visitor) override;
    void CopyFrom(const CConfigClass &source) override;

private:
    qint16 m_Range = 0;
    qint16 m_MeasureType = 0;
    qint16 m_IntegrationTime = 0;
    qint16 m_IntTime = 1000;
    qint16 m_DigitalInFunction = 0;
    qint16 m_SlotA = 0;
};
