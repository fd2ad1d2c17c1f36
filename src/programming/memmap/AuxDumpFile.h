#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The text dump of an auxiliary image ("MemoryMapAux.mem", "MemoryUserAux.mem"): one quoted
// item a line, CR LF: first the module code in signed decimal, then every entry as it stands.
//   "-13297"
//   "0007"
//   "r3"
//   "NoSend"
namespace MemMap {

QByteArray EncodeAuxDump(qint16 codificaModuli, const QStringList &entries);

struct CAuxDump
{
    qint16 CodificaModuli = 0;
    QStringList Entries;
};
// No value when the text lacks the code line or holds fewer than entryCount entries.
std::optional<CAuxDump> DecodeAuxDump(const QByteArray &bytes, int entryCount);

} // namespace MemMap
