#include "common/Utility.h"

#include "common/Error.h"

namespace {

QString UtilityErrorText(qint32 code)
{
    switch (code) {
    case kUtilityErrorHourGlass:
        return QStringLiteral("HourGlass: Object doesn't have mouse pointer");
    case kUtilityErrorGetOptionNoneTrue:
        return QStringLiteral("GetOption: None of the options are True");
    case kUtilityErrorGetOptionNotArray:
        return QStringLiteral("GetOption: Argument is not a control arrayof OptionButtons");
    case kUtilityErrorInStrRMissing:
        return QStringLiteral("InStrR: One or more parameters are missing");
    default:
        return QString();
    }
}

} // namespace

void RaiseUtilityError(qint32 code)
{
    if (code < 1001)
        RaiseRunTimeError(code);
    throw CError(MakeUserError(code), ExecutableBaseName() + QStringLiteral(".Utility"),
                 UtilityErrorText(code));
}

QString HexPad(qint32 value, qint16 digits)
{
    if (digits <= 0)
        return QString();
    const QString hex = QString::number(quint32(value), 16).toUpper();
    return (QString(digits, QLatin1Char('0')) + hex).right(digits);
}

QString TrimNull(const QString &text)
{
    const qsizetype end = text.indexOf(QChar(0));
    return end < 0 ? text : text.left(end);
}
