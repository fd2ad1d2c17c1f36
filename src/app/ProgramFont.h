#pragma once

#include <QString>

#include <functional>

// Whether the system can show a font family: fontconfig has the family itself, or a face it
// substitutes for it as metric-compatible (Debian's "Liberation Sans" for "Arial"). A name it
// knows nothing of would only reach the desktop's default face, so it does not pass.
//   FontFamilyAvailable("Arial")         -> true with fonts-liberation installed
//   FontFamilyAvailable("MS Sans Serif") -> false on a plain Debian desktop
bool FontFamilyAvailable(const QString &family);

// Fills g_Font from the string table: size from 1336, name from 1335, then the fallback names
// 1337 and 1338 while the name does not pass `available`. When none passes, g_Font keeps no
// name, so every window keeps the desktop's font (at the table's size).
using FontCheck = std::function<bool(const QString &family)>;
void SetProgramFont(const FontCheck &available = FontFamilyAvailable);
