#include "platform/InstanceMarker.h"

#include "platform/TraceSink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace Platform {

namespace {

CInstanceMarker::FileLock g_FileLock = nullptr;

int Lock(int file, int operation)
{
    return g_FileLock != nullptr ? g_FileLock(file, operation) : flock(file, operation);
}

QString MarkerStem(const QString &filePath)
{
    return QFileInfo(filePath).fileName() + QStringLiteral("-open");
}

// Runs with the marker locked by this caller, or where locks do not work; false when its program
// still holds it.
template <typename Action> bool WithAbandoned(const QString &marker, Action action)
{
    const int file = open(QFile::encodeName(marker).constData(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return false;
    // Any refusal but "held" says that this file system takes no locks: a marker left behind
    // cannot be told from a running program's, and is taken for one, so the file is checked whole.
    const bool abandoned = Lock(file, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
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
    int locked = -1;
    do
        locked = Lock(file, LOCK_EX);
    while (locked != 0 && errno == EINTR);
    // Unlocked, the marker still tells the next start that this program may not have closed the
    // file: it takes every marker so.
    if (locked != 0) {
        const int error = errno;
        Trace(QStringLiteral("Segnalino %1 senza blocco (%2): ogni avvio controlla l'archivio per intero")
                  .arg(path, qt_error_string(error)));
    }
    m_Path = path;
    m_File = file;
    m_Locked = locked == 0;
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
    m_Locked = false;
    m_Path.clear();
}

void CInstanceMarker::SetFileLock(FileLock lock)
{
    g_FileLock = lock;
}

} // namespace Platform
