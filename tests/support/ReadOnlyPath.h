#pragma once

#include <QFile>
#include <QString>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

// A file or folder this process cannot write while the object lives, writable again after: the
// immutable attribute for root (whom permissions do not stop), the write permissions for anyone
// else. Made() is false where neither works, e.g. a file system without the attribute.
class ReadOnlyPath
{
public:
    explicit ReadOnlyPath(const QString &path) : m_Path(path), m_Permissions(QFile::permissions(path))
    {
        constexpr QFile::Permissions writes =
            QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther;
        const bool set =
            geteuid() == 0 ? SetImmutable(true) : QFile::setPermissions(path, m_Permissions & ~writes);
        m_Made = set && access(QFile::encodeName(path).constData(), W_OK) != 0;
    }
    ~ReadOnlyPath()
    {
        if (geteuid() == 0)
            SetImmutable(false);
        else
            QFile::setPermissions(m_Path, m_Permissions);
    }
    ReadOnlyPath(const ReadOnlyPath &) = delete;
    ReadOnlyPath &operator=(const ReadOnlyPath &) = delete;

    bool Made() const { return m_Made; }

private:
    bool SetImmutable(bool on) const
    {
        const int fd = open(QFile::encodeName(m_Path).constData(), O_RDONLY | O_NONBLOCK);
        int flags = 0;
        bool done = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        if (fd >= 0)
            close(fd);
        return done;
    }

    QString m_Path;
    QFile::Permissions m_Permissions;
    bool m_Made = false;
};
