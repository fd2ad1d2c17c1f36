#include "model/Alarm.h"

#include "common/NumberFormat.h"
#include "common/ResString.h"
#include "model/ModuleCodes.h"
#include "model/ScaleTables.h"

namespace {

QString Seconds(qint16 value)
{
    return FormatNumber(value, QStringLiteral("##0")) + QStringLiteral(" s.");
}

} // namespace

CAlarm::CAlarm() : CConfigClass(QStringLiteral("CAlarm")) {}

void CAlarm::SetReport(CReportRecordset &report) const
{
    const qint16 point = MeasureDigitalPoint();
    report.AddRow(LoadResStringArgs(5563, {ClassName().right(1)}));
    report.AddRow(LoadResString(5546), FormatMeasure(m_MinAlarmScale, point));
    report.AddRow(LoadResString(5547), FormatMeasure(m_MaxAlarmScale, point));
    report.AddRow(LoadResString(5544), FormatMeasure(m_AlarmSetPoint, point));
    report.AddRow(LoadResString(5543), FormatMeasure(m_Isteresi, point));
    report.AddRow(LoadResString(5541), Seconds(m_RitAttivazione));
    report.AddRow(LoadResString(5542), Seconds(m_RitDisattivazione));
    report.AddRow(LoadResString(5556), ChoiceText(5557, 6, m_AlarmType));
    report.AddRow(LoadResString(5553), ChoiceText(5554, 2, m_RelayStatus));
    if (ModelloStrumento() != Modello::IXO)
        report.AddRow(LoadResString(5548), ChoiceText(5549, 4, m_AlarmColor));
}

void CAlarm::VisitColumns(CColumnVisitor &visitor)
{
    visitor.Column(QStringLiteral("m_MinAlarmScale"), m_MinAlarmScale);
    visitor.Column(QStringLiteral("m_MaxAlarmScale"), m_MaxAlarmScale);
    visitor.Column(QStringLiteral("m_AlarmSetPoint"), m_AlarmSetPoint);
    visitor.Column(QStringLiteral("m_Isteresi"), m_Isteresi);
    visitor.Column(QStringLiteral("m_RitAttivazione"), m_RitAttivazione);
    visitor.Column(QStringLiteral("m_RitDisattivazione"), m_RitDisattivazione);
    visitor.Column(QStringLiteral("m_AlarmType"), m_AlarmType);
    visitor.Column(QStringLiteral("m_RelayStatus"), m_RelayStatus);
    visitor.Column(QStringLiteral("m_AlarmColor"), m_AlarmColor);
}

void CAlarm::CopyFrom(const CConfigClass &source)
{
    const auto &from = static_cast<const CAlarm &>(source);
    SetClassName(from.ClassName());
    SetMinAlarmScale(from.MinAlarmScale());
    SetMaxAlarmScale(from.MaxAlarmScale());
    SetAlarmSetPoint(from.AlarmSetPoint());
    SetIsteresi(from.Isteresi());
    SetRitAttivazione(from.RitAttivazione());
    SetRitDisattivazione(from.RitDisattivazione());
    SetAlarmType(from.AlarmType());
    SetRelayStatus(from.RelayStatus());
    SetAlarmColor(from.AlarmColor());
    CopyMeasureContext(from);
}
