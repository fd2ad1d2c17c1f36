#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// Conversions between typed values and the text kept in settings and INI files. Numbers are
// written with "." whatever the locale and read with "." or ","; text that is not a number
// of the wanted type gives no value, and the caller keeps what it had.
//   ToSettingText(qint16(-3)) -> "-3"     ToSettingText(2.5f) -> "2.5"    ToSettingText(true) -> "1"
//   ParseInt16("40000") -> nullopt        ParseSingle("2,5") -> 2.5       ParseBool("True") -> true
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

} // namespace ValueText
