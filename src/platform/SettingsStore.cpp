#include "platform/SettingsStore.h"

#include "platform/UserPaths.h"

#include <QSettings>

namespace Platform {
namespace {

// A fresh QSettings per call: cheap, always reads the current file, and follows a changed
// XDG_CONFIG_HOME (the tests point it at a temporary folder).
QSettings Store()
{
    return QSettings(SettingsFilePath(), QSettings::IniFormat);
}

QString Path(const QString &section, const QString &key)
{
    return section + '/' + key;
}

} // namespace

QString SettingsFilePath()
{
    return UserConfigDir() + '/' + kApplicationName + ".ini";
}

QString ReadSetting(const QString &section, const QString &key, const QString &defaultText)
{
    const QVariant value = Store().value(Path(section, key));
    if (!value.isValid())
        return defaultText;
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

bool HasSetting(const QString &section, const QString &key)
{
    return Store().contains(Path(section, key));
}

bool WriteSetting(const QString &section, const QString &key, const QString &text)
{
    QSettings store = Store();
    store.setValue(Path(section, key), text);
    store.sync();
    return store.status() == QSettings::NoError;
}

} // namespace Platform
