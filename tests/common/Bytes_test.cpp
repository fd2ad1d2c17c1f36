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
    EXPECT_TRUE(mask == 0x7FFFFFFF && IsBitSet(qint32(0x80000000u), 31));
}

TEST(Bytes, BitNumberOutOfRangeEndsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(BitMask(32), ::testing::ExitedWithCode(EXIT_FAILURE), "");
    EXPECT_EXIT(IsBitSet(0, -1), ::testing::ExitedWithCode(EXIT_FAILURE), "");
    EXPECT_EXIT(ShiftLeftWord(1, 16), ::testing::ExitedWithCode(EXIT_FAILURE), "");
    EXPECT_EXIT(ShiftRightWord(1, -1), ::testing::ExitedWithCode(EXIT_FAILURE), "");
}

// The caller's text is padded to the field as well, as the callers rely on.
TEST(Bytes, TextIntoFixedFieldsIsPaddedOrCut)
{
    const std::tuple<int, const char16_t *, QByteArray, qsizetype> cases[] = {
        {12, u"0123456789", QByteArray("0123456789\0\0", 12), 12},
        {3, u"€bcdef", "\200bc", 6},
        {0, u"Più", "Pi\xF9", 3},
    };
    for (const auto &[size, text, expected, textSize] : cases) {
        QByteArray field(size, 'x');
        QString callers = QString::fromUtf16(text);
        StringToByteArray(field, callers);
        EXPECT_EQ(field, expected) << size;
        EXPECT_EQ(callers.size(), textSize) << size;
    }
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
