#include "WidgetForm_fixture.h"

#include "common/widgets/OptionButton.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>

namespace {

class OptionButtonTest : public WidgetForm
{
protected:
    void SetUp() override
    {
        group.Create(frame);
        for (int i = 0; i < 3; ++i) {
            buttons[i] = new QRadioButton(frame);
            group.AddOptionButton(buttons[i]);
        }
    }

    QGroupBox *frame = new QGroupBox(&form);
    QRadioButton *buttons[3] = {};
    QLineEdit *other = new QLineEdit(&form);
    COptionButton group;
};

TEST_F(OptionButtonTest, ChangeComesWhenAButtonBecomesChecked)
{
    QSignalSpy changes(&group, &COptionButton::Change);
    group.SetValue(1);
    EXPECT_TRUE(buttons[1]->isChecked());
    EXPECT_EQ(changes.count(), 1);
    group.SetValue(1);
    EXPECT_EQ(changes.count(), 1);
    buttons[2]->click();
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(group.Value(), 2);
}

TEST_F(OptionButtonTest, DisablingTheCheckedButtonMovesTheCheck)
{
    group.SetValue(1);
    QSignalSpy changes(&group, &COptionButton::Change);
    group.Activate(1, false);
    EXPECT_EQ(group.Value(), 2);
    EXPECT_EQ(changes.count(), 2); // button 0, then button 2
    group.SetValue(0);
    group.Activate(2, false);
    EXPECT_EQ(group.Value(), 0);
    group.Activate(0, false); // no other button enabled: it stays checked
    EXPECT_EQ(group.Value(), 0);
    group.ActivateGroup(true);
    EXPECT_TRUE(frame->isEnabled() && buttons[1]->isEnabled());
}

TEST_F(OptionButtonTest, UnknownIndexChecksNothingAndIsHandedBack)
{
    group.SetValue(2);
    for (const qint16 unknown : {qint16(3), qint16(16), qint16(-1), qint16(-32768)}) {
        group.SetValue(unknown);
        EXPECT_FALSE(buttons[0]->isChecked() || buttons[1]->isChecked() || buttons[2]->isChecked());
        EXPECT_EQ(group.Value(), unknown);
    }
    buttons[1]->click();
    EXPECT_EQ(group.Value(), 1);
    EXPECT_FALSE(buttons[2]->isChecked());
}

TEST_F(OptionButtonTest, ValidatesWhenTheFocusLeavesTheGroup)
{
    ShowForm();
    group.SetValue(0);
    int asked = 0;
    QObject::connect(&group, &COptionButton::ChangeValidate, [&](bool &cancel) { cancel = ++asked == 1; });
    FocusByUser(buttons[0]);
    buttons[2]->click();
    FocusByUser(buttons[2]); // inside the group
    EXPECT_EQ(asked, 0);
    FocusByUser(other);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(QApplication::focusWidget(), buttons[0]); // refused: back to the old choice
    buttons[1]->click();
    FocusByUser(other);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(QApplication::focusWidget(), other);
}

} // namespace
