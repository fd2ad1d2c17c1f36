#pragma once

#include <QByteArray>
#include <QString>

// MBytes: words, bytes and bits of the instrument's registers, module code words and
// check-box masks. Words are 16-bit two's-complement patterns, so 0xFFFF reads -1.
//   LoWord(0x0001FFFF) -> -1         HiWord(0x00010000) -> 1
//   MakeWord(0x34, 0x12) -> 0x1234   MakeWord(0, 0x80) -> -32768
//   ShiftLeftWord(3, 15) -> -32768   ShiftRightWord(-32768, 15) -> 1 (logical)
// A bit number out of range (0..15 for the shifts, 0..31 for masks) is a programming error:
// the assertion logs it and ends the program.

qint16 LoWord(qint32 value);
qint16 HiWord(qint32 value);
quint8 LoByte(qint16 value);
quint8 HiByte(qint16 value);
// Only the low 8 bits of each argument count.
qint16 MakeWord(qint16 lowByte, qint16 highByte);
qint16 ShiftLeftWord(qint16 value, int bits);
qint16 ShiftRightWord(qint16 value, int bits);

void SetBit(bool state, qint32 &mask, int bit);
bool IsBitSet(qint32 mask, int bit);
// BitMask(31) is the sign bit, a negative number.
qint32 BitMask(int bit);

// Text into a fixed-size record field, one Windows-1252 byte per character. An empty array
// takes the whole text. A sized array keeps its size: a shorter text is padded with NULs
// (the caller's text too, as the records expect), a longer one is cut.
//   bytes of size 64, text "0123456789" -> 10 text bytes, 54 zero bytes
void StringToByteArray(QByteArray &bytes, QString &text);
// The bytes as Windows-1252 text, NULs included (TrimNull cuts them).
QString ByteArrayToString(const QByteArray &bytes);
