#include "platform/FileAccess.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Platform {
namespace {

CFileRead Failed(CFileRead::EOutcome outcome, const QString &reason = {})
{
    CFileRead read;
    read.Outcome = outcome;
    read.SystemReason = reason;
    return read;
}

// A stat or open that failed, as errno tells it.
CFileRead SystemFailure()
{
    const int error = errno;
    return Failed(error == ENOENT ? CFileRead::Missing : CFileRead::Unreadable,
                  QString::fromLocal8Bit(std::strerror(error)));
}

} // namespace

QString CFileRead::Fault() const
{
    switch (Outcome) {
    case Read:
        return {};
    case Missing:
        return QStringLiteral("file non trovato");
    case NotRegular:
        return QStringLiteral("non è un file regolare");
    case Unreadable:
        break;
    }
    return QStringLiteral("impossibile leggerlo: ") + SystemReason;
}

CFileRead ReadRegularFile(const QString &path, qint64 maxBytes)
{
    // The kind is asked first, so a device is never opened (opening a serial port moves its
    // control lines); the open itself does not wait on a pipe, and the opened file is asked
    // again in case another took the name's place in between.
    const QByteArray name = QFile::encodeName(path);
    struct stat status;
    if (::stat(name.constData(), &status) != 0)
        return SystemFailure();
    if (!S_ISREG(status.st_mode))
        return Failed(CFileRead::NotRegular);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return SystemFailure();
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return Failed(CFileRead::NotRegular);
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Failed(CFileRead::Unreadable, file.errorString());
    }
    CFileRead read;
    read.Bytes = maxBytes < 0 ? file.readAll() : file.read(maxBytes);
    if (file.error() != QFileDevice::NoError)
        return Failed(CFileRead::Unreadable, file.errorString());
    read.Outcome = CFileRead::Read;
    return read;
}

bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *fault)
{
    QSaveFile file(path);
    const auto failed = [&](const QString &reason) {
        if (fault)
            *fault = reason;
        file.cancelWriting();
        return false;
    };
    // Unbuffered, so a write that stops short (a full disk, a size limit) is seen here: a
    // buffered device is flushed by commit(), which takes a short write for success and puts a
    // cut file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(file.errorString());
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 step = file.write(bytes.constData() + written, bytes.size() - written);
        if (step <= 0)
            return failed(file.errorString());
        written += step;
    }
    return file.commit() || failed(file.errorString());
}

} // namespace Platform
