#include "common/Error.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <QHash>

#include <string.h>

CError::CError(qint32 number, QString source, QString description, QString reason)
    : m_Number(number), m_Source(std::move(source)), m_Description(std::move(description)),
      m_Reason(std::move(reason)),
      m_What(QStringLiteral("%1 (%2): %3").arg(m_Number).arg(m_Source, m_Description).toUtf8())
{}

qint32 MakeUserError(qint32 code)
{
    return code | kObjectErrorBase;
}

QString GetWindowsErrorText(qint32 systemCode)
{
    // strerror answers even codes it does not know ("Unknown error N", translated), so the
    // untranslated table decides whether the system has a message at all.
    if (strerrordesc_np(systemCode) == nullptr)
        return QString();
    return QString::fromLocal8Bit(strerror(systemCode));
}

void RaiseWindowsError(qint32 systemCode)
{
    throw CError(systemCode + kWindowsErrorOffset + kObjectErrorBase,
                 ExecutableBaseName() + QStringLiteral(".Windows"), GetWindowsErrorText(systemCode));
}

QString ExecutableBaseName()
{
    const QString path = QCoreApplication::applicationFilePath();
    return path.isEmpty() ? QStringLiteral("IxoSoft") : QFileInfo(path).completeBaseName();
}

QString RunTimeErrorText(qint32 number)
{
    static const QHash<qint32, QString> texts = {
        {5, QStringLiteral("Invalid procedure call or argument")},
        {6, QStringLiteral("Overflow")},
        {7, QStringLiteral("Out of memory")},
        {9, QStringLiteral("Subscript out of range")},
        {11, QStringLiteral("Division by zero")},
        {13, QStringLiteral("Type mismatch")},
        {52, QStringLiteral("Bad file name or number")},
        {53, QStringLiteral("File not found")},
        {54, QStringLiteral("Bad file mode")},
        {55, QStringLiteral("File already open")},
        {57, QStringLiteral("Device I/O error")},
        {58, QStringLiteral("File already exists")},
        {61, QStringLiteral("Disk full")},
        {62, QStringLiteral("Input past end of file")},
        {67, QStringLiteral("Too many files")},
        {68, QStringLiteral("Device unavailable")},
        {70, QStringLiteral("Permission denied")},
        {71, QStringLiteral("Disk not ready")},
        {75, QStringLiteral("Path/File access error")},
        {76, QStringLiteral("Path not found")},
        {91, QStringLiteral("Object variable or With block variable not set")},
        {94, QStringLiteral("Invalid use of Null")},
    };
    return texts.value(number, QStringLiteral("Application-defined or object-defined error"));
}

void RaiseRunTimeError(qint32 number, const QString &description)
{
    throw CError(number, ExecutableBaseName() + QStringLiteral(".VBError"),
                 description.isEmpty() ? RunTimeErrorText(number) : description);
}
