#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the code page of program files written by earlier releases on Windows.
// A character the code page lacks becomes "?"; the five unassigned bytes read as the control
// characters of the same number, as Windows reads them.
//   ToCp1252Bytes("Pressa 3 €") -> "Pressa 3 \x80"     FromCp1252Bytes("\x93ok\x94") -> "“ok”"
namespace MemMap {

QByteArray ToCp1252Bytes(const QString &text);
QString FromCp1252Bytes(const QByteArray &bytes);

} // namespace MemMap
