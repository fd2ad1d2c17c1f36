#include "common/widgets/CheckBox.h"
#include "common/widgets/CheckListView.h"

#include <QCheckBox>
#include <QListWidget>

#include <gtest/gtest.h>

TEST(CheckBox, MaskSetsTheBoxesAndClicksSetTheirBitsUpToBit31)
{
    QWidget frame;
    CCheckBox group;
    group.Create(&frame);
    std::vector<QCheckBox *> boxes;
    for (int i = 0; i < 32; ++i)
        group.AddCheckBox(boxes.emplace_back(new QCheckBox(&frame)));
    std::vector<int> changed;
    QObject::connect(&group, &CCheckBox::Change, [&](qint16 index) { changed.push_back(index); });
    group.SetValue(qint32(0x80000001u));
    EXPECT_TRUE(boxes[0]->isChecked() && boxes[31]->isChecked() && !boxes[30]->isChecked());
    EXPECT_EQ(changed.size(), 32u);
    changed.clear();
    boxes[31]->click();
    EXPECT_EQ(group.Value(), 1);
    boxes[31]->click();
    boxes[5]->click();
    EXPECT_EQ(std::pair(group.Value(), changed), std::pair(qint32(0x80000021u), std::vector<int>{31, 31, 5}));
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
    EXPECT_TRUE(list.item(0)->checkState() == Qt::Unchecked && list.item(1)->checkState() == Qt::Checked &&
                list.item(2)->checkState() == Qt::Checked);

    bool accept = true;
    int asked = 0;
    QObject::connect(&view, &CCheckListView::Change, [&](bool &ok) { ok = (++asked, accept); });
    list.item(0)->setCheckState(Qt::Checked);
    EXPECT_EQ(view.Value(), qint32(0x80000081u));
    accept = false;
    list.item(2)->setCheckState(Qt::Unchecked);
    list.item(1)->setText("renamed"); // not a change of the mark
    EXPECT_EQ(std::tuple(list.item(2)->checkState(), view.Value(), asked),
              std::tuple(Qt::Checked, qint32(0x80000081u), 2));
}
