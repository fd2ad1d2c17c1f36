#include "programming/link/RegisterFrame.h"

#include <gmock/gmock.h>

namespace {

QByteArray Hex(const char *hex)
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

TEST(RegisterFrame, OnlyTheAnswerToTheRequestIsTaken)
{
    const QByteArray probe = ReadRequest(1, kProbeRegister, 1), write = WriteRequest(3, 0xE010, 1234);
    const QByteArray answer = WithCRC16(Hex("01 04 02 00 1C")),
                     address = WriteRequest(3, kNetworkAddressRegister, 9);
    QByteArray swapped = answer;
    std::swap(swapped[5], swapped[6]);
    const std::tuple<const char *, QByteArray, QByteArray, bool> cases[] = {
        {"probe reply", probe, answer, true},
        {"CRC bytes swapped", probe, swapped, false},
        {"other address", probe, WithCRC16(Hex("02 04 02 00 1C")), false},
        {"other function", probe, WithCRC16(Hex("01 03 02 00 1C")), false},
        {"wrong byte count", probe, WithCRC16(Hex("01 04 04 00 1C")), false},
        {"too long", probe, answer + '\0', false},
        {"one byte", probe, Hex("01"), false},
        {"nothing", probe, QByteArray(), false},
        {"echo", write, write, true},
        {"other value", write, WriteRequest(3, 0xE010, 1235), false},
        {"other register", write, WriteRequest(3, 0xE011, 1234), false},
        {"other address's echo", write, WriteRequest(4, 0xE010, 1234), false},
        {"address write echoed from the new address", address, WriteRequest(9, kNetworkAddressRegister, 9),
         true},
        {"address write echoed from a third address", address, WriteRequest(8, kNetworkAddressRegister, 9),
         false},
    };
    for (const auto &[what, request, reply, taken] : cases)
        EXPECT_EQ(ReplyMatchesRequest(request, reply), taken) << what;
}

} // namespace
