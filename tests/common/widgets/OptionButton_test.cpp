#include "common/widgets/OptionButton.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

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

// Tab and Shift+Tab into the group land on the checked button, however it became checked, and
// the arrow keys go on from there; Tab leaves the group at once.
TEST(OptionButton, TabIntoTheGroupFocusesTheCheckedButton)
{
    QWidget window; // the focus chain in the order the controls are made
    auto *before = new QLineEdit(&window);
    auto *frame = new QGroupBox(&window);
    auto *column = new QVBoxLayout(frame); // Up and Down go by the buttons' places
    QRadioButton *buttons[3];
    for (QRadioButton *&button : buttons)
        column->addWidget(button = new QRadioButton(frame));
    COptionButton group;
    group.Create(frame, {buttons[0], buttons[1], buttons[2]});
    auto *after = new QLineEdit(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const auto focused = [&] {
        return std::find(buttons, buttons + 3, QApplication::focusWidget()) - buttons;
    };

    group.SetValue(2);
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_EQ(focused(), 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(std::pair(focused(), group.Value()), std::pair(std::ptrdiff_t(1), qint16(1)));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), after);
    group.SetValue(0);
    QTest::keyClick(after, Qt::Key_Backtab);
    EXPECT_EQ(focused(), 0);
}
