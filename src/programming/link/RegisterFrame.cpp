#include "programming/link/RegisterFrame.h"

#include "common/Bytes.h"

namespace {

constexpr int kRequestLength = 8;
constexpr int kReadReplyOverhead = 5;    // address, function, byte count, CRC low, CRC high
constexpr int kExceptionReplyLength = 5; // address, function | 0x80, exception code, CRC low, CRC high
constexpr quint8 kExceptionBit = 0x80;

quint8 Byte(QByteArrayView bytes, qsizetype index)
{
    return quint8(bytes[index]);
}

QByteArray Request(quint8 address, RegisterFunctions function, quint16 registerAddress, qint16 word)
{
    QByteArray frame;
    frame.append(char(address)).append(char(function));
    AppendWord(frame, qint16(registerAddress));
    AppendWord(frame, word);
    return WithCRC16(frame);
}

} // namespace

quint16 Crc16(QByteArrayView bytes)
{
    quint16 crc = 0xFFFF;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

quint16 CalcCRC16(QByteArrayView frame)
{
    return frame.size() < 2 ? quint16(0xFFFF) : Crc16(frame.first(frame.size() - 2));
}

bool CheckReplyCRC(QByteArrayView frame)
{
    if (frame.size() < 2)
        return false;
    const auto carried = quint16(MakeWord(Byte(frame, frame.size() - 2), Byte(frame, frame.size() - 1)));
    return carried == CalcCRC16(frame);
}

QByteArray WithCRC16(QByteArray frame)
{
    const auto crc = qint16(Crc16(frame));
    return frame.append(char(LoByte(crc))).append(char(HiByte(crc)));
}

void AppendWord(QByteArray &frame, qint16 word)
{
    frame.append(char(HiByte(word))).append(char(LoByte(word)));
}

qint16 FrameWord(QByteArrayView frame, qsizetype highIndex)
{
    return MakeWord(Byte(frame, highIndex + 1), Byte(frame, highIndex));
}

QByteArray ReadRequest(quint8 address, quint16 firstRegister, quint16 count)
{
    return Request(address, rfReadRegisters, firstRegister, qint16(count));
}

QByteArray WriteRequest(quint8 address, quint16 registerAddress, qint16 value)
{
    return Request(address, rfWriteRegister, registerAddress, value);
}

qint16 ExpectedReplyLength(QByteArrayView request)
{
    if (request.size() != kRequestLength)
        return 0;
    switch (Byte(request, 1)) {
    case rfReadRegisters:
        return qint16(kReadReplyOverhead + 2 * quint16(FrameWord(request, 4)));
    case rfWriteRegister:
        return kRequestLength;
    default:
        return 0;
    }
}

bool ReplyMatchesRequest(QByteArrayView request, QByteArrayView reply)
{
    const qint16 expected = ExpectedReplyLength(request);
    if (expected == 0 || reply.size() != expected || !CheckReplyCRC(reply))
        return false;
    if (Byte(request, 1) == rfWriteRegister) {
        if (reply == request)
            return true;
        // An instrument may take its new address before it echoes the write that set it.
        if (quint16(FrameWord(request, 2)) != kNetworkAddressRegister)
            return false;
        QByteArray fromNewAddress = request.first(6).toByteArray();
        fromNewAddress[0] = char(Byte(request, 5));
        return reply == WithCRC16(fromNewAddress);
    }
    return Byte(reply, 0) == Byte(request, 0) && Byte(reply, 1) == rfReadRegisters &&
           Byte(reply, 2) == expected - kReadReplyOverhead;
}

bool IsExceptionReply(QByteArrayView request, QByteArrayView reply)
{
    return request.size() == kRequestLength && reply.size() == kExceptionReplyLength &&
           Byte(reply, 0) == Byte(request, 0) && Byte(reply, 1) == (Byte(request, 1) | kExceptionBit) &&
           CheckReplyCRC(reply);
}

quint8 ExceptionCode(QByteArrayView exceptionReply)
{
    return exceptionReply.size() == kExceptionReplyLength ? Byte(exceptionReply, 2) : 0;
}

qint16 ReplyRegister(QByteArrayView reply, int k)
{
    const qsizetype high = 3 + 2 * qsizetype(k);
    if (k < 0 || high + 1 > reply.size() - 3) // never the CRC
        return 0;
    return FrameWord(reply, high);
}
