#include "programming/link/LinkError.h"
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

TEST(RegisterFrame, CrcIsTheModbusCheckValue)
{
    EXPECT_EQ(Crc16("123456789"), 0x4B37);
}

TEST(RegisterFrame, RequestsAreTheExactWireFrames)
{
    EXPECT_EQ(ReadRequest(1, kProbeRegister, 1), Bytes({0x01, 0x04, 0x00, 0x0B, 0x00, 0x01, 0x40, 0x08}));
    EXPECT_EQ(ReadRequest(1, kModuleBlockRegister, kModuleBlockCount),
              Bytes({0x01, 0x04, 0x30, 0x00, 0x00, 0x07, 0xBE, 0xC8}));
    const QByteArray write = WriteRequest(0xF7, kBaudRateRegister, -2);
    EXPECT_EQ(write.left(6), Bytes({0xF7, 0x06, 0xE0, 0x57, 0xFF, 0xFE}));
    EXPECT_TRUE(CheckReplyCRC(write));
}

TEST(RegisterFrame, ReplyLengthsFollowTheRequest)
{
    EXPECT_EQ(ExpectedReplyLength(ReadRequest(1, kProbeRegister, 1)), 7);
    EXPECT_EQ(ExpectedReplyLength(ReadRequest(1, kModuleBlockRegister, 7)), 19);
    EXPECT_EQ(ExpectedReplyLength(ReadRequest(1, kLiveValueBlockRegister, 6)), 17);
    EXPECT_EQ(ExpectedReplyLength(ReadRequest(1, 0xE050, kImageReadBlockCount)), 27);
    EXPECT_EQ(ExpectedReplyLength(WriteRequest(1, 0xE000, 5)), 8);
    EXPECT_EQ(ExpectedReplyLength(Bytes({0x01, 0x03, 0, 0, 0, 1})), 0);
}

// A read reply of the probe register at address 1 holding `value`, with its CRC.
QByteArray ProbeReply(quint8 address, quint8 function, quint8 byteCount, qint16 value)
{
    QByteArray reply =
        Bytes({address, function, byteCount, quint8(quint16(value) >> 8), quint8(value & 0xFF)});
    const quint16 crc = Crc16(reply);
    return reply.append(char(crc & 0xFF)).append(char(crc >> 8));
}

TEST(RegisterFrame, OnlyTheAnswerToTheRequestIsTaken)
{
    const QByteArray request = ReadRequest(1, kProbeRegister, 1);
    const QByteArray good = ProbeReply(1, 4, 2, 28);
    QByteArray swapped = good;
    std::swap(swapped[5], swapped[6]);
    QByteArray longer = ProbeReply(1, 4, 2, 28);
    longer.append('\0');

    EXPECT_TRUE(ReplyMatchesRequest(request, good));
    EXPECT_EQ(ReplyRegister(good, 0), 28);
    struct Case
    {
        const char *what;
        QByteArray reply;
    };
    const Case refused[] = {
        {"CRC bytes swapped", swapped},
        {"other address", ProbeReply(2, 4, 2, 28)},
        {"other function", ProbeReply(1, 3, 2, 28)},
        {"wrong byte count", ProbeReply(1, 4, 4, 28)},
        {"too long", longer},
        {"one byte", Bytes({0x01})},
        {"nothing", QByteArray()},
    };
    for (const Case &c : refused)
        EXPECT_FALSE(ReplyMatchesRequest(request, c.reply)) << c.what;
}

TEST(RegisterFrame, AWriteIsAnsweredOnlyByItsEcho)
{
    const QByteArray request = WriteRequest(3, 0xE010, 1234);
    EXPECT_TRUE(ReplyMatchesRequest(request, request));
    EXPECT_FALSE(ReplyMatchesRequest(request, WriteRequest(3, 0xE010, 1235)));
    EXPECT_FALSE(ReplyMatchesRequest(request, WriteRequest(3, 0xE011, 1234)));
    EXPECT_FALSE(ReplyMatchesRequest(request, WriteRequest(4, 0xE010, 1234)));
}

TEST(RegisterFrame, RegistersAreSignedAndNeverReadFromTheCrc)
{
    const QByteArray reply = ProbeReply(1, 4, 2, -2);
    EXPECT_EQ(ReplyRegister(reply, 0), -2);
    EXPECT_EQ(ReplyRegister(reply, 1), 0);
    EXPECT_EQ(ReplyRegister(Bytes({1}), 0), 0);
    EXPECT_TRUE(CheckReplyCRC(reply));
    EXPECT_FALSE(CheckReplyCRC(Bytes({0xFF})));
}

TEST(LinkError, MessagesOfTheLinkErrors)
{
    const std::pair<qint32, int> expected[] = {{leNone, 0},      {leUART, 206}, {leTimeOut, 207},
                                               {leCancelled, 0}, {leCRC, 215},  {99, 0}};
    for (const auto &[error, message] : expected)
        EXPECT_EQ(LinkErrorMessageId(error), message) << error;
}

} // namespace
