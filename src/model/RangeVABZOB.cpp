#include "model/RangeVABZOB.h"

#include "common/NumberFormat.h"
#include "common/ResString.h"
#include "model/ModuleCodes.h"

CRangeVABZOB::CRangeVABZOB() : CConfigClass(QStringLiteral("CRangeVABZOB")) {}

void CRangeVABZOB::SetReport(CReportRecordset &report) const
{
    report.AddRow(LoadResString(5434), ChoiceText(5436, 2, m_MeasureType));
    QString integration = ChoiceText(5439, 2, m_IntegrationTime);
    if (m_IntegrationTime == 1)
        integration += FormatNumber(m_IntTime * 0.1, QStringLiteral(" ##0.0 ms"));
    report.AddRow(LoadResString(5438), integration);
    if (m_SlotA == SlotAModule::ZOB)
        report.AddRow(LoadResString(5441), ChoiceText(5444, 6, m_Range));
    else
        report.AddRow(LoadResString(5450), ChoiceText(5451, 6, m_Range));
    report.AddRow(LoadResString(5430), ChoiceText(5431, 3, m_DigitalInFunction));
}

void CRangeVABZOB::VisitColumns(CColumnVisitor &visitor)
{
    visitor.Column(QStringLiteral("m_Range"), m_Range);
    visitor.Column(QStringLiteral("m_MeasureType"), m_MeasureType);
    visitor.Column(QStringLiteral("m_IntegrationTime"), m_IntegrationTime);
    visitor.Column(QStringLiteral("m_IntTime"), m_IntTime);
    visitor.Column(QStringLiteral("m_DigitalInFunction"), m_DigitalInFunction);
}

void CRangeVABZOB::CopyFrom(const CConfigClass &source)
{
    const auto &from = static_cast<const CRangeVABZOB &>(source);
    SetRange(from.Range());
    SetMeasureType(from.MeasureType());
    SetIntegrationTime(from.IntegrationTime());
    SetIntTime(from.IntTime());
    SetDigitalInFunction(from.DigitalInFunction());
    SetSlotA(from.SlotA());
}
