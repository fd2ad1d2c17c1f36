#pragma once

#include "programming/memmap/SettingStore.h"

#include <QStringList>

#include <optional>

// Configuration to auxiliary image and back: entry i is the display text of word i's setting,
// as the instrument's menu shows it, or "NoSend" where the instrument must not receive it.
//   Range 2 -> "r3"     DisplayColor 2 -> "GrEn"     IntegrationTime 0 -> "99.9"
//   MinMeasureScale -150 with decimal point 2 -> "-1.50"  (always ".", whatever the locale)
// Linearization entries go only with linearization on and only for the points in use; alarm
// blocks only for the alarms of the relay module in slot C (Z3 one, Z5 two, Z8/Z9 four).
// A value without a text raises CError, and so does a text that is no value of its setting.
namespace MemMap {

struct CScaleStep
{
    double Step;
    QString Format;
};

struct CAuxContext
{
    // The record of the configuration's electrical range; none when its range or probe lies
    // outside the scale tables.
    std::optional<CScaleStep> Electrical;
    // Factor and format of a display count, and the sample text, by decimal point 0 to 3.
    QList<CScaleStep> DecimalPoints;
    QStringList DecPointSamples;
};

QStringList BuildAuxImage(const ISettingStore &store, EFamily family, const CAuxContext &context);

// Reads every entry the family carries (VAB/ZOB 0-88, QEM 0-10 and 45-89) into the store, in
// index order, whatever was sent: a "NoSend" where a number belongs is an error like any other.
// The caller strips the instrument's "!" marks first (StripAuxMark).
void ApplyAuxImage(const QStringList &entries, EFamily family, const CAuxContext &context,
                   ISettingStore &store);

} // namespace MemMap
