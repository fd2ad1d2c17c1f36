#include "common/Bytes.h"
#include "common/Cp1252.h"

#include <gtest/gtest.h>

TEST(Bytes, WordsBytesAndShiftsKeepTheSixteenBitPattern)
{
    const std::pair<qint32, qint32> cases[] = {
        {LoWord(0x0001FFFF), -1},
        {HiWord(qint32(0xFFFF0000u)), -1},
        {HiWord(qint32(0x80000000u)), -32768},
        {LoByte(qint16(-1)), 0xFF},
        {HiByte(qint16(-32768)), 0x80},
        {MakeWord(0x34, 0x12), 0x1234},
        {MakeWord(0, 0x80), -32768},
        {MakeWord(0x1FF, 0x17F), 0x7FFF}, // only the low 8 bits of each count
        {ShiftLeftWord(3, 15), -32768},
        {ShiftLeftWord(-1, 8), qint16(0xFF00)},
        {ShiftRightWord(-32768, 15), 1}, // logical, not arithmetic
        {ShiftRightWord(-1, 8), 0xFF},
        {ShiftRightWord(-1, 0), -1},
        {BitMask(31), qint32(0x80000000u)},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
    qint32 mask = -1;
    SetBit(false, mask, 31);
    EXPECT_EQ(mask, 0x7FFFFFFF);
    SetBit(true, mask, 31);
    EXPECT_TRUE(IsBitSet(mask, 31));
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
    QByteArray field(12, 'x');
    QString text = QStringLiteral("0123456789");
    StringToByteArray(field, text);
    EXPECT_EQ(field, QByteArray("0123456789\0\0", 12));
    EXPECT_EQ(text.size(), 12) << "the caller's text is padded too";

    QByteArray shortField(3, '\0');
    QString longText = QStringLiteral("€bcdef");
    StringToByteArray(shortField, longText);
    EXPECT_EQ(shortField, "\x80"
                          "bc");
    QByteArray unsized;
    QString whole = QStringLiteral("Più");
    StringToByteArray(unsized, whole);
    EXPECT_EQ(unsized, "Pi\xF9");
    EXPECT_EQ(ByteArrayToString(QByteArray("AB\0\x80", 4)), QString::fromUtf16(u"AB\0€", 4));
}

TEST(Cp1252, MapsTheWholeCodePageBothWays)
{
    EXPECT_EQ(ToCp1252(QStringLiteral("€ – “ok” Œ Ω")), "\x80 \x96 \x93ok\x94 \x8C ?");
    EXPECT_EQ(ToCp1252(QString::fromUtf16(u"a\U0001F600b")), "a?b") << "one character, one byte";
    QByteArray every(256, '\0');
    for (int i = 0; i < 256; ++i)
        every[i] = char(i);
    EXPECT_EQ(ToCp1252(FromCp1252(every)), every);
}
