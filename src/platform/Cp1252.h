#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Windows-1252, the code page of the program files and of the fixed text fields of the
// instrument's records. One byte per character, both ways:
//   ToCp1252("€ 5°")  -> "\x80 5\xB0"       ToCp1252("Ω") -> "?"
//   FromCp1252("\x80 5\xB0") -> "€ 5°"
// The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as the
// control characters of the same number and write back as the same bytes, so any byte
// sequence survives a round trip.
QByteArray ToCp1252(const QString &text);
QString FromCp1252(const QByteArray &bytes);
// The characters of text that have no byte in the code page, each once, in the order they
// first come: "Café € ω 文 ω" -> {"ω", "文"}. Empty when text survives a round trip.
QStringList Cp1252Unmappable(const QString &text);
