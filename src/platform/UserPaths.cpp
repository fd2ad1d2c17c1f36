#include "platform/UserPaths.h"

#include <QDir>

namespace Platform {
namespace {

QString XdgDir(const char *variable, const QString &fallbackBelowHome)
{
    QString base = qEnvironmentVariable(variable);
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + '/' + fallbackBelowHome;
    const QString dir = base + '/' + kApplicationName;
    QDir().mkpath(dir);
    return dir;
}

} // namespace

QString UserDataDir()
{
    return XdgDir("XDG_DATA_HOME", ".local/share");
}

QString UserConfigDir()
{
    return XdgDir("XDG_CONFIG_HOME", ".config");
}

QString UserDataFile(const QString &fileName)
{
    return UserDataDir() + '/' + fileName;
}

} // namespace Platform
