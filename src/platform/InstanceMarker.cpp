#include "platform/InstanceMarker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace Platform {

namespace {

QString MarkerStem(const QString &filePath)
{
    return QFileInfo(filePath).fileName() + QStringLiteral("-open");
}

// Runs with the marker locked by this caller; false when its program still holds it.
template <typename Action> bool WithAbandoned(const QString &marker, Action action)
{
    const int file = open(QFile::encodeName(marker).constData(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return false;
    const bool abandoned = flock(file, LOCK_EX | LOCK_NB) == 0;
    if (abandoned)
        action();
    close(file);
    return abandoned;
}

} // namespace

CInstanceMarker::~CInstanceMarker()
{
    Release(false);
}

QStringList CInstanceMarker::LeftBehind(const QString &filePath)
{
    const QFileInfo file(filePath);
    const QString stem = MarkerStem(filePath);
    QStringList markers;
    for (const QString &name :
         file.absoluteDir().entryList({stem, stem + QStringLiteral("-*")}, QDir::Files)) {
        const QString marker = file.absoluteDir().filePath(name);
        if (WithAbandoned(marker, [] {}))
            markers << marker;
    }
    return markers;
}

void CInstanceMarker::Remove(const QStringList &markers)
{
    // Still locked: a program has taken the name since.
    for (const QString &marker : markers)
        WithAbandoned(marker, [&marker] { QFile::remove(marker); });
}

bool CInstanceMarker::Place(const QString &filePath)
{
    Release(false);
    const QString path = QFileInfo(filePath).absoluteDir().filePath(
        MarkerStem(filePath) + QStringLiteral("-%1-%2").arg(getpid()).arg(
                                   QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0')));
    const int file = open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (file < 0)
        return false;
    // Blocking: a start looking at the markers may hold the new one for a moment.
    if (flock(file, LOCK_EX) != 0) {
        close(file);
        QFile::remove(path);
        return false;
    }
    m_Path = path;
    m_File = file;
    return true;
}

void CInstanceMarker::Release(bool keep)
{
    if (m_File < 0)
        return;
    // Removed while still locked, so no start takes it for one left behind.
    if (!keep)
        QFile::remove(m_Path);
    close(m_File);
    m_File = -1;
    m_Path.clear();
}

} // namespace Platform
