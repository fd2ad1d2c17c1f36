#include "programming/memmap/ImageConversion.h"

#include <iterator>

namespace MemMap {

QList<qint16> BuildImage(const ISettingStore &store, EFamily family, const QList<qint16> &base)
{
    QList<qint16> words = base.size() == WordCount(family) ? base : QList<qint16>(WordCount(family), 0);
    for (const CImageWord &w : ImageLayout(family)) {
        if (w.Setting == ESetting::IntegrationTime)
            words[w.Index] = EncodeIntegrationTime(store.Value(ESetting::IntegrationTime, 0),
                                                   store.Value(ESetting::IntTime, 0));
        else
            words[w.Index] = store.Value(w.Setting, w.Item);
    }
    return words;
}

void ApplyImage(const QList<qint16> &words, EFamily family, ISettingStore &store)
{
    Q_ASSERT(words.size() == WordCount(family));
    for (const CImageWord &w : ImageLayout(family)) {
        if (w.Setting == ESetting::IntegrationTime) {
            const CIntegrationTime time = DecodeIntegrationTime(words.at(w.Index));
            store.SetValue(ESetting::IntegrationTime, 0, time.IntegrationTime);
            store.SetValue(ESetting::IntTime, 0, time.IntTime);
        } else {
            store.SetValue(w.Setting, w.Item, words.at(w.Index));
        }
    }
}

std::optional<CBounds> SettingBounds(ESetting setting)
{
    switch (setting) {
    case ESetting::Range:
        return CBounds{0, 5};
    case ESetting::ProbeSelect:
    case ESetting::DisplayColor:
    case ESetting::DigitalInFunction:
        return CBounds{0, 2};
    case ESetting::MeasureDigitalPoint:
    case ESetting::AlarmColor:
    case ESetting::BaudRate:
        return CBounds{0, 3};
    case ESetting::AlarmType:
        return CBounds{0, 5};
    case ESetting::MeasureType:
    case ESetting::CJC:
    case ESetting::DisplayDigit:
    case ESetting::Linearizzazione:
    case ESetting::RelayStatus:
    case ESetting::TypeSignalOut:
        return CBounds{0, 1};
    case ESetting::NumSpezzate:
        return CBounds{0, kPointCount}; // 0 and 1 are counts an instrument may hold
    case ESetting::NetworkAdd:
        return CBounds{1, 255};
    default:
        return std::nullopt;
    }
}

QString SettingName(ESetting setting)
{
    static const char *const names[] = {
        "Password",
        "Range",
        "MeasureType",
        "ProbeSelect",
        "IntegrationTime",
        "IntTime",
        "CJC",
        "DisplayDigit",
        "DisplayColor",
        "MinElectricScale",
        "MaxElectricScale",
        "MeasureDigitalPoint",
        "MinMeasureScale",
        "MaxMeasureScale",
        "Linearizzazione",
        "NumSpezzate",
        "CoordinateIn",
        "CoordinateOut",
        "MinAlarmScale",
        "MaxAlarmScale",
        "AlarmSetPoint",
        "Isteresi",
        "RitDisattivazione",
        "RitAttivazione",
        "RelayStatus",
        "AlarmType",
        "AlarmColor",
        "Campo",
        "Coeff",
        "MinOut",
        "MaxOut",
        "TypeSignalOut",
        "NetworkAdd",
        "BaudRate",
        "DigitalInFunction",
        "TempCJC",
        "SlotC",
    };
    static_assert(std::size(names) == size_t(ESetting::SlotC) + 1);
    return QString::fromLatin1(names[int(setting)]);
}

std::optional<QString> ImageFault(const QList<qint16> &words, EFamily family)
{
    for (const CImageWord &w : ImageLayout(family)) {
        const std::optional<CBounds> bounds = SettingBounds(w.Setting);
        const qint16 value = words.value(w.Index);
        if (bounds && (value < bounds->Min || value > bounds->Max))
            return SettingName(w.Setting) + QLatin1Char('=') + QString::number(value);
    }
    return std::nullopt;
}

} // namespace MemMap
