#include "common/Error.h"
#include "programming/memmap/AuxListing.h"
#include "programming/memmap/AuxText.h"
#include "programming/memmap/MemMap_fixture.h"

#include <gtest/gtest.h>

using namespace MemMap;

TEST(AuxText, NumbersReadBackAsCounts)
{
    const std::optional<qint16> none;
    const std::tuple<const char *, std::optional<qint16>, std::optional<qint16>> cases[] = {
        {"-1.50", -150, none}, {"3.92", 392, none}, {"0007", 7, 7},    {"-32768", -32768, -32768},
        {"32768", none, none}, {"", none, none},    {"-", none, none}, {"NoSend", none, none},
        {"1,5", none, none},   {"+5", none, none}};
    for (const auto &[text, count, whole] : cases) {
        EXPECT_EQ(CountOfText(text), count) << text;
        EXPECT_EQ(WholeNumberOfText(text), whole) << text;
    }
}

TEST(AuxText, OnlyOneMarkGoes)
{
    QStringList entries{"rEd!", "rEd!!", "!", "GrEn", ""};
    StripAuxMark(entries);
    EXPECT_EQ(entries, (QStringList{"rEd", "rEd!", "", "GrEn", ""}));
}

TEST(AuxCommandTable, TemplatesByFamily)
{
    EXPECT_EQ(AuxCommand(EFamily::VABZOB, 1, "r3"), "inP>rAnG=r3");
    EXPECT_EQ(AuxCommand(EFamily::QEM, 89, "23"), "CJC>nAn=23");
    // Point 10 has its own items; every key of a family is distinct, so each reads back.
    EXPECT_EQ(std::pair(AuxKey(EFamily::VABZOB, 31), AuxKey(EFamily::QEM, 32)),
              std::pair(QString("Lin>in.10="), QString("Lin>ou.10=")));
    for (EFamily family : {EFamily::VABZOB, EFamily::QEM}) {
        QStringList keys;
        for (int i = 0; i < WordCount(family); ++i)
            keys.append(AuxKey(family, i));
        EXPECT_EQ(keys.removeDuplicates(), 0);
    }
}

namespace {

QStringList Values(EFamily family)
{
    QStringList values(WordCount(family));
    for (const CImageWord &w : ImageLayout(family))
        values[w.Index] = QString::number(w.Index * 3 - 7);
    return values;
}

} // namespace

TEST(AuxListing, KeepsOnlyValueCharactersAndAnyOrder)
{
    const QStringList values = Values(EFamily::VABZOB);
    QByteArray listing = InstrumentListing(EFamily::VABZOB, values);
    listing.replace("SCAL>Lo.d=" + values[9].toLatin1(), "SCAL>Lo.d=   -5.0 ");
    listing.replace("CoLr>CoLr=" + values[5].toLatin1(), "CoLr>CoLr=rEd!\t");
    // Reordered: the last line moves to the front, and the last value has no CR after it.
    const qsizetype cnd = listing.indexOf("Cnd>Cnd=");
    const QByteArray cndLine = listing.mid(cnd, listing.indexOf('\n', cnd) - cnd + 1);
    listing.remove(cnd, cndLine.size());
    listing = cndLine + listing + "PASS";
    listing.replace("EXT\r\n", "");
    listing.replace("PASS>PASS=" + values[0].toLatin1() + "\r\n", "");
    listing += ">PASS=0042";

    EXPECT_FALSE(ListingIsQEM(listing));
    QStringList expected = values;
    expected[9] = "-5.0", expected[5] = "rEd", expected[0] = "0042";
    EXPECT_EQ(ParseAuxListing(listing, EFamily::VABZOB), expected);
}

TEST(AuxListing, MissingKeyIsAnErrorNotACrash)
{
    QByteArray listing = InstrumentListing(EFamily::QEM, Values(EFamily::QEM));
    EXPECT_TRUE(ListingIsQEM(listing));
    EXPECT_EQ(ParseAuxListing(listing, EFamily::QEM).value(89), "260");
    listing.replace("SP.4>HYS=", "SP.4>HYZ=");
    EXPECT_THROW(ParseAuxListing(listing, EFamily::QEM), CError);
    // A VAB listing lacks every linearization key a QEM read would skip anyway, but not CJC.
    EXPECT_THROW(ParseAuxListing(InstrumentListing(EFamily::VABZOB, Values(EFamily::VABZOB)), EFamily::QEM),
                 CError);
}
