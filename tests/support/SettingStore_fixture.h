#pragma once

#include "programming/memmap/SettingStore.h"

#include <QHash>
#include <QPair>

// A configuration reduced to its settings, so the conversions can be checked without an archive.
class CMapSettingStore : public ISettingStore
{
public:
    qint16 Value(MemMap::ESetting setting, int item) const override
    {
        return m_Values.value({int(setting), item}, 0);
    }
    void SetValue(MemMap::ESetting setting, int item, qint16 value) override
    {
        m_Values.insert({int(setting), item}, value);
    }

private:
    QHash<QPair<int, int>, qint16> m_Values;
};

// Every setting the images carry holds its own value, valid for both the image and the
// auxiliary texts: Z8/Z9 relays (all four alarms sent), linearization on with 16 points.
inline void FillDistinct(ISettingStore &store)
{
    using enum MemMap::ESetting;
    // clang-format off
    const std::pair<MemMap::ESetting, qint16> values[] = {
        {Password, 4321}, {Range, 4}, {MeasureType, 1}, {ProbeSelect, 1}, {IntegrationTime, 1}, {IntTime, 1234},
        {CJC, 1}, {DisplayDigit, 1}, {DisplayColor, 1}, {MinElectricScale, -150}, {MaxElectricScale, 1980},
        {MeasureDigitalPoint, 3}, {MinMeasureScale, -999}, {MaxMeasureScale, 8765}, {Linearizzazione, 1},
        {NumSpezzate, 16}, {Campo, 77}, {Coeff, 31}, {MinOut, 15}, {MaxOut, 985}, {TypeSignalOut, 1},
        {NetworkAdd, 201}, {BaudRate, 2}, {DigitalInFunction, 2}, {TempCJC, 23}, {SlotC, 3}};
    // clang-format on
    for (const auto &[setting, value] : values)
        store.SetValue(setting, 0, value);
    for (int k = 0; k < MemMap::kPointCount; ++k) {
        store.SetValue(CoordinateIn, k, qint16(k * 120 - 50));
        store.SetValue(CoordinateOut, k, qint16(k * 500 - 999));
    }
    for (int n = 1; n <= MemMap::kAlarmCount; ++n) {
        const std::pair<MemMap::ESetting, int> alarm[] = {
            {MinAlarmScale, -10 * n}, {MaxAlarmScale, 1000 * n},
            {AlarmSetPoint, 333 * n}, {Isteresi, n},
            {RitAttivazione, 10 + n}, {RitDisattivazione, 20 + n},
            {RelayStatus, 0},         {AlarmType, n + 1},
            {AlarmColor, n - 1}};
        for (const auto &[setting, value] : alarm)
            store.SetValue(setting, n, qint16(value));
    }
}
