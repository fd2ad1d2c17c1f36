#include "common/Bytes.h"
#include "common/Cp1252.h"

#include <gtest/gtest.h>

TEST(Bytes, WordsAndBytesKeepTheSixteenBitPattern)
{
    EXPECT_EQ(LoWord(0x0001FFFF), -1);
    EXPECT_EQ(HiWord(qint32(0xFFFF0000u)), -1);
    EXPECT_EQ(HiWord(0x00010000), 1);
    EXPECT_EQ(HiWord(qint32(0x80000000u)), -32768);
    EXPECT_EQ(LoByte(qint16(-1)), 0xFF);
    EXPECT_EQ(HiByte(qint16(-32768)), 0x80);
    EXPECT_EQ(MakeWord(0x34, 0x12), 0x1234);
    EXPECT_EQ(MakeWord(0, 0x80), -32768);
    EXPECT_EQ(MakeWord(0x1FF, 0x17F), 0x7FFF) << "only the low 8 bits of each count";
    EXPECT_EQ(MakeWord(LoByte(-2), HiByte(-2)), -2);
}

TEST(Bytes, ShiftsLoseHighBitsAndShiftRightIsLogical)
{
    EXPECT_EQ(ShiftLeftWord(1, 15), -32768);
    EXPECT_EQ(ShiftLeftWord(3, 15), -32768);
    EXPECT_EQ(ShiftLeftWord(-1, 8), qint16(0xFF00));
    EXPECT_EQ(ShiftRightWord(-32768, 15), 1);
    EXPECT_EQ(ShiftRightWord(-1, 8), 0xFF);
    for (const qint16 value : {qint16(-32768), qint16(-1), qint16(0), qint16(12345)}) {
        EXPECT_EQ(ShiftLeftWord(value, 0), value);
        EXPECT_EQ(ShiftRightWord(value, 0), value);
    }
}

TEST(Bytes, BitsOfThirtyTwoBitMasks)
{
    EXPECT_EQ(BitMask(0), 1);
    EXPECT_EQ(BitMask(31), qint32(0x80000000u));
    qint32 mask = -1;
    SetBit(false, mask, 31);
    EXPECT_EQ(mask, 0x7FFFFFFF);
    EXPECT_FALSE(IsBitSet(mask, 31));
    SetBit(true, mask, 31);
    EXPECT_EQ(mask, -1);
}

TEST(Bytes, BitNumberOutOfRangeEndsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(BitMask(32), ::testing::ExitedWithCode(EXIT_FAILURE), "");
    EXPECT_EXIT(IsBitSet(0, -1), ::testing::ExitedWithCode(EXIT_FAILURE), "");
    EXPECT_EXIT(ShiftLeftWord(1, 16), ::testing::ExitedWithCode(EXIT_FAILURE), "");
    EXPECT_EXIT(ShiftRightWord(1, -1), ::testing::ExitedWithCode(EXIT_FAILURE), "");
}

TEST(Bytes, TextIntoFixedFieldsIsPaddedOrCut)
{
    QByteArray field(64, 'x');
    QString text = QStringLiteral("0123456789");
    StringToByteArray(field, text);
    ASSERT_EQ(field.size(), 64);
    EXPECT_EQ(field.left(10), "0123456789");
    EXPECT_EQ(field.mid(10), QByteArray(54, '\0'));
    EXPECT_EQ(text.size(), 64) << "the caller's text is padded too";

    QByteArray shortField(3, '\0');
    QString longText = QStringLiteral("€bcdef");
    StringToByteArray(shortField, longText);
    EXPECT_EQ(shortField, QByteArray("\x80"
                                     "bc"));
    EXPECT_EQ(longText, QStringLiteral("€bcdef"));

    QByteArray unsized;
    QString whole = QStringLiteral("Più");
    StringToByteArray(unsized, whole);
    EXPECT_EQ(unsized, QByteArray("Pi\xF9"));
    EXPECT_EQ(ByteArrayToString(QByteArray("AB\0\x80", 4)), QString::fromUtf16(u"AB\0€", 4));
}

TEST(Cp1252, MapsTheWholeCodePageBothWays)
{
    EXPECT_EQ(ToCp1252(QStringLiteral("€ 5°C – “ok” Œ ÿ")), QByteArray("\x80 5\xB0"
                                                                       "C \x96 \x93ok\x94 \x8C \xFF"));
    EXPECT_EQ(FromCp1252(QByteArray("\x80\x8A\x9F\xA0\xE8")), QStringLiteral("€ŠŸ\u00A0è"));
    EXPECT_EQ(ToCp1252(QStringLiteral("Ω→")), "??");
    EXPECT_EQ(ToCp1252(QString::fromUtf16(u"a\U0001F600b")), "a?b") << "one character, one byte";

    QByteArray every(256, '\0');
    for (int i = 0; i < 256; ++i)
        every[i] = char(i);
    EXPECT_EQ(ToCp1252(FromCp1252(every)), every);
}
