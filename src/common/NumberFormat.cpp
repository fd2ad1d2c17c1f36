#include "common/NumberFormat.h"

#include <cmath>

namespace {

bool IsDigitMark(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('#');
}

} // namespace

QString FormatNumber(double value, const QString &pattern, const QLocale &locale)
{
    // Pattern = prefix, digit marks with at most one ".", suffix.
    qsizetype first = 0;
    while (first < pattern.size() && !IsDigitMark(pattern[first]) && pattern[first] != QLatin1Char('.'))
        ++first;
    qsizetype last = first;
    bool pointSeen = false;
    while (last < pattern.size() &&
           (IsDigitMark(pattern[last]) || (pattern[last] == QLatin1Char('.') && !pointSeen))) {
        pointSeen = pointSeen || pattern[last] == QLatin1Char('.');
        ++last;
    }
    const QString prefix = pattern.left(first);
    const QString suffix = pattern.mid(last);
    const QStringView digits = QStringView(pattern).mid(first, last - first);
    const qsizetype point = digits.indexOf(QLatin1Char('.'));
    const QStringView integerMarks = point < 0 ? digits : digits.left(point);
    const QStringView decimalMarks = point < 0 ? QStringView() : digits.mid(point + 1);

    if (pattern.contains(QLatin1Char('%')))
        value *= 100.0;

    const int decimals = int(decimalMarks.size());
    const double scale = std::pow(10.0, decimals);
    // Values are counts times 0.1, 0.01 or 0.001: the nudge keeps 1.005 from reading 1.00.
    const double magnitude = std::round(std::fabs(value) * scale * (1.0 + 1e-12));
    QString integerText = QString::number(std::floor(magnitude / scale), 'f', 0);
    QString decimalText =
        decimals > 0
            ? QString::number(std::fmod(magnitude, scale), 'f', 0).rightJustified(decimals, QLatin1Char('0'))
            : QString();

    const int minimumIntegerDigits = int(integerMarks.count(QLatin1Char('0')));
    if (integerText == QLatin1String("0") && minimumIntegerDigits == 0)
        integerText.clear();
    integerText = integerText.rightJustified(minimumIntegerDigits, QLatin1Char('0'));

    // "#" places after the point are shown only when they are not trailing zeros.
    const int requiredDecimals = int(decimalMarks.lastIndexOf(QLatin1Char('0')) + 1);
    while (decimalText.size() > requiredDecimals && decimalText.endsWith(QLatin1Char('0')))
        decimalText.chop(1);

    QString number = integerText;
    if (!decimalText.isEmpty())
        number += locale.decimalPoint() + decimalText;
    if (number.isEmpty())
        number = QStringLiteral("0");
    const bool negative = value < 0 && magnitude != 0.0;
    return prefix + (negative ? QStringLiteral("-") : QString()) + number + suffix;
}
