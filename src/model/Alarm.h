#pragma once

#include "model/ConfigClass.h"
#include "model/MeasureContext.h"

// One alarm set-point of the relay module. A configuration holds four, named "CAlarm1" to
// "CAlarm4" by whoever makes them (each name is its archive table); a fresh object is named
// "CAlarm" and so matches each of the four in GetData/SetData, which also copy the name.
// Limits, set-point and hysteresis are display counts; the measure context places their
// decimal point in the report.
class CAlarm : public CConfigClass, public CMeasureContext
{
public:
    CAlarm();

    // The measure scale falls: its maximum lies below its minimum.
    bool ScalaInvertita() const { return MaxMeasureScale() < MinMeasureScale(); }

    qint16 MinAlarmScale() const { return m_MinAlarmScale; }
    qint16 MaxAlarmScale() const { return m_MaxAlarmScale; }
    qint16 AlarmSetPoint() const { return m_AlarmSetPoint; }
    qint16 Isteresi() const { return m_Isteresi; }
    // Delays in seconds, 0-255.
    qint16 RitAttivazione() const { return m_RitAttivazione; }
    qint16 RitDisattivazione() const { return m_RitDisattivazione; }
    // 0 none, 1 down, 2 up, 3 down with inhibition at power-on, 4 up with latch, 5 down with latch.
    qint16 AlarmType() const { return m_AlarmType; }
    // 0 normally energized, 1 normally de-energized.
    qint16 RelayStatus() const { return m_RelayStatus; }
    // 0 red, 1 amber, 2 green, 3 none.
    qint16 AlarmColor() const { return m_AlarmColor; }
    void SetMinAlarmScale(qint16 value) { m_MinAlarmScale = value; }
    void SetMaxAlarmScale(qint16 value) { m_MaxAlarmScale = value; }
    void SetAlarmSetPoint(qint16 value) { m_AlarmSetPoint = value; }
    void SetIsteresi(qint16 value) { m_Isteresi = value; }
    void SetRitAttivazione(qint16 value) { m_RitAttivazione = value; }
    void SetRitDisattivazione(qint16 value) { m_RitDisattivazione = value; }
    void SetAlarmType(qint16 value) { m_AlarmType = value; }
    void SetRelayStatus(qint16 value) { m_RelayStatus = value; }
    void SetAlarmColor(qint16 value) { m_AlarmColor = value; }

    void SetReport(CReportRecordset &report) const override;

protected:
    void VisitColumns(CColumnVisitor &visitor) override;
    void CopyFrom(const CConfigClass &source) override;

private:
    qint16 m_MinAlarmScale = 0;
    qint16 m_MaxAlarmScale = 0;
    qint16 m_AlarmSetPoint = 0;
    qint16 m_Isteresi = 0;
    qint16 m_RitAttivazione = 0;
    qint16 m_RitDisattivazione = 0;
    qint16 m_AlarmType = 0;
    qint16 m_RelayStatus = 1;
    qint16 m_AlarmColor = 3;
};
