#include "WidgetForm_fixture.h"

#include "common/widgets/CheckBox.h"
#include "common/widgets/CheckListView.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>

namespace {

class CheckBoxTest : public WidgetForm
{
protected:
    void SetUp() override
    {
        group.Create(frame);
        for (int i = 0; i < 32; ++i) {
            boxes.push_back(new QCheckBox(frame));
            group.AddCheckBox(boxes.back());
        }
        QObject::connect(&group, &CCheckBox::Change, [this](qint16 index) { changed.push_back(index); });
    }

    QGroupBox *frame = new QGroupBox(&form);
    std::vector<QCheckBox *> boxes;
    CCheckBox group;
    std::vector<int> changed;
};

TEST_F(CheckBoxTest, MaskSetsEveryBoxAndClicksSetTheirBits)
{
    group.SetValue(-1);
    EXPECT_TRUE(std::all_of(boxes.begin(), boxes.end(), [](QCheckBox *box) { return box->isChecked(); }));
    EXPECT_EQ(changed.size(), 32u);
    group.SetValue(qint32(0x80000001u));
    EXPECT_TRUE(boxes[0]->isChecked() && boxes[31]->isChecked() && !boxes[30]->isChecked());
    changed.clear();
    boxes[31]->click();
    EXPECT_EQ(group.Value(), 1);
    boxes[31]->click();
    boxes[5]->click();
    EXPECT_EQ(group.Value(), qint32(0x80000021u));
    EXPECT_EQ(changed, (std::vector<int>{31, 31, 5}));
    group.Activate(31, false);
    EXPECT_FALSE(boxes[31]->isEnabled());
}

TEST(CheckListView, MarksFollowTheMaskAndARefusedChangeTurnsBack)
{
    QListWidget list;
    CCheckListView view;
    view.Create(&list);
    for (qint16 bit : {0, 7, 31})
        view.AddItem(QStringLiteral("bit %1").arg(bit), bit);
    EXPECT_EQ(list.item(2)->data(CCheckListView::kKeyRole).toString(), "Key31");
    view.SetValue(qint32(0x80000080u));
    EXPECT_EQ(list.item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(list.item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(list.item(2)->checkState(), Qt::Checked);

    bool accept = true;
    int asked = 0;
    QObject::connect(&view, &CCheckListView::Change, [&](bool &ok) {
        ++asked;
        ok = accept;
    });
    list.item(0)->setCheckState(Qt::Checked);
    EXPECT_EQ(view.Value(), qint32(0x80000081u));
    accept = false;
    list.item(2)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(list.item(2)->checkState(), Qt::Checked);
    EXPECT_EQ(view.Value(), qint32(0x80000081u));
    list.item(1)->setText("renamed"); // not a change of the mark
    EXPECT_EQ(asked, 2);
}

} // namespace
