#include "programming/link/RegisterFrame.h"

namespace {

constexpr int kRequestLength = 8;
constexpr int kReadReplyOverhead = 5; // address, function, byte count, CRC low, CRC high

QByteArray WithCrc(QByteArray frame)
{
    const quint16 crc = Crc16(frame);
    frame.append(char(crc & 0xFF));
    frame.append(char(crc >> 8));
    return frame;
}

quint8 Byte(QByteArrayView bytes, qsizetype index)
{
    return quint8(bytes[index]);
}

quint16 Word(QByteArrayView bytes, qsizetype highIndex)
{
    return quint16(Byte(bytes, highIndex) << 8 | Byte(bytes, highIndex + 1));
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
    const quint16 carried = quint16(Byte(frame, frame.size() - 1) << 8 | Byte(frame, frame.size() - 2));
    return carried == CalcCRC16(frame);
}

QByteArray ReadRequest(quint8 address, quint16 firstRegister, quint16 count)
{
    QByteArray frame;
    frame.append(char(address)).append(char(rfReadRegisters));
    frame.append(char(firstRegister >> 8)).append(char(firstRegister & 0xFF));
    frame.append(char(count >> 8)).append(char(count & 0xFF));
    return WithCrc(frame);
}

QByteArray WriteRequest(quint8 address, quint16 registerAddress, qint16 value)
{
    const auto word = quint16(value);
    QByteArray frame;
    frame.append(char(address)).append(char(rfWriteRegister));
    frame.append(char(registerAddress >> 8)).append(char(registerAddress & 0xFF));
    frame.append(char(word >> 8)).append(char(word & 0xFF));
    return WithCrc(frame);
}

qint16 ExpectedReplyLength(QByteArrayView request)
{
    if (request.size() != kRequestLength)
        return 0;
    switch (Byte(request, 1)) {
    case rfReadRegisters:
        return qint16(kReadReplyOverhead + 2 * Word(request, 4));
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
    if (Byte(request, 1) == rfWriteRegister)
        return reply == request;
    return Byte(reply, 0) == Byte(request, 0) && Byte(reply, 1) == rfReadRegisters &&
           Byte(reply, 2) == expected - kReadReplyOverhead;
}

qint16 ReplyRegister(QByteArrayView reply, int k)
{
    const qsizetype high = 3 + 2 * qsizetype(k);
    if (k < 0 || high + 1 > reply.size() - 3) // never the CRC
        return 0;
    return qint16(Word(reply, high));
}
