#include "model/FiltroDigitale.h"

#include "common/NumberFormat.h"
#include "common/ResString.h"
#include "model/ScaleTables.h"

CFiltroDigitale::CFiltroDigitale() : CConfigClass(QStringLiteral("CFiltroDigitale")) {}

void CFiltroDigitale::SetReport(CReportRecordset &report) const
{
    report.AddRow(LoadResString(5501), FormatMeasure(m_Campo, MeasureDigitalPoint()));
    report.AddRow(LoadResString(5502), FormatNumber(m_Coeff, QStringLiteral("#0")));
}

void CFiltroDigitale::VisitColumns(CColumnVisitor &visitor)
{
    visitor.Column(QStringLiteral("m_Campo"), m_Campo);
    visitor.Column(QStringLiteral("m_Coeff"), m_Coeff);
}

void CFiltroDigitale::CopyFrom(const CConfigClass &source)
{
    const auto &from = static_cast<const CFiltroDigitale &>(source);
    SetCampo(from.Campo());
    SetCoeff(from.Coeff());
    CopyMeasureContext(from);
}
