#pragma once

#include <QLocale>
#include <QString>

// The one number formatter of the program, for the patterns made of "0" (a digit always
// shown), "#" (a digit shown when needed), "." (the decimal separator) and "%" (the value in
// percent); any other characters before or after the digits stand as they are. Rounding is
// half away from zero. The screen passes the user's locale; whatever goes to an instrument,
// a settings file or a program file passes QLocale::c(), so the separator is ".".
//   FormatNumber(12.345, "#0.00")        -> "12.35"     FormatNumber(5, "000")  -> "005"
//   FormatNumber(-0.5, "##0.0")          -> "-0.5"      FormatNumber(0, "###0") -> "0"
//   FormatNumber(0.125, "0.0 %")         -> "12.5 %"    FormatNumber(7, "#")    -> "7"
//   FormatNumber(1.5, "0.0", italian)    -> "1,5"
QString FormatNumber(double value, const QString &pattern, const QLocale &locale = QLocale());
