#include "common/Error.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstring>

CError::CError(qint32 number, QString source, QString description)
    : m_Number(number), m_Source(std::move(source)), m_Description(std::move(description)),
      m_What(QStringLiteral("%1 (%2): %3").arg(m_Number).arg(m_Source, m_Description).toUtf8())
{
}

qint32 MakeUserError(qint32 code) { return code | kObjectErrorBase; }

QString GetWindowsErrorText(qint32 systemCode)
{
    // strerror answers "Unknown error N" for codes it does not know; the system has no
    // message for them, so the description stays empty.
    const QString text = QString::fromLocal8Bit(std::strerror(systemCode));
    return text.startsWith(QLatin1String("Unknown error")) ? QString() : text;
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
