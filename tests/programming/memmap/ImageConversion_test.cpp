#include "programming/memmap/ImageConversion.h"
#include "support/SettingStore_fixture.h"

#include <gtest/gtest.h>

using namespace MemMap;

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
        {EFamily::VABZOB, 1, 6, "Range=6"},           {EFamily::QEM, 2, 3, "ProbeSelect=3"},
        {EFamily::VABZOB, 5, 3, "DisplayColor=3"},    {EFamily::VABZOB, 8, 4, "MeasureDigitalPoint=4"},
        {EFamily::VABZOB, 12, 17, "NumSpezzate=17"},  {EFamily::VABZOB, 12, -1, "NumSpezzate=-1"},
        {EFamily::QEM, 52, 6, "AlarmType=6"},         {EFamily::VABZOB, 86, 0, "NetworkAdd=0"},
        {EFamily::QEM, 86, 256, "NetworkAdd=256"},    {EFamily::VABZOB, 87, 4, "BaudRate=4"},
        {EFamily::QEM, 88, 3, "DigitalInFunction=3"},
    };
    for (const Case &c : cases) {
        QList<qint16> words = BuildImage(good, c.family);
        words[c.index] = c.value;
        EXPECT_EQ(ImageFault(words, c.family), QString(c.fault)) << c.index;
    }
    // An instrument may hold no point or a single one.
    for (qint16 points : {0, 1, 16}) {
        QList<qint16> words = BuildImage(good, EFamily::VABZOB);
        words[12] = points;
        EXPECT_EQ(ImageFault(words, EFamily::VABZOB), std::nullopt) << points;
    }
    // The QEM image has no linearization: its words 11 to 44 are never judged.
    QList<qint16> words = BuildImage(good, EFamily::QEM);
    words[12] = 100;
    EXPECT_EQ(ImageFault(words, EFamily::QEM), std::nullopt);
}
