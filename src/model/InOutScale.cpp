#include "model/InOutScale.h"

#include "common/ResString.h"

CInOutScale::CInOutScale() : CConfigClass(QStringLiteral("CInOutScale")) {}

std::optional<ScaleRangeInfo> CInOutScale::GetScaleRange() const
{
    return FindScaleRange(m_ModelloStrumento, m_SlotA, m_ProbeSelect, m_Range);
}

void CInOutScale::SetReport(CReportRecordset &report) const
{
    const std::optional<ScaleRangeInfo> range = GetScaleRange();
    report.AddRow(LoadResString(5480));
    report.AddRow(LoadResString(5482), FormatElectric(m_MinElectricScale, range));
    report.AddRow(LoadResString(5481), FormatElectric(m_MaxElectricScale, range));
    report.AddRow(LoadResString(5483));
    report.AddRow(LoadResString(5484), IsDecimalPoint(m_MeasureDigitalPoint)
                                           ? g_DecPointSample[m_MeasureDigitalPoint]
                                           : QString::number(m_MeasureDigitalPoint));
    report.AddRow(LoadResString(5486), FormatMeasure(m_MinMeasureScale, m_MeasureDigitalPoint));
    report.AddRow(LoadResString(5485), FormatMeasure(m_MaxMeasureScale, m_MeasureDigitalPoint));
    if (LinearizationAvailable())
        report.AddRow(LoadResString(5487), ChoiceText(5488, 2, m_Linearizzazione));
}

void CInOutScale::VisitColumns(CColumnVisitor &visitor)
{
    visitor.Column(QStringLiteral("m_MinElectricScale"), m_MinElectricScale);
    visitor.Column(QStringLiteral("m_MaxElectricScale"), m_MaxElectricScale);
    visitor.Column(QStringLiteral("m_MeasureDigitalPoint"), m_MeasureDigitalPoint);
    visitor.Column(QStringLiteral("m_MinMeasureScale"), m_MinMeasureScale);
    visitor.Column(QStringLiteral("m_MaxMeasureScale"), m_MaxMeasureScale);
    visitor.Column(QStringLiteral("m_Linearizzazione"), m_Linearizzazione);
}

void CInOutScale::CopyFrom(const CConfigClass &source)
{
    const auto &from = static_cast<const CInOutScale &>(source);
    SetMinElectricScale(from.MinElectricScale());
    SetMaxElectricScale(from.MaxElectricScale());
    SetMeasureDigitalPoint(from.MeasureDigitalPoint());
    SetMinMeasureScale(from.MinMeasureScale());
    SetMaxMeasureScale(from.MaxMeasureScale());
    SetLinearizzazione(from.Linearizzazione());
    SetSlotA(from.SlotA());
    SetModelloStrumento(from.ModelloStrumento());
    SetMeasureType(from.MeasureType());
    SetDisplayDigit(from.DisplayDigit());
    SetProbeSelect(from.ProbeSelect());
    SetRange(from.Range());
}
