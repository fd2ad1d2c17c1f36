#pragma once

#include <QList>
#include <QString>

// The per-user settings store: one INI file "IxoSoft.ini" in the user's config folder,
// section = class name (or "Settings", "Ports", "Application printer", ...), key = member
// name, every name written as given. Values are text; the callers convert them.
// Users edit the file by hand, so it is kept as they wrote it: a write changes the one line of
// its key, and only when the value differs; a write that changes nothing does not touch the
// file; comments, line ends, a byte order mark and Windows-1252 text stay as they were, and
// the file is replaced whole or not at all (a full disk leaves the old one).
// Files of earlier versions are read as well: percent-encoded names ("[Application%20printer]")
// and values in their quoted and escaped form (a backslash doubled, one before a quote); the
// first change of a value there names its section as given. A backslash typed by hand stays
// as typed unless it is doubled or stands before a quote.
// A settings file that is no regular file (a pipe, a folder) is never opened: it is refused
// with a trace line, reads give their defaults and nothing is written.
namespace Platform {

QString SettingsFilePath();

// The stored text, or defaultText when the key is not there. A value edited by hand with
// commas ("a, b") comes back as written.
QString ReadSetting(const QString &section, const QString &key, const QString &defaultText);
// The same as the bytes the file holds for it, in the file's own code page, for a name the
// system takes as bytes: a device path with a Windows-1252 "\xE9" stays that byte.
QByteArray ReadSettingBytes(const QString &section, const QString &key, const QByteArray &defaultBytes);
bool HasSetting(const QString &section, const QString &key);
// False when the store could not be written (a read-only file or folder, a full disk, a
// refused file, a text the file's code page cannot hold).
bool WriteSetting(const QString &section, const QString &key, const QString &text);

// One value of a write of several.
struct CSettingWrite
{
    QString Section;
    QString Key;
    QString Text;
};
// Several values in one replace of the file: every one of them is stored, or none is. False,
// and in `fault` the file's own reason when there is one, as WriteSetting fails.
//   WriteSettings({{"Application printer", "DeviceName", "Laser"},
//                  {"Application printer", "Orientation", "2"}});
bool WriteSettings(const QList<CSettingWrite> &writes, QString *fault = nullptr);

} // namespace Platform
