#pragma once

#include "programming/memmap/MemMapLayout.h"

#include <QString>

// The auxiliary interface's command for each image entry, from the string table: entry i is
// string 1500 + i (VAB/ZOB) or 1600 + i (QEM), a menu path ending in "=|1".
//   AuxCommand(VABZOB, 1, "r3") -> "inP>rAnG=r3"      AuxKey(QEM, 3) -> "CJC>CJC="
namespace MemMap {

int AuxTemplateId(EFamily family, int index);
QString AuxCommand(EFamily family, int index, const QString &text);
// The text the instrument's listing shows before the value: the template without "|1".
QString AuxKey(EFamily family, int index);

} // namespace MemMap
