#include "programming/memmap/ImageConversion.h"
#include "programming/memmap/ImageTrace.h"
#include "programming/memmap/MemMapLayout.h"

#include <gtest/gtest.h>

using namespace MemMap;

namespace {

// "setting/item" of the word at `index`, empty when the family has no such word.
QString WordAt(EFamily family, int index)
{
    for (const CImageWord &w : ImageLayout(family))
        if (w.Index == index)
            return SettingName(w.Setting) + '/' + QString::number(w.Item);
    return {};
}

} // namespace

TEST(MemMapLayout, WordsSitWhereTheInstrumentKeepsThem)
{
    using enum EFamily;
    const std::tuple<EFamily, int, const char *> cases[] = {{VABZOB, 0, "Password/0"},
                                                            {VABZOB, 3, "IntegrationTime/0"},
                                                            {QEM, 2, "ProbeSelect/0"},
                                                            {QEM, 3, "CJC/0"},
                                                            {VABZOB, 11, "Linearizzazione/0"},
                                                            {VABZOB, 13, "CoordinateIn/0"},
                                                            {VABZOB, 43, "CoordinateIn/15"},
                                                            {VABZOB, 44, "CoordinateOut/15"},
                                                            {QEM, 45, "MinAlarmScale/1"},
                                                            {QEM, 49, "RitDisattivazione/1"},
                                                            {QEM, 52, "AlarmType/1"},
                                                            {VABZOB, 54, "MinAlarmScale/2"},
                                                            {VABZOB, 80, "AlarmColor/4"},
                                                            {VABZOB, 86, "NetworkAdd/0"},
                                                            {QEM, 88, "DigitalInFunction/0"},
                                                            {QEM, 89, "TempCJC/0"},
                                                            {QEM, 11, ""},
                                                            {QEM, 44, ""}};
    for (const auto &[family, index, word] : cases)
        EXPECT_EQ(WordAt(family, index), word) << index;
    EXPECT_EQ(ImageLayout(VABZOB).size(), 89);
    EXPECT_EQ(ImageLayout(QEM).size(), 56);
}

TEST(MemMapLayout, RegistersFollowTheBaseButTempCJC)
{
    EXPECT_EQ(RegisterOfWord(EFamily::VABZOB, 0), 0xE000);
    EXPECT_EQ(RegisterOfWord(EFamily::VABZOB, 88), 0xE058);
    EXPECT_EQ(RegisterOfWord(EFamily::QEM, 89), 0xE06C);
    EXPECT_EQ(WordCount(EFamily::QEM), 90);
}

TEST(MemMapLayout, IntegrationTimeCoding)
{
    EXPECT_EQ(EncodeIntegrationTime(0, 250), 999);
    EXPECT_EQ(EncodeIntegrationTime(1, 1500), 1500);
    EXPECT_EQ(EncodeIntegrationTime(1, 25), 25);
    const std::tuple<qint16, qint16, qint16> cases[] = {
        {999, 0, 1000}, {-5, 0, 1000}, {1000, 1, 1000}, {32767, 1, 32767}};
    for (const auto &[word, integrationTime, intTime] : cases) {
        const CIntegrationTime t = DecodeIntegrationTime(word);
        EXPECT_EQ(std::pair(t.IntegrationTime, t.IntTime), std::pair(integrationTime, intTime)) << word;
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
