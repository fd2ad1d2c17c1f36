#include "common/Bytes.h"
#include "platform/Cp1252.h"

#include "support/DataTable.h"

// The calls of tests/data/bytes_calls.tsv.
TEST(Bytes, WordsBytesAndShiftsKeepTheSixteenBitPattern)
{
    using Call = std::function<qint32(qint32, qint32)>;
    const std::map<QString, Call> calls = {
        {"LoWord", [](qint32 a, qint32) { return LoWord(a); }},
        {"HiWord", [](qint32 a, qint32) { return HiWord(a); }},
        {"LoByte", [](qint32 a, qint32) { return LoByte(qint16(a)); }},
        {"HiByte", [](qint32 a, qint32) { return HiByte(qint16(a)); }},
        {"MakeWord", [](qint32 a, qint32 b) { return MakeWord(qint16(a), qint16(b)); }},
        {"ShiftLeftWord", [](qint32 a, qint32 b) { return ShiftLeftWord(qint16(a), b); }},
        {"ShiftRightWord", [](qint32 a, qint32 b) { return ShiftRightWord(qint16(a), b); }},
        {"BitMask", [](qint32 a, qint32) { return BitMask(a); }},
        {"IsBitSet", [](qint32 a, qint32 b) { return qint32(IsBitSet(a, b)); }},
        {"ClearBit", [](qint32 a, qint32 b) { return SetBit(false, a, b), a; }}};
    const auto number = [](const QString &text) { return qint32(text.toLongLong(nullptr, 0)); };
    for (const QStringList &f : ReadDataTable(QStringLiteral("bytes_calls.tsv")))
        EXPECT_EQ(calls.at(f[0])(number(f[1]), number(f[2])), number(f[3])) << f.join(' ').toStdString();
}

TEST(Bytes, BitNumberOutOfRangeEndsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(BitMask(32), ::testing::ExitedWithCode(EXIT_FAILURE), "");
    EXPECT_EXIT(IsBitSet(0, -1), ::testing::ExitedWithCode(EXIT_FAILURE), "");
    EXPECT_EXIT(ShiftLeftWord(1, 16), ::testing::ExitedWithCode(EXIT_FAILURE), "");
    EXPECT_EXIT(ShiftRightWord(1, -1), ::testing::ExitedWithCode(EXIT_FAILURE), "");
}

TEST(Cp1252, MapsTheWholeCodePageBothWays)
{
    EXPECT_EQ(ToCp1252(QStringLiteral("€ – “ok” Œ Ω")), "\x80 \x96 \x93ok\x94 \x8C ?");
    EXPECT_EQ(ToCp1252(QString::fromUtf16(u"a\U0001F600b")), "a?b") << "one character, one byte";
    QByteArray every(256, '\0');
    for (int i = 0; i < 256; ++i)
        every[i] = char(i);
    EXPECT_EQ(ToCp1252(FromCp1252(every)), every);
    EXPECT_EQ(Cp1252Unmappable(QString::fromUtf16(u"Café € ω 文 ? \U0001F600 ω") + FromCp1252(every)),
              QStringList({"ω", "文", QString::fromUtf16(u"\U0001F600")}));
}
