#include "model/Display.h"

#include "common/NumberFormat.h"
#include "common/ResString.h"
#include "model/ModuleCodes.h"

CDisplay::CDisplay() : CConfigClass(QStringLiteral("CDisplay")) {}

void CDisplay::SetReport(CReportRecordset &report) const
{
    if (m_ModelloStrumento == Modello::EKA35)
        report.AddRow(LoadResString(5511), ChoiceText(5512, 2, m_DisplayDigit));
    report.AddRow(LoadResString(5514), ChoiceText(5515, 3, m_DisplayColor));
    report.AddRow(LoadResString(5510), FormatNumber(m_Password, QStringLiteral("###0")));
}

void CDisplay::VisitColumns(CColumnVisitor &visitor)
{
    visitor.Column(QStringLiteral("m_DisplayDigit"), m_DisplayDigit);
    visitor.Column(QStringLiteral("m_DisplayColor"), m_DisplayColor);
    visitor.Column(QStringLiteral("m_Password"), m_Password);
}

void CDisplay::CopyFrom(const CConfigClass &source)
{
    const auto &from = static_cast<const CDisplay &>(source);
    SetDisplayDigit(from.DisplayDigit());
    SetDisplayColor(from.DisplayColor());
    SetPassword(from.Password());
    SetModelloStrumento(from.ModelloStrumento());
}
