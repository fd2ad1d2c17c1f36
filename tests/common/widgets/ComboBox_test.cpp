#include "WidgetForm_fixture.h"

#include "common/widgets/ComboBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>

namespace {

class ComboBoxTest : public WidgetForm
{
protected:
    void SetUp() override
    {
        combo.Create(list);
        combo.AddText("A", 10);
        combo.AddText("B", -1);
        combo.AddText("C", 7);
    }

    QComboBox *list = new QComboBox(&form);
    QLineEdit *other = new QLineEdit(&form);
    CComboBox combo;
};

TEST_F(ComboBoxTest, FillsWithoutSelectingAndRaisesOneChangePerSet)
{
    QSignalSpy changes(&combo, &CComboBox::Change);
    EXPECT_EQ(combo.Value(), -1);
    combo.SetValue(1);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(combo.Text(), "B");
    EXPECT_EQ(combo.ItemData(), 0); // no data given: the list's default
    combo.SetValue(1);
    EXPECT_EQ(changes.count(), 2);
    combo.SetItemData(7);
    EXPECT_EQ(combo.Value(), 2);
    EXPECT_EQ(changes.count(), 3);

    list->setCurrentIndex(2); // the user picks the selected entry again
    EXPECT_EQ(changes.count(), 3);
    list->setCurrentIndex(0);
    EXPECT_EQ(changes.count(), 4);
    EXPECT_EQ(combo.ItemData(), 10);

    combo.SetEnableEvent(false);
    combo.SetValue(1);
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_EQ(changes.count(), 4);
}

TEST_F(ComboBoxTest, UnknownValueSelectsNothingAndIsHandedBack)
{
    combo.SetValue(1);
    for (const qint16 unknown : {qint16(5), qint16(-7), qint16(32767)}) {
        combo.SetValue(unknown);
        EXPECT_EQ(list->currentIndex(), -1);
        EXPECT_EQ(combo.Value(), unknown);
    }
    combo.SetItemData(99);
    EXPECT_EQ(combo.ItemData(), 99);
    EXPECT_EQ(combo.Value(), -1);
    // Once the user picks an entry the list speaks again.
    list->setCurrentIndex(0);
    EXPECT_EQ(combo.Value(), 0);
    EXPECT_EQ(combo.ItemData(), 10);
}

TEST_F(ComboBoxTest, ValidatesOnLeavingOnlyWithAnotherSelection)
{
    ShowForm();
    combo.SetValue(0);
    int asked = 0;
    QObject::connect(&combo, &CComboBox::ChangeValidate, [&](bool &cancel) { cancel = ++asked == 1; });
    FocusByUser(list);
    FocusByUser(other);
    EXPECT_EQ(asked, 0);
    FocusByUser(list);
    list->setCurrentIndex(2);
    FocusByUser(other);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(QApplication::focusWidget(), list);
    FocusByUser(other);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(QApplication::focusWidget(), other);
}

} // namespace
