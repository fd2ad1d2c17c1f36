#include "common/widgets/OptionButton.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class OptionButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        group.Create(&frame);
        for (QRadioButton *&button : buttons)
            group.AddOptionButton(button = new QRadioButton(&frame));
    }
    int Checked() const
    {
        return int(
            std::find_if(std::begin(buttons), std::end(buttons), [](auto *b) { return b->isChecked(); }) -
            std::begin(buttons));
    }

    QGroupBox frame;
    QRadioButton *buttons[3] = {};
    COptionButton group;
};

// Change comes whenever a button becomes checked; a value no button has checks none, is handed
// back, and stays until the user picks a button.
TEST_F(OptionButtonTest, ChangeComesWhenAButtonBecomesCheckedAndUnknownValuesComeBack)
{
    QSignalSpy changes(&group, &COptionButton::Change);
    group.SetValue(1);
    group.SetValue(1);
    EXPECT_EQ((std::tuple{Checked(), changes.count()}), std::tuple(1, 1));
    for (const qint16 unknown : {qint16(3), qint16(16), qint16(-1), qint16(-32768)}) {
        group.SetValue(unknown);
        EXPECT_EQ((std::tuple{Checked(), group.Value()}), std::tuple(3, unknown));
    }
    buttons[2]->click();
    EXPECT_EQ((std::tuple{Checked(), group.Value(), changes.count()}), std::tuple(2, 2, 2));
}

TEST_F(OptionButtonTest, DisablingTheCheckedButtonMovesTheCheck)
{
    group.SetValue(1);
    QSignalSpy changes(&group, &COptionButton::Change);
    group.Activate(1, false);
    EXPECT_EQ((std::tuple{group.Value(), changes.count()}), std::tuple(2, 2)); // button 0, then button 2
    group.SetValue(0);
    group.Activate(2, false);
    group.Activate(0, false); // no other button enabled: it stays checked
    EXPECT_EQ(group.Value(), 0);
}

} // namespace
