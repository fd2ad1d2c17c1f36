#pragma once

#include <QString>

// Where IxoSoft keeps its files on a user's machine.
//   UserDataDir()   -> "$XDG_DATA_HOME/IxoSoft"  (default ~/.local/share/IxoSoft): archive,
//                      trace log, dump files
//   UserConfigDir() -> "$XDG_CONFIG_HOME/IxoSoft" (default ~/.config/IxoSoft): settings
// Both folders are created on first use.
namespace Platform {

inline constexpr const char *kApplicationName = "IxoSoft";

QString UserDataDir();
QString UserConfigDir();
QString UserDataFile(const QString &fileName);

} // namespace Platform
