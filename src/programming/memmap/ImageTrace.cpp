#include "programming/memmap/ImageTrace.h"

#include "common/TraceCode.h"

namespace MemMap {
namespace {

QStringList DumpLines(EFamily family, qint16 codificaModuli, const QStringList &texts)
{
    QStringList lines{QStringLiteral("Instrument map memory dump:"),
                      QStringLiteral("Codifica moduli=") + HexWord(codificaModuli)};
    for (int i = 0; i < texts.size(); ++i)
        lines.append(QStringLiteral("Add ") + HexWord(qint16(RegisterOfWord(family, i))) + QLatin1Char('=') +
                     texts.at(i));
    return lines;
}

} // namespace

QString HexWord(qint16 value)
{
    return QString::number(quint16(value), 16).toUpper();
}

QStringList MemoryMapDumpLines(EFamily family, qint16 codificaModuli, const QList<qint16> &words)
{
    QStringList texts;
    for (qint16 word : words)
        texts.append(HexWord(word));
    return DumpLines(family, codificaModuli, texts);
}

QStringList MemoryMapAuxDumpLines(EFamily family, qint16 codificaModuli, const QStringList &entries)
{
    return DumpLines(family, codificaModuli, entries);
}

void TraceLines(const QStringList &lines)
{
    for (const QString &line : lines)
        g_Trace->BugMessage(line);
}

} // namespace MemMap
