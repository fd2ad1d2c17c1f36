#pragma once

#include <QStringList>

#include <optional>

// Values as the instrument's auxiliary interface writes them: display texts with "." as the
// decimal point whatever the user's locale.
//   PointText(-1.5, "##0.0") -> "-1.5"          CountOfText("-1.50") -> -150
//   CountOfText("39.2") -> 392                 WholeNumberOfText("0007") -> 7
//   WholeNumberOfText("1.5") -> none           IndexOfName({"rEd", "orAn"}, "orAn") -> 1
namespace MemMap {

inline const QString kNoSend = QStringLiteral("NoSend");

QString PointText(double value, const QString &pattern);
QString RemovePoint(QString text);

// A signed 16-bit decimal number: an optional "-" and digits, nothing else.
std::optional<qint16> WholeNumberOfText(const QString &text);
// The same after every "." is removed: where the point stood does not matter.
std::optional<qint16> CountOfText(const QString &text);

// Exact, case-sensitive; the first equal name wins.
std::optional<int> IndexOfName(const QStringList &names, const QString &text);

// The instrument marks a changed value with one trailing "!"; only that one goes.
void StripAuxMark(QStringList &entries);

} // namespace MemMap
