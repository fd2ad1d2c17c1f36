#include "common/Bytes.h"

#include "common/TraceCode.h"
#include "platform/Cp1252.h"

namespace {

void AssertBitInRange(int bit, int highest)
{
    g_Trace->BugAssert(bit >= 0 && bit <= highest, QString());
}

qint16 FromPattern(quint32 pattern)
{
    return qint16(quint16(pattern & 0xFFFFu));
}

} // namespace

qint16 LoWord(qint32 value)
{
    return FromPattern(quint32(value));
}

qint16 HiWord(qint32 value)
{
    return FromPattern(quint32(value) >> 16);
}

quint8 LoByte(qint16 value)
{
    return quint8(quint16(value) & 0xFFu);
}

quint8 HiByte(qint16 value)
{
    return quint8(quint16(value) >> 8);
}

qint16 MakeWord(qint16 lowByte, qint16 highByte)
{
    return FromPattern((quint32(quint16(highByte)) & 0xFFu) << 8 | (quint32(quint16(lowByte)) & 0xFFu));
}

qint16 ShiftLeftWord(qint16 value, int bits)
{
    AssertBitInRange(bits, 15);
    return FromPattern(quint32(quint16(value)) << bits);
}

qint16 ShiftRightWord(qint16 value, int bits)
{
    AssertBitInRange(bits, 15);
    return FromPattern(quint32(quint16(value)) >> bits);
}

qint32 BitMask(int bit)
{
    AssertBitInRange(bit, 31);
    return qint32(quint32(1) << bit);
}

void SetBit(bool state, qint32 &mask, int bit)
{
    if (state)
        mask |= BitMask(bit);
    else
        mask &= ~BitMask(bit);
}

bool IsBitSet(qint32 mask, int bit)
{
    return (mask & BitMask(bit)) != 0;
}

void StringToByteArray(QByteArray &bytes, QString &text)
{
    if (bytes.isEmpty()) {
        bytes = ToCp1252(text);
        return;
    }
    const qsizetype size = bytes.size();
    if (text.size() < size)
        text += QString(size - text.size(), QChar(0));
    const QByteArray encoded = ToCp1252(text).left(size);
    bytes.fill('\0');
    bytes.replace(0, encoded.size(), encoded);
}

QString ByteArrayToString(const QByteArray &bytes)
{
    return FromCp1252(bytes);
}
