#pragma once

#include "model/ConfigClass.h"
#include "model/ModuleCodes.h"
#include "model/ScaleTables.h"

// How the instrument maps its electrical input onto the displayed value: the electrical
// scale in counts of the selected range, the decimal point and limits of the measure scale,
// and the linearization switch. The context (model, slot A, measure type, display mode,
// probe, range) selects the electrical range; the caller copies it in before a report.
class CInOutScale : public CConfigClass
{
public:
    CInOutScale();

    qint16 MinElectricScale() const { return m_MinElectricScale; }
    qint16 MaxElectricScale() const { return m_MaxElectricScale; }
    // 0-3, index of the decimal-point tables.
    qint16 MeasureDigitalPoint() const { return m_MeasureDigitalPoint; }
    qint16 MinMeasureScale() const { return m_MinMeasureScale; }
    qint16 MaxMeasureScale() const { return m_MaxMeasureScale; }
    // 0 off, 1 on.
    qint16 Linearizzazione() const { return m_Linearizzazione; }
    void SetMinElectricScale(qint16 value) { m_MinElectricScale = value; }
    void SetMaxElectricScale(qint16 value) { m_MaxElectricScale = value; }
    void SetMeasureDigitalPoint(qint16 value) { m_MeasureDigitalPoint = value; }
    void SetMinMeasureScale(qint16 value) { m_MinMeasureScale = value; }
    void SetMaxMeasureScale(qint16 value) { m_MaxMeasureScale = value; }
    void SetLinearizzazione(qint16 value) { m_Linearizzazione = value; }

    // Context.
    qint16 SlotA() const { return m_SlotA; }
    void SetSlotA(qint16 value) { m_SlotA = value; }
    qint16 ModelloStrumento() const { return m_ModelloStrumento; }
    void SetModelloStrumento(qint16 value) { m_ModelloStrumento = value; }
    qint16 MeasureType() const { return m_MeasureType; }
    void SetMeasureType(qint16 value) { m_MeasureType = value; }
    qint16 DisplayDigit() const { return m_DisplayDigit; }
    void SetDisplayDigit(qint16 value) { m_DisplayDigit = value; }
    qint16 ProbeSelect() const { return m_ProbeSelect; }
    void SetProbeSelect(qint16 value) { m_ProbeSelect = value; }
    qint16 Range() const { return m_Range; }
    void SetRange(qint16 value) { m_Range = value; }

    // The electrical range of the context; none for values that select no table row.
    std::optional<ScaleRangeInfo> GetScaleRange() const;
    // Linearization exists only off the QEM module and off model EKA 35.
    bool LinearizationAvailable() const
    {
        return m_SlotA != SlotAModule::QEM && m_ModelloStrumento != Modello::EKA35;
    }

    void SetReport(CReportRecordset &report) const override;

protected:
    void VisitColumns(CColumnVisitor &visitor) override;
    void CopyFrom(const CConfigClass &source) override;

private:
    qint16 m_MinElectricScale = 0;
    qint16 m_MaxElectricScale = 0;
    qint16 m_MeasureDigitalPoint = 0;
    qint16 m_MinMeasureScale = 0;
    qint16 m_MaxMeasureScale = 0;
    qint16 m_Linearizzazione = 0;
    qint16 m_SlotA = 0;
    qint16 m_ModelloStrumento = 0;
    qint16 m_MeasureType = 0;
    qint16 m_DisplayDigit = 0;
    qint16 m_ProbeSelect = 0;
    qint16 m_Range = 0;
};
