#include "common/ValueText.h"

#include "common/TraceCode.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <limits>

namespace ValueText {
namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QString Normalised(const QString &text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    return t;
}

std::optional<double> ParseFinite(const QString &text)
{
    bool ok = false;
    const double value = Normalised(text).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

QString ToSettingText(qint16 value)
{
    return QString::number(value);
}
QString ToSettingText(qint32 value)
{
    return QString::number(value);
}
QString ToSettingText(float value)
{
    // The shortest text that reads back as the same single: 0.1f is "0.1", not "0.100000001".
    char buffer[32];
    const std::to_chars_result end = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, end.ptr - buffer);
}
QString ToSettingText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}
QString ToSettingText(const QDateTime &value)
{
    return value.toString(kDateFormat);
}
QString ToSettingText(const QString &value)
{
    return value;
}

std::optional<qint32> ParseInt32(const QString &text)
{
    bool ok = false;
    const qint32 value = text.trimmed().toInt(&ok);
    if (ok)
        return value;
    // "12.0" or "12,0" still names a whole number.
    const std::optional<double> real = ParseFinite(text);
    if (!real || *real != std::trunc(*real) || *real < std::numeric_limits<qint32>::min() ||
        *real > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(*real);
}

std::optional<qint16> ParseInt16(const QString &text)
{
    const std::optional<qint32> value = ParseInt32(text);
    if (!value || *value < std::numeric_limits<qint16>::min() || *value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(*value);
}

std::optional<float> ParseSingle(const QString &text)
{
    const std::optional<double> value = ParseFinite(text);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return float(*value);
}

std::optional<bool> ParseBool(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    const std::optional<float> number = ParseSingle(t);
    if (!number)
        return std::nullopt;
    return *number != 0.0f;
}

std::optional<QDateTime> ParseDate(const QString &text)
{
    const QString t = text.trimmed();
    QDateTime value = QDateTime::fromString(t, kDateFormat);
    if (!value.isValid())
        value = QDateTime::fromString(t, Qt::ISODate);
    if (!value.isValid())
        value = QLocale().toDateTime(t, QLocale::ShortFormat);
    if (!value.isValid())
        return std::nullopt;
    return value;
}

void TraceRejected(const QString &where, const QString &text, const QString &kept)
{
    g_Trace->BugMessage(QStringLiteral("Valore non valido per ") + where + QStringLiteral(": '") + text +
                        QStringLiteral("', mantenuto ") + kept);
}

} // namespace ValueText
