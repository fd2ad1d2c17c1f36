#include "model/Linearize.h"

#include "common/Error.h"
#include "common/NumberFormat.h"
#include "common/ResString.h"

#include <QStringList>

namespace {

// "m_CoordinateIn00", "m_CoordinateOut00", ... "m_CoordinateOut15".
const QStringList &PointColumns()
{
    static const QStringList names = [] {
        QStringList list;
        for (int k = 0; k < CLinearize::kPoints; ++k) {
            const QString suffix = QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0'));
            list << QStringLiteral("m_CoordinateIn") + suffix << QStringLiteral("m_CoordinateOut") + suffix;
        }
        return list;
    }();
    return names;
}

} // namespace

CLinearize::CLinearize() : CConfigClass(QStringLiteral("CLinearize")) {}

int CLinearize::CheckedIndex(int index)
{
    if (index < 0 || index >= kPoints)
        RaiseRunTimeError(9);
    return index;
}

qint16 CLinearize::CoordinateIn(int index) const
{
    return m_CoordinateIn[CheckedIndex(index)];
}
qint16 CLinearize::CoordinateOut(int index) const
{
    return m_CoordinateOut[CheckedIndex(index)];
}
void CLinearize::SetCoordinateIn(int index, qint16 value)
{
    m_CoordinateIn[CheckedIndex(index)] = value;
}
void CLinearize::SetCoordinateOut(int index, qint16 value)
{
    m_CoordinateOut[CheckedIndex(index)] = value;
}

std::optional<ScaleRangeInfo> CLinearize::GetScaleRange() const
{
    return FindScaleRange(ModelloStrumento(), m_SlotA, m_ProbeSelect, m_Range);
}

void CLinearize::SetReport(CReportRecordset &report) const
{
    const std::optional<ScaleRangeInfo> range = GetScaleRange();
    report.AddRow(LoadResString(5470), FormatNumber(m_NumSpezzate, QStringLiteral("#0")));
    // A count read from an instrument may exceed the 16 points there are.
    const int shown = qBound(0, int(m_NumSpezzate), kPoints);
    for (int i = 0; i < shown; ++i) {
        const QVariantList number = {FormatNumber(i, QStringLiteral("#0")),
                                     FormatNumber(i, QStringLiteral("00"))};
        report.AddRow(LoadResStringArgs(5471, number), FormatElectric(m_CoordinateIn[i], range));
        report.AddRow(LoadResStringArgs(5472, number),
                      FormatMeasure(m_CoordinateOut[i], MeasureDigitalPoint()));
    }
}

void CLinearize::VisitColumns(CColumnVisitor &visitor)
{
    visitor.Column(QStringLiteral("m_NumSpezzate"), m_NumSpezzate);
    const QStringList &names = PointColumns();
    for (int k = 0; k < kPoints; ++k) {
        visitor.Column(names[2 * k], m_CoordinateIn[k]);
        visitor.Column(names[2 * k + 1], m_CoordinateOut[k]);
    }
}

void CLinearize::CopyFrom(const CConfigClass &source)
{
    const auto &from = static_cast<const CLinearize &>(source);
    SetNumSpezzate(from.NumSpezzate());
    for (int k = 0; k < kPoints; ++k) {
        SetCoordinateIn(k, from.CoordinateIn(k));
        SetCoordinateOut(k, from.CoordinateOut(k));
    }
    SetMinElectricScale(from.MinElectricScale());
    SetMaxElectricScale(from.MaxElectricScale());
    SetMeasureDigitalPoint(from.MeasureDigitalPoint());
    SetMinMeasureScale(from.MinMeasureScale());
    SetMaxMeasureScale(from.MaxMeasureScale());
    SetSlotA(from.SlotA());
    SetModelloStrumento(from.ModelloStrumento());
    SetDisplayDigit(from.DisplayDigit());
    SetProbeSelect(from.ProbeSelect());
    SetRange(from.Range());
}
