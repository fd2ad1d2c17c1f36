#include "programming/memmap/ImageConversion.h"
#include "programming/memmap/SettingStore_fixture.h"

#include <gtest/gtest.h>

using namespace MemMap;

namespace {

// Every word a distinct value; the VAB/ZOB word 3 a manual integration time.
CMapSettingStore DistinctStore(EFamily family)
{
    CMapSettingStore store;
    for (const CImageWord &w : ImageLayout(family))
        store.SetValue(w.Setting, w.Item, qint16(w.Index * 7 - 300));
    if (family == EFamily::VABZOB) {
        store.SetValue(ESetting::IntegrationTime, 0, 1);
        store.SetValue(ESetting::IntTime, 0, 1234);
    }
    return store;
}

} // namespace

TEST(ImageConversion, BothFamiliesRoundTripEveryWord)
{
    for (EFamily family : {EFamily::VABZOB, EFamily::QEM}) {
        const CMapSettingStore store = DistinctStore(family);
        const QList<qint16> words = BuildImage(store, family);
        ASSERT_EQ(words.size(), WordCount(family));
        for (const CImageWord &w : ImageLayout(family)) {
            const int expected = w.Setting == ESetting::IntegrationTime ? 1234 : w.Index * 7 - 300;
            EXPECT_EQ(words[w.Index], expected) << w.Index;
        }
        CMapSettingStore back;
        ApplyImage(words, family, back);
        EXPECT_TRUE(back == store);
    }
}

TEST(ImageConversion, QEMLeavesTheLinearizationWordsAlone)
{
    CMapSettingStore store = DistinctStore(EFamily::VABZOB);
    QList<qint16> words = BuildImage(store, EFamily::QEM);
    for (int i = 11; i <= 44; ++i)
        EXPECT_EQ(words[i], 0) << i;
    EXPECT_EQ(words[89], store.Value(ESetting::TempCJC, 0));

    QList<qint16> base(90, 5);
    words = BuildImage(store, EFamily::QEM, base);
    EXPECT_EQ(words[30], 5);

    words[12] = 9;
    ApplyImage(words, EFamily::QEM, store);
    EXPECT_EQ(store.Value(ESetting::NumSpezzate, 0), 12 * 7 - 300);
}

TEST(ImageConversion, AutomaticIntegrationTime)
{
    CMapSettingStore store;
    store.SetValue(ESetting::IntTime, 0, 25);
    EXPECT_EQ(BuildImage(store, EFamily::VABZOB)[3], 999);
    store.SetValue(ESetting::IntegrationTime, 0, 1);
    QList<qint16> words = BuildImage(store, EFamily::VABZOB);
    EXPECT_EQ(words[3], 25);
    ApplyImage(words, EFamily::VABZOB, store);
    EXPECT_EQ(store.Value(ESetting::IntegrationTime, 0), 0);
    EXPECT_EQ(store.Value(ESetting::IntTime, 0), 1000);
}

TEST(ImageConversion, FaultNamesTheFirstValueOutsideItsTable)
{
    CMapSettingStore good;
    good.SetValue(ESetting::NetworkAdd, 0, 1);
    for (EFamily family : {EFamily::VABZOB, EFamily::QEM})
        EXPECT_EQ(ImageFault(BuildImage(good, family), family), std::nullopt);

    struct Case
    {
        EFamily family;
        int index;
        qint16 value;
        const char *fault;
    };
    const Case cases[] = {
        {EFamily::VABZOB, 1, 6, "Range=6"},
        {EFamily::QEM, 1, -1, "Range=-1"},
        {EFamily::QEM, 2, 3, "ProbeSelect=3"},
        {EFamily::VABZOB, 5, 3, "DisplayColor=3"},
        {EFamily::VABZOB, 8, 4, "MeasureDigitalPoint=4"},
        {EFamily::VABZOB, 12, 17, "NumSpezzate=17"},
        {EFamily::QEM, 52, 6, "AlarmType=6"},
        {EFamily::VABZOB, 80, 4, "AlarmColor=4"},
        {EFamily::VABZOB, 86, 0, "NetworkAdd=0"},
        {EFamily::QEM, 86, 256, "NetworkAdd=256"},
        {EFamily::VABZOB, 87, 4, "BaudRate=4"},
        {EFamily::QEM, 88, 3, "DigitalInFunction=3"},
    };
    for (const Case &c : cases) {
        QList<qint16> words = BuildImage(good, c.family);
        words[c.index] = c.value;
        EXPECT_EQ(ImageFault(words, c.family), QString(c.fault)) << c.index;
    }
    // The QEM image has no linearization: its words 11 to 44 are never judged.
    QList<qint16> words = BuildImage(good, EFamily::QEM);
    words[12] = 100;
    EXPECT_EQ(ImageFault(words, EFamily::QEM), std::nullopt);
}
