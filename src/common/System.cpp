#include "common/System.h"

#include <QFile>
#include <QRegularExpression>
#include <QSysInfo>

#include <limits>
#include <pwd.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// One "Name:   1234 kB" figure of a /proc file, in bytes; -1 when it is not there.
qint64 ProcFigure(const char *path, const QByteArray &name)
{
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = name + ':';
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(prefix)) {
            const QList<QByteArray> parts = line.mid(prefix.size()).simplified().split(' ');
            bool ok = false;
            const qint64 value = parts.value(0).toLongLong(&ok);
            if (!ok)
                return -1;
            return parts.value(1) == "kB" ? value * 1024 : value;
        }
    }
    return -1;
}

qint32 MemInfoKB(const char *name)
{
    const qint64 bytes = ProcFigure("/proc/meminfo", name);
    return bytes < 0 ? 0 : CSystem::KiloBytes(bytes);
}

qint64 AddressSpaceBytes()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        return qint64(limit.rlim_cur);
    // Unlimited: the user half of a 64-bit address space (47 bits).
    return qint64(1) << 47;
}

QString CpuModelName()
{
    QFile file(QStringLiteral("/proc/cpuinfo"));
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : file.readAll().split('\n')) {
            if (line.startsWith("model name"))
                return QString::fromLatin1(line.mid(line.indexOf(':') + 1)).trimmed();
        }
    }
    return QSysInfo::currentCpuArchitecture();
}

} // namespace

CSystem::CSystem()
{
    const QStringList version = QSysInfo::kernelVersion().split('.');
    m_Major = qint16(version.value(0).toShort());
    m_Minor = qint16(version.value(1).toShort());
    m_OSName = QSysInfo::prettyProductName();
    m_Processor = CpuModelName();
}

qint32 CSystem::KiloBytes(qint64 bytes)
{
    const qint64 kb = bytes / 1024;
    if (kb > std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    return kb < 0 ? 0 : qint32(kb);
}

qint32 CSystem::FreePhysicalMemory() const
{
    return MemInfoKB("MemAvailable");
}
qint32 CSystem::TotalPhysicalMemory() const
{
    return MemInfoKB("MemTotal");
}
qint32 CSystem::FreePageFile() const
{
    return MemInfoKB("SwapFree");
}
qint32 CSystem::TotalPageFile() const
{
    return MemInfoKB("SwapTotal");
}

qint32 CSystem::TotalVirtualMemory() const
{
    return KiloBytes(AddressSpaceBytes());
}

qint32 CSystem::FreeVirtualMemory() const
{
    const qint64 used = ProcFigure("/proc/self/status", "VmSize");
    return KiloBytes(AddressSpaceBytes() - qMax<qint64>(used, 0));
}

qint32 CSystem::MemoryLoad() const
{
    const qint64 total = ProcFigure("/proc/meminfo", "MemTotal");
    const qint64 available = ProcFigure("/proc/meminfo", "MemAvailable");
    if (total <= 0 || available < 0)
        return 0;
    return qint32((total - available) * 100 / total);
}

QString CSystem::ProcessorCount() const
{
    return QString::number(qMax(1L, sysconf(_SC_NPROCESSORS_ONLN)));
}

// The nearest Linux counterparts of the Windows and system folders.
QString CSystem::WindowsDir() const
{
    return QStringLiteral("/");
}
QString CSystem::SystemDir() const
{
    return QStringLiteral("/usr/lib");
}

QString CSystem::User() const
{
    if (const passwd *entry = getpwuid(geteuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    return QString();
}

QString CSystem::Machine() const
{
    return QSysInfo::machineHostName();
}
