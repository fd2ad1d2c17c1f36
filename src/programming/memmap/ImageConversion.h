#pragma once

#include "programming/memmap/SettingStore.h"
#include "programming/memmap/SettingTable.h"

#include <QList>
#include <QString>

#include <optional>

// Configuration to memory image and back, word by word as the setting table places them. Every
// word holds the property's raw value; only the VAB/ZOB integration time is coded.
//   BuildImage(store, VABZOB)   -> 89 words, all 16 points and all four alarms whatever is in use
//   ApplyImage(words, QEM, s)   -> sets words 0-10 and 45-89; linearization stays as it was
namespace MemMap {

// Words the family does not convert (QEM 11 to 44) are taken from `base` when given, else 0.
QList<qint16> BuildImage(const ISettingStore &store, EFamily family, const QList<qint16> &base = {});
void ApplyImage(const QList<qint16> &words, EFamily family, ISettingStore &store);

// The first word of an image whose value lies outside its setting's import bounds, as
// "<setting>=<value>" for the trace; no value when every word fits.
std::optional<QString> ImageFault(const QList<qint16> &words, EFamily family);

} // namespace MemMap
