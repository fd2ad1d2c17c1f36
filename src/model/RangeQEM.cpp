#include "model/RangeQEM.h"

#include "common/NumberFormat.h"
#include "common/ResString.h"
#include "model/ModuleCodes.h"

CRangeQEM::CRangeQEM() : CConfigClass(QStringLiteral("CRangeQEM")) {}

void CRangeQEM::SetReport(CReportRecordset &report) const
{
    report.AddRow(LoadResString(5392), ChoiceText(5393, 3, m_ProbeSelect));
    switch (m_ProbeSelect) {
    case Probe::Thermocouple: {
        QString compensation = ChoiceText(5407, 2, m_CJC);
        if (m_CJC == 1)
            compensation += FormatNumber(m_TempCJC, QStringLiteral(" #0 °C"));
        report.AddRow(LoadResString(5406), compensation);
        report.AddRow(LoadResString(5417), ChoiceText(5418, 6, m_Range));
        break;
    }
    case Probe::RTD:
        report.AddRow(LoadResString(5409), ChoiceText(5410, 6, m_Range));
        break;
    case Probe::Resistance:
        report.AddRow(LoadResString(5397), ChoiceText(5398, 6, m_Range));
        break;
    }
    report.AddRow(LoadResString(5390), ChoiceText(5424, 3, m_DigitalInFunction));
}

void CRangeQEM::VisitColumns(CColumnVisitor &visitor)
{
    visitor.Column(QStringLiteral("m_ProbeSelect"), m_ProbeSelect);
    visitor.Column(QStringLiteral("m_CJC"), m_CJC);
    visitor.Column(QStringLiteral("m_TempCJC"), m_TempCJC);
    visitor.Column(QStringLiteral("m_Range"), m_Range);
    visitor.Column(QStringLiteral("m_DigitalInFunction"), m_DigitalInFunction);
}

void CRangeQEM::CopyFrom(const CConfigClass &source)
{
    const auto &from = static_cast<const CRangeQEM &>(source);
    SetProbeSelect(from.ProbeSelect());
    SetCJC(from.CJC());
    SetTempCJC(from.TempCJC());
    SetRange(from.Range());
    SetDigitalInFunction(from.DigitalInFunction());
}
