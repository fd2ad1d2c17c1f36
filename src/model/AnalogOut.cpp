#include "model/AnalogOut.h"

#include "common/NumberFormat.h"
#include "common/ResString.h"

namespace {

QString Percent(qint16 tenths)
{
    return FormatNumber(tenths * 0.1, QStringLiteral("##0.0")) + QStringLiteral(" %");
}

} // namespace

CAnalogOut::CAnalogOut() : CConfigClass(QStringLiteral("CAnalogOut")) {}

void CAnalogOut::SetReport(CReportRecordset &report) const
{
    report.AddRow(LoadResString(5520));
    report.AddRow(LoadResString(5522), Percent(m_MinOut));
    report.AddRow(LoadResString(5521), Percent(m_MaxOut));
    report.AddRow(LoadResString(5523), ChoiceText(5524, 2, m_TypeSignalOut));
}

void CAnalogOut::VisitColumns(CColumnVisitor &visitor)
{
    visitor.Column(QStringLiteral("m_MaxOut"), m_MaxOut);
    visitor.Column(QStringLiteral("m_MinOut"), m_MinOut);
    visitor.Column(QStringLiteral("m_TypeSignalOut"), m_TypeSignalOut);
}

void CAnalogOut::CopyFrom(const CConfigClass &source)
{
    const auto &from = static_cast<const CAnalogOut &>(source);
    SetMaxOut(from.MaxOut());
    SetMinOut(from.MinOut());
    SetTypeSignalOut(from.TypeSignalOut());
}
