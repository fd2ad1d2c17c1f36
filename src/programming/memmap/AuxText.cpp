#include "programming/memmap/AuxText.h"

#include "common/NumberFormat.h"

#include <limits>

namespace MemMap {

QString PointText(double value, const QString &pattern)
{
    return FormatNumber(value, pattern, QLocale::c());
}

QString RemovePoint(QString text)
{
    return text.remove(QLatin1Char('.'));
}

std::optional<qint16> WholeNumberOfText(const QString &text)
{
    const qsizetype first = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (text.size() == first)
        return std::nullopt;
    qint32 magnitude = 0;
    for (qsizetype i = first; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        magnitude = magnitude * 10 + (c.unicode() - '0');
        if (magnitude > 32768)
            return std::nullopt;
    }
    const qint32 value = first ? -magnitude : magnitude;
    if (value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(value);
}

std::optional<qint16> CountOfText(const QString &text)
{
    return WholeNumberOfText(RemovePoint(text));
}

std::optional<int> IndexOfName(const QStringList &names, const QString &text)
{
    const qsizetype index = names.indexOf(text);
    if (index < 0)
        return std::nullopt;
    return int(index);
}

void StripAuxMark(QStringList &entries)
{
    for (QString &entry : entries)
        if (entry.endsWith(QLatin1Char('!')))
            entry.chop(1);
}

} // namespace MemMap
