#pragma once

#include "programming/memmap/MemMapLayout.h"

#include <QStringList>

// The dump of an image into the trace log, one register a line:
//   HexWord(999) -> "3E7"    HexWord(-1) -> "FFFF"    HexWord(0) -> "0"
//   MemoryMapDumpLines(...)    -> "Instrument map memory dump:", "Codifica moduli=CE1F",
//                                 "Add E000=3E7", ..., (QEM) "Add E06C=17"
//   MemoryMapAuxDumpLines(...) -> the same, the entry's text in place of the word: "Add E001=r3"
namespace MemMap {

QString HexWord(qint16 value);
QStringList MemoryMapDumpLines(EFamily family, qint16 codificaModuli, const QList<qint16> &words);
QStringList MemoryMapAuxDumpLines(EFamily family, qint16 codificaModuli, const QStringList &entries);
void TraceLines(const QStringList &lines);

} // namespace MemMap
