#include "programming/link/RegisterFrame.h"
#include "support/DataTable.h"

#include <gmock/gmock.h>

namespace {

QByteArray Hex(const QByteArray &hex)
{
    return QByteArray::fromHex(hex);
}

TEST(RegisterFrame, CrcWireFramesAndSignedRegisters)
{
    EXPECT_EQ(Crc16("123456789"), 0x4B37);
    EXPECT_EQ(ReadRequest(1, kProbeRegister, 1), Hex("01 04 00 0B 00 01 40 08"));
    EXPECT_EQ(ReadRequest(1, kModuleBlockRegister, kModuleBlockCount), Hex("01 04 30 00 00 07 BE C8"));
    const QByteArray write = WriteRequest(0xF7, kBaudRateRegister, -2);
    EXPECT_EQ(std::pair(write.left(6), CheckReplyCRC(write)), std::pair(Hex("F7 06 E0 57 FF FE"), true));
    EXPECT_FALSE(CheckReplyCRC(Hex("FF")));
    EXPECT_EQ(std::tuple(ExpectedReplyLength(ReadRequest(1, 0xE050, kImageReadBlockCount)),
                         ExpectedReplyLength(write), ExpectedReplyLength(Hex("01 03 00 00 00 01"))),
              std::tuple(27, 8, 0));
    const QByteArray reply = WithCRC16(Hex("01 04 02 FF FE"));
    EXPECT_EQ(std::tuple(ReplyRegister(reply, 0), ReplyRegister(reply, 1), ReplyRegister(Hex("01"), 0)),
              std::tuple(-2, 0, 0)); // never read from the CRC
}

// The cases of tests/data/register_replies.tsv.
TEST(RegisterFrame, OnlyTheAnswerToTheRequestOrItsRefusalIsTaken)
{
    for (const QStringList &f : ReadDataTable(QStringLiteral("register_replies.tsv"))) {
        const QByteArray request = Hex(f[1].toLatin1());
        const QByteArray reply = Hex(f[2].toLatin1());
        const char *taken = ReplyMatchesRequest(request, reply) ? "yes"
                            : IsExceptionReply(request, reply)  ? "refusal"
                                                                : "no";
        EXPECT_EQ(taken, f[3]) << f[0].toStdString();
    }
}

} // namespace
