#pragma once

#include <QString>

// The per-user settings store: one INI file "IxoSoft.ini" in the user's config folder,
// section = class name (or "Settings", "Ports", ...), key = member name. Values are text;
// the callers convert them.
namespace Platform {

QString SettingsFilePath();

// The stored text, or defaultText when the key is not there.
QString ReadSetting(const QString &section, const QString &key, const QString &defaultText);
bool HasSetting(const QString &section, const QString &key);
void WriteSetting(const QString &section, const QString &key, const QString &text);

} // namespace Platform
