#include "common/widgets/OptionButton.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

// Change comes whenever a button becomes checked; a value no button has checks none, is handed
// back, and stays until the user picks a button. Disabling the checked button moves the check
// on; with no other button enabled it stays.
TEST(OptionButton, ChangeComesWhenAButtonBecomesCheckedAndUnknownValuesComeBack)
{
    QGroupBox frame;
    COptionButton group;
    group.Create(&frame);
    QRadioButton *buttons[3];
    for (QRadioButton *&button : buttons)
        group.AddOptionButton(button = new QRadioButton(&frame));
    const auto checked = [&] {
        return std::find_if(buttons, buttons + 3, [](auto *b) { return b->isChecked(); }) - buttons;
    };
    QSignalSpy changes(&group, &COptionButton::Change);
    group.SetValue(1);
    group.SetValue(1);
    EXPECT_EQ((std::tuple{checked(), changes.count()}), std::tuple(1, 1));
    for (const qint16 unknown : {qint16(3), qint16(16), qint16(-1), qint16(-32768)}) {
        group.SetValue(unknown);
        EXPECT_EQ((std::tuple{checked(), group.Value()}), std::tuple(3, unknown));
    }
    buttons[2]->click();
    EXPECT_EQ((std::tuple{checked(), group.Value(), changes.count()}), std::tuple(2, 2, 2));

    group.SetValue(1);
    group.Activate(1, false);
    EXPECT_EQ((std::tuple{group.Value(), changes.count()}), std::tuple(2, 5)); // button 0, then button 2
    group.SetValue(0);
    group.Activate(2, false);
    group.Activate(0, false);
    EXPECT_EQ(group.Value(), 0);
}
