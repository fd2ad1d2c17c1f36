#include "programming/memmap/ImageTrace.h"
#include "programming/memmap/MemMapLayout.h"

#include <gtest/gtest.h>

using namespace MemMap;

namespace {

const CImageWord *WordAt(EFamily family, int index)
{
    for (const CImageWord &w : ImageLayout(family))
        if (w.Index == index)
            return &w;
    return nullptr;
}

} // namespace

TEST(MemMapLayout, WordsSitWhereTheInstrumentKeepsThem)
{
    struct Case
    {
        EFamily family;
        int index;
        ESetting setting;
        int item;
    };
    const Case cases[] = {
        {EFamily::VABZOB, 0, ESetting::Password, 0},
        {EFamily::VABZOB, 3, ESetting::IntegrationTime, 0},
        {EFamily::QEM, 2, ESetting::ProbeSelect, 0},
        {EFamily::QEM, 3, ESetting::CJC, 0},
        {EFamily::VABZOB, 11, ESetting::Linearizzazione, 0},
        {EFamily::VABZOB, 13, ESetting::CoordinateIn, 0},
        {EFamily::VABZOB, 43, ESetting::CoordinateIn, 15},
        {EFamily::VABZOB, 44, ESetting::CoordinateOut, 15},
        {EFamily::QEM, 45, ESetting::MinAlarmScale, 1},
        {EFamily::QEM, 49, ESetting::RitDisattivazione, 1},
        {EFamily::QEM, 52, ESetting::AlarmType, 1},
        {EFamily::VABZOB, 54, ESetting::MinAlarmScale, 2},
        {EFamily::VABZOB, 80, ESetting::AlarmColor, 4},
        {EFamily::VABZOB, 86, ESetting::NetworkAdd, 0},
        {EFamily::QEM, 88, ESetting::DigitalInFunction, 0},
        {EFamily::QEM, 89, ESetting::TempCJC, 0},
    };
    for (const Case &c : cases) {
        const CImageWord *w = WordAt(c.family, c.index);
        ASSERT_NE(w, nullptr) << c.index;
        EXPECT_EQ(w->Setting, c.setting) << c.index;
        EXPECT_EQ(w->Item, c.item) << c.index;
    }
    for (int i = 11; i <= 44; ++i)
        EXPECT_EQ(WordAt(EFamily::QEM, i), nullptr) << i;
    EXPECT_EQ(ImageLayout(EFamily::VABZOB).size(), 89);
}

TEST(MemMapLayout, RegistersFollowTheBaseButTempCJC)
{
    EXPECT_EQ(RegisterOfWord(EFamily::VABZOB, 0), 0xE000);
    EXPECT_EQ(RegisterOfWord(EFamily::VABZOB, 88), 0xE058);
    EXPECT_EQ(RegisterOfWord(EFamily::QEM, 89), 0xE06C);
    EXPECT_EQ(WordCount(EFamily::VABZOB), 89);
    EXPECT_EQ(WordCount(EFamily::QEM), 90);
}

TEST(MemMapLayout, IntegrationTimeCoding)
{
    EXPECT_EQ(EncodeIntegrationTime(0, 250), 999);
    EXPECT_EQ(EncodeIntegrationTime(1, 1500), 1500);
    EXPECT_EQ(EncodeIntegrationTime(1, 25), 25);
    struct Case
    {
        qint16 word;
        qint16 integrationTime;
        qint16 intTime;
    };
    const Case cases[] = {{999, 0, 1000}, {-5, 0, 1000}, {1000, 1, 1000}, {32767, 1, 32767}};
    for (const Case &c : cases) {
        const CIntegrationTime t = DecodeIntegrationTime(c.word);
        EXPECT_EQ(t.IntegrationTime, c.integrationTime) << c.word;
        EXPECT_EQ(t.IntTime, c.intTime) << c.word;
    }
}

TEST(MemMapLayout, DumpShowsEveryRegisterInHex)
{
    EXPECT_EQ(HexWord(-100), "FF9C");

    QStringList entries(89);
    entries[1] = "r3";
    const QStringList aux = MemoryMapAuxDumpLines(EFamily::VABZOB, 1, entries);
    ASSERT_EQ(aux.size(), 91);
    EXPECT_EQ(aux[3], "Add E001=r3");
    EXPECT_EQ(aux[90], "Add E058=");
}
