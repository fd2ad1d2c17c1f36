#pragma once

#include <QString>

#include <exception>

// The one error type of the program: a number, the source that raised it, a text for the
// user and, where a system or engine refused, its own words for why. Every command entry point
// (menu, button, timer) catches it, traces it, shows it and undoes what the command began.
class CError : public std::exception
{
public:
    CError(qint32 number, QString source, QString description, QString reason = {});

    qint32 Number() const { return m_Number; }
    const QString &Source() const { return m_Source; }
    const QString &Description() const { return m_Description; }
    const QString &Reason() const { return m_Reason; }
    const char *what() const noexcept override { return m_What.constData(); }

private:
    qint32 m_Number;
    QString m_Source;
    QString m_Description;
    QString m_Reason;
    QByteArray m_What;
};

// MErrors: numbers of the program's own errors and of system errors.
//   MakeUserError(13001)      -> 13001 | 0x80040000
//   RaiseWindowsError(2)      -> throws CError(2 + 29000 + 0x80040000, "IxoSoft.Windows",
//                                              "No such file or directory")
inline constexpr qint32 kObjectErrorBase = qint32(0x80040000u);
inline constexpr qint32 kWindowsErrorOffset = 29000;

qint32 MakeUserError(qint32 code);
// The system's own text for the code, in the user's language; empty when it has none.
QString GetWindowsErrorText(qint32 systemCode);
[[noreturn]] void RaiseWindowsError(qint32 systemCode);

// Errors of the language run-time itself (numbers below 1001), source "<program>.VBError".
// Without a description the run-time's standard text for the number is used.
//   RaiseRunTimeError(13) -> throws CError(13, "IxoSoft.VBError", "Type mismatch")
[[noreturn]] void RaiseRunTimeError(qint32 number, const QString &description = QString());
QString RunTimeErrorText(qint32 number);

// The name every error source starts with: the program's name without folder or extension.
QString ExecutableBaseName();
