#pragma once

#include "model/Configuration.h"
#include "model/Model_fixture.h"
#include "programming/memmap/ConfigurationSettings.h"

#include <QSqlQuery>
#include <QSqlRecord>

// A configuration in which every setting the images carry holds its own value, valid for
// both the image and the auxiliary texts: 2000-count model, Z8/Z9 relays, linearization on.
inline void FillDistinct(CConfiguration &configuration, MemMap::EFamily family)
{
    using MemMap::ESetting;
    CConfigurationSettings settings(configuration, family);
    const bool qem = family == MemMap::EFamily::QEM;
    configuration.ModInstr().SetNomeProgramma(QStringLiteral("Pressa – linea “2”"));
    configuration.ModInstr().SetModelloStrumento(2);
    configuration.ModInstr().SetSlotA(qem ? 3 : 2);
    configuration.ModInstr().SetSlotB(1);
    configuration.ModInstr().SetSlotC(3);
    const std::pair<ESetting, qint16> values[] = {
        {ESetting::Password, 4321},
        {ESetting::Range, 4},
        {ESetting::MeasureType, 1},
        {ESetting::ProbeSelect, 1},
        {ESetting::IntegrationTime, 1},
        {ESetting::IntTime, 1234},
        {ESetting::CJC, 1},
        {ESetting::DisplayDigit, 1},
        {ESetting::DisplayColor, 1},
        {ESetting::MinElectricScale, -150},
        {ESetting::MaxElectricScale, 1980},
        {ESetting::MeasureDigitalPoint, 3},
        {ESetting::MinMeasureScale, -999},
        {ESetting::MaxMeasureScale, 8765},
        {ESetting::Linearizzazione, 1},
        {ESetting::NumSpezzate, 16},
        {ESetting::Campo, 77},
        {ESetting::Coeff, 31},
        {ESetting::MinOut, 15},
        {ESetting::MaxOut, 985},
        {ESetting::TypeSignalOut, 1},
        {ESetting::NetworkAdd, 201},
        {ESetting::BaudRate, 2},
        {ESetting::DigitalInFunction, 2},
        {ESetting::TempCJC, 23},
    };
    for (const auto &[setting, value] : values)
        settings.SetValue(setting, 0, value);
    for (int k = 0; k < MemMap::kPointCount; ++k) {
        settings.SetValue(ESetting::CoordinateIn, k, qint16(k * 120 - 50));
        settings.SetValue(ESetting::CoordinateOut, k, qint16(k * 500 - 999));
    }
    for (int n = 1; n <= MemMap::kAlarmCount; ++n) {
        CAlarm &a = configuration.Alarm(n);
        a.SetMinAlarmScale(qint16(-10 * n));
        a.SetMaxAlarmScale(qint16(1000 * n));
        a.SetAlarmSetPoint(qint16(333 * n));
        a.SetIsteresi(qint16(n));
        a.SetRitAttivazione(qint16(10 + n));
        a.SetRitDisattivazione(qint16(20 + n));
        a.SetRelayStatus(0);
        a.SetAlarmType(qint16(n + 1));
        a.SetAlarmColor(qint16(n - 1));
    }
}

// A new archived configuration of the family, every setting distinct.
inline qint32 AddDistinct(MemMap::EFamily family)
{
    CConfiguration configuration;
    FillDistinct(configuration, family);
    const qint32 id = g_Connection->NewID();
    configuration.Add(id);
    return id;
}

// Every row of every configuration table, as text: equal snapshots, equal archives.
inline QString ArchiveSnapshot()
{
    QString text;
    for (const QString &table : CArchive::ConfigurationTables()) {
        QSqlQuery &query = g_Connection->Statement(QStringLiteral("SELECT * FROM ") + table +
                                                   QStringLiteral(" ORDER BY IDProgramma"));
        g_Connection->Run(query);
        while (query.next()) {
            text += table;
            for (int i = 0; i < query.record().count(); ++i)
                text += QLatin1Char('|') + query.value(i).toString();
            text += QLatin1Char('\n');
        }
        query.finish();
    }
    return text;
}

// Values of two configurations that the images carry, setting by setting, for the family.
inline QStringList CarriedValues(CConfiguration &configuration, MemMap::EFamily family)
{
    CConfigurationSettings settings(configuration, family);
    QStringList values;
    for (const MemMap::CImageWord &w : MemMap::ImageLayout(family)) {
        values.append(QStringLiteral("%1=%2").arg(w.Index).arg(settings.Value(w.Setting, w.Item)));
        if (w.Setting == MemMap::ESetting::IntegrationTime)
            values.append(QStringLiteral("IntTime=%1").arg(settings.Value(MemMap::ESetting::IntTime, 0)));
    }
    return values;
}
