#include "programming/memmap/AuxDumpFile.h"

#include "platform/Cp1252.h"

namespace MemMap {
namespace {

QString Unquoted(QString line)
{
    if (line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    if (line.size() >= 2 && line.startsWith(QLatin1Char('"')) && line.endsWith(QLatin1Char('"')))
        return line.mid(1, line.size() - 2);
    return line;
}

} // namespace

QByteArray EncodeAuxDump(qint16 codificaModuli, const QStringList &entries)
{
    QByteArray bytes;
    auto line = [&bytes](const QString &item) { bytes += '"' + ToCp1252(item) + "\"\r\n"; };
    line(QString::number(codificaModuli));
    for (const QString &entry : entries)
        line(entry);
    return bytes;
}

std::optional<CAuxDump> DecodeAuxDump(const QByteArray &bytes, int entryCount)
{
    QStringList lines = FromCp1252(bytes).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.size() < entryCount + 1)
        return std::nullopt;
    bool ok = false;
    CAuxDump dump;
    dump.CodificaModuli = Unquoted(lines.first()).toShort(&ok);
    if (!ok)
        return std::nullopt;
    for (int i = 1; i <= entryCount; ++i)
        dump.Entries.append(Unquoted(lines.at(i)));
    return dump;
}

} // namespace MemMap
