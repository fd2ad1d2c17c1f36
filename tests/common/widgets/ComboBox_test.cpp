#include "common/widgets/ComboBox.h"

#include <QComboBox>
#include <QSignalSpy>

#include <gtest/gtest.h>

// Entries A, B, C with item data 10, none (the list's default 0) and 7.
TEST(ComboBox, RaisesOneChangePerSetOrNewPickAndHandsBackUnknownValues)
{
    QComboBox list;
    CComboBox combo;
    combo.Create(&list);
    combo.AddText("A", 10);
    combo.AddText("B", -1);
    combo.AddText("C", 7);
    QSignalSpy changes(&combo, &CComboBox::Change);
    EXPECT_EQ(combo.Value(), -1);
    combo.SetValue(1);
    combo.SetValue(1);
    EXPECT_EQ((std::tuple{combo.Text(), combo.ItemData(), changes.count()}), std::tuple(QString("B"), 0, 2));
    combo.SetItemData(7);
    list.setCurrentIndex(2); // the user picks the selected entry again
    EXPECT_EQ((std::tuple{combo.Value(), changes.count()}), std::tuple(2, 3));

    // Any 16-bit value can come from an instrument or a file: it selects nothing and comes back.
    for (const qint16 unknown : {qint16(5), qint16(-7), qint16(32767)}) {
        combo.SetValue(unknown);
        EXPECT_EQ((std::tuple{list.currentIndex(), combo.Value()}), std::tuple(-1, unknown));
    }
    combo.SetItemData(99);
    EXPECT_EQ((std::tuple{combo.ItemData(), combo.Value()}), std::tuple(99, -1));
    list.setCurrentIndex(0); // once the user picks an entry the list speaks again
    EXPECT_EQ((std::tuple{combo.Value(), combo.ItemData(), changes.count()}), std::tuple(0, 10, 8));

    combo.SetEnableEvent(false);
    combo.SetValue(1);
    EXPECT_EQ((std::tuple{list.currentIndex(), changes.count()}), std::tuple(1, 8));
}
