#include "programming/link/RegisterFrame.h"

#include <gmock/gmock.h>

namespace {

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(char(value));
    return bytes;
}

// A register read reply carrying `value`, with its CRC.
QByteArray ReadReply(quint8 address, quint8 function, quint8 byteCount, qint16 value)
{
    QByteArray reply =
        Bytes({address, function, byteCount, quint8(quint16(value) >> 8), quint8(value & 0xFF)});
    const quint16 crc = Crc16(reply);
    return reply.append(char(crc & 0xFF)).append(char(crc >> 8));
}

TEST(RegisterFrame, CrcAndTheExactWireFrames)
{
    EXPECT_EQ(Crc16("123456789"), 0x4B37);
    EXPECT_EQ(ReadRequest(1, kProbeRegister, 1), Bytes({0x01, 0x04, 0x00, 0x0B, 0x00, 0x01, 0x40, 0x08}));
    EXPECT_EQ(ReadRequest(1, kModuleBlockRegister, kModuleBlockCount),
              Bytes({0x01, 0x04, 0x30, 0x00, 0x00, 0x07, 0xBE, 0xC8}));
    const QByteArray write = WriteRequest(0xF7, kBaudRateRegister, -2);
    EXPECT_EQ(write.left(6), Bytes({0xF7, 0x06, 0xE0, 0x57, 0xFF, 0xFE}));
    EXPECT_TRUE(CheckReplyCRC(write));
    EXPECT_FALSE(CheckReplyCRC(Bytes({0xFF})));
    EXPECT_EQ(ExpectedReplyLength(ReadRequest(1, 0xE050, kImageReadBlockCount)), 27);
    EXPECT_EQ(ExpectedReplyLength(write), 8);
    EXPECT_EQ(ExpectedReplyLength(Bytes({0x01, 0x03, 0, 0, 0, 1})), 0);
}

TEST(RegisterFrame, OnlyTheAnswerToTheRequestIsTaken)
{
    const QByteArray probe = ReadRequest(1, kProbeRegister, 1);
    const QByteArray write = WriteRequest(3, 0xE010, 1234);
    QByteArray swapped = ReadReply(1, 4, 2, 28);
    std::swap(swapped[5], swapped[6]);
    struct Case
    {
        const char *what;
        QByteArray request, reply;
        bool taken;
    };
    const Case cases[] = {
        {"probe reply", probe, ReadReply(1, 4, 2, 28), true},
        {"CRC bytes swapped", probe, swapped, false},
        {"other address", probe, ReadReply(2, 4, 2, 28), false},
        {"other function", probe, ReadReply(1, 3, 2, 28), false},
        {"wrong byte count", probe, ReadReply(1, 4, 4, 28), false},
        {"too long", probe, ReadReply(1, 4, 2, 28) + '\0', false},
        {"one byte", probe, Bytes({0x01}), false},
        {"nothing", probe, QByteArray(), false},
        {"echo", write, write, true},
        {"other value", write, WriteRequest(3, 0xE010, 1235), false},
        {"other register", write, WriteRequest(3, 0xE011, 1234), false},
        {"other address's echo", write, WriteRequest(4, 0xE010, 1234), false},
        {"address write echoed from the new address", WriteRequest(3, kNetworkAddressRegister, 9),
         WriteRequest(9, kNetworkAddressRegister, 9), true},
        {"address write echoed from a third address", WriteRequest(3, kNetworkAddressRegister, 9),
         WriteRequest(8, kNetworkAddressRegister, 9), false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ReplyMatchesRequest(c.request, c.reply), c.taken) << c.what;
}

TEST(RegisterFrame, RegistersAreSignedAndNeverReadFromTheCrc)
{
    const QByteArray reply = ReadReply(1, 4, 2, -2);
    EXPECT_EQ(ReplyRegister(reply, 0), -2);
    EXPECT_EQ(ReplyRegister(reply, 1), 0);
    EXPECT_EQ(ReplyRegister(Bytes({1}), 0), 0);
}

} // namespace
