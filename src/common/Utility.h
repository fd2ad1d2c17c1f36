#pragma once

#include <QString>

// MUtility: the utility errors and small text helpers.
//   RaiseUtilityError(13001) -> throws CError(13001 | 0x80040000, "IxoSoft.Utility",
//                                             "HourGlass: Object doesn't have mouse pointer")
//   RaiseUtilityError(13)    -> throws CError(13, "IxoSoft.VBError", "Type mismatch")
//   HexPad(255, 4) -> "00FF"    HexPad(-1, 4) -> "FFFF"    HexPad(0x12345, 2) -> "45"
//   TrimNull(QString("AB\0CD", 5)) -> "AB"
inline constexpr qint32 kUtilityErrorHourGlass = 13001;
inline constexpr qint32 kUtilityErrorGetOptionNoneTrue = 13002;
inline constexpr qint32 kUtilityErrorGetOptionNotArray = 13003;
inline constexpr qint32 kUtilityErrorInStrRMissing = 13004;

// Codes below 1001 are the run-time's own errors; any other code is a program error.
[[noreturn]] void RaiseUtilityError(qint32 code);

// Upper-case hexadecimal, zero-padded and cut to its last `digits` characters; a negative
// value is its 8-digit two's-complement pattern.
QString HexPad(qint32 value, qint16 digits);

// The text up to its first NUL.
QString TrimNull(const QString &text);
