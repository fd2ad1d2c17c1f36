#pragma once

#include <QDateTime>
#include <QString>

#include <optional>
#include <type_traits>

// Conversions between typed values and the text kept in settings and INI files. Numbers are
// written with "." whatever the locale and read with "." or ","; text that is not a number
// of the wanted type gives no value, and the caller keeps what it had.
//   ToSettingText(qint16(-3)) -> "-3"     ToSettingText(0.1f) -> "0.1"    ToSettingText(true) -> "1"
//   ParseInt16("40000") -> nullopt        ParseSingle("2,5") -> 2.5       ParseBool("True") -> true
//   ParseInt32("12.0") -> 12              ParseInt32("12.5") -> nullopt   ParseSingle("nan") -> nullopt
namespace ValueText {

QString ToSettingText(qint16 value);
QString ToSettingText(qint32 value);
QString ToSettingText(float value);
QString ToSettingText(bool value);
QString ToSettingText(const QDateTime &value);
QString ToSettingText(const QString &value);

std::optional<qint16> ParseInt16(const QString &text);
std::optional<qint32> ParseInt32(const QString &text);
std::optional<float> ParseSingle(const QString &text);
std::optional<bool> ParseBool(const QString &text);
std::optional<QDateTime> ParseDate(const QString &text);

// The parser of a value type, for code that handles the six types alike.
template <typename T> std::optional<T> Parse(const QString &text)
{
    if constexpr (std::is_same_v<T, qint16>)
        return ParseInt16(text);
    else if constexpr (std::is_same_v<T, qint32>)
        return ParseInt32(text);
    else if constexpr (std::is_same_v<T, float>)
        return ParseSingle(text);
    else if constexpr (std::is_same_v<T, QDateTime>)
        return ParseDate(text);
    else if constexpr (std::is_same_v<T, bool>)
        return ParseBool(text);
    else
        return text;
}

// A stored text that did not convert: one trace line naming where it was found and the value
// kept instead.
void TraceRejected(const QString &where, const QString &text, const QString &kept);

// The parsed value, or `kept` (traced) when the text did not convert.
template <typename T>
T ValueOrKept(const std::optional<T> &parsed, const QString &text, const T &kept, const QString &where)
{
    if (parsed)
        return *parsed;
    TraceRejected(where, text, ToSettingText(kept));
    return kept;
}

} // namespace ValueText
