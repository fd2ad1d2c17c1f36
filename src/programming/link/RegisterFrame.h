#pragma once

#include "programming/InstrumentRegisterMap.h"

#include <QByteArray>
#include <QByteArrayView>

// The instruments' register protocol: Modbus RTU frames of function 4 (read a run of 16-bit
// registers) and function 6 (write one register), closed by a CRC-16/MODBUS sent low byte
// first. A request is always eight bytes:
//   ReadRequest(1, 0x000B, 1)  -> 01 04 00 0B 00 01 40 08   reply: 7 bytes (5 + 2 per register)
//   ReadRequest(1, 0x3000, 7)  -> 01 04 30 00 00 07 BE C8   reply: 19 bytes
//   WriteRequest(1, 0xE057, 2) -> 01 06 E0 57 00 02 ...     reply: the 8-byte echo

enum RegisterFunctions : quint8 {
    rfReadRegisters = 4,
    rfWriteRegister = 6,
};

// CRC-16/MODBUS of the bytes: Crc16("123456789") == 0x4B37.
quint16 Crc16(QByteArrayView bytes);
// The CRC a frame must carry: over every byte but its last two; 0xFFFF for a frame that
// has no room for a CRC.
quint16 CalcCRC16(QByteArrayView frame);
// True when the last two bytes (low, high) hold the CRC of the rest; false for a frame too
// short to carry one.
bool CheckReplyCRC(QByteArrayView frame);

// The frame with its CRC appended, low byte first.
QByteArray WithCRC16(QByteArray frame);
// Words travel high byte first: AppendWord(f, 0x1234) appends 12 34; FrameWord reads one back.
void AppendWord(QByteArray &frame, qint16 word);
qint16 FrameWord(QByteArrayView frame, qsizetype highIndex);

QByteArray ReadRequest(quint8 address, quint16 firstRegister, quint16 count);
QByteArray WriteRequest(quint8 address, quint16 registerAddress, qint16 value);

// Bytes of the reply a request asks for: 5 + 2n for a read of n registers, 8 for a write,
// 0 for anything else.
qint16 ExpectedReplyLength(QByteArrayView request);

// A reply is the answer to a request only when it has the expected length and CRC, comes from
// the address asked, carries the function asked and, for a read, the right byte count or, for
// a write, is the exact echo; the echo of a network-address write (0xE056) may also come from
// the address written. Anything else (a late answer to an earlier request, another
// instrument, noise) is refused like a wrong CRC.
bool ReplyMatchesRequest(QByteArrayView request, QByteArrayView reply);

// The instrument's refusal of a request (the exception reply): its address, the request's
// function with bit 7 set, one exception code, and a right CRC, five bytes in all.
//   IsExceptionReply(01 06 E0 10 ..., 01 86 03 02 61) -> true; ExceptionCode(...) -> 3
bool IsExceptionReply(QByteArrayView request, QByteArrayView reply);
quint8 ExceptionCode(QByteArrayView exceptionReply);

// Register k of a read reply as a signed 16-bit value (bytes 3 + 2k high, 4 + 2k low):
//   ReplyRegister(01 04 02 FF FE ..., 0) -> -2
qint16 ReplyRegister(QByteArrayView reply, int k);
