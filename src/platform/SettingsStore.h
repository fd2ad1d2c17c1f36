#pragma once

#include <QString>

// The per-user settings store: one INI file "IxoSoft.ini" in the user's config folder,
// section = class name (or "Settings", "Ports", ...), key = member name. Values are text;
// the callers convert them.
namespace Platform {

QString SettingsFilePath();

// The stored text, or defaultText when the key is not there. A value edited by hand with
// commas ("a, b") comes back as written, not split into a list.
QString ReadSetting(const QString &section, const QString &key, const QString &defaultText);
bool HasSetting(const QString &section, const QString &key);
// False when the store could not be written (a read-only file or folder).
bool WriteSetting(const QString &section, const QString &key, const QString &text);

} // namespace Platform
