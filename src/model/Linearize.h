#pragma once

#include "model/ConfigClass.h"
#include "model/MeasureContext.h"
#include "model/ScaleTables.h"

#include <array>

// The input linearization: NumSpezzate points in use out of 16, each an input value in
// counts of the electrical range and an output value in display counts. All 16 points are
// kept and stored whatever NumSpezzate says. Context: the electrical scale and the measure
// context of CInOutScale, and slot A, probe and range to select the electrical range.
class CLinearize : public CConfigClass, public CMeasureContext
{
public:
    static constexpr int kPoints = 16;

    CLinearize();

    // The measure scale falls: its maximum lies below its minimum.
    bool ScalaInvertita() const { return MaxMeasureScale() < MinMeasureScale(); }

    qint16 NumSpezzate() const { return m_NumSpezzate; }
    void SetNumSpezzate(qint16 value) { m_NumSpezzate = value; }
    // index 0-15; any other index raises CError 9 (subscript out of range), nothing changes.
    qint16 CoordinateIn(int index) const;
    qint16 CoordinateOut(int index) const;
    void SetCoordinateIn(int index, qint16 value);
    void SetCoordinateOut(int index, qint16 value);

    // Context from CInOutScale, CModInstr, CRangeQEM and CRangeVABZOB.
    qint16 MinElectricScale() const { return m_MinElectricScale; }
    void SetMinElectricScale(qint16 value) { m_MinElectricScale = value; }
    qint16 MaxElectricScale() const { return m_MaxElectricScale; }
    void SetMaxElectricScale(qint16 value) { m_MaxElectricScale = value; }
    qint16 SlotA() const { return m_SlotA; }
    void SetSlotA(qint16 value) { m_SlotA = value; }
    qint16 ProbeSelect() const { return m_ProbeSelect; }
    void SetProbeSelect(qint16 value) { m_ProbeSelect = value; }
    qint16 Range() const { return m_Range; }
    void SetRange(qint16 value) { m_Range = value; }

    std::optional<ScaleRangeInfo> GetScaleRange() const;

    void SetReport(CReportRecordset &report) const override;

protected:
    void VisitColumns(CColumnVisitor &visitor) override;
    void CopyFrom(const CConfigClass &source) override;

private:
    static int CheckedIndex(int index);

    qint16 m_NumSpezzate = 2;
    std::array<qint16, kPoints> m_CoordinateIn{};
    std::array<qint16, kPoints> m_CoordinateOut{};
    qint16 m_MinElectricScale = 0;
    qint16 m_MaxElectricScale = 0;
    qint16 m_SlotA = 0;
    qint16 m_ProbeSelect = 0;
    qint16 m_Range = 0;
};
