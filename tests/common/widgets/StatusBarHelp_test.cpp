#include "common/widgets/StatusBarHelp.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

class StatusBarHelpTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        file = window.menuBar()->addMenu("1000");
        open = file->addAction("1011");
        print = file->addAction("1006\tCtrl+P");
        separator = file->addSeparator();
        recent = file->addMenu("1002");
        recentItem = recent->addAction("1003");
        fixed = file->addAction("Exit");
    }
    void Create()
    {
        help.Create(&window, 200);
        QObject::connect(&help, &CStatusBarHelp::HelpID, [this](qint16 &id) { ids.push_back(id); });
    }

    QMainWindow window;
    QMenu *file = nullptr;
    QMenu *recent = nullptr;
    QAction *open = nullptr, *print = nullptr, *separator = nullptr, *recentItem = nullptr, *fixed = nullptr;
    CStatusBarHelp help;
    std::vector<int> ids;
};

TEST_F(StatusBarHelpTest, ReportsHelpNumbersOfItemsAndMinusOneForTitlesAndSeparators)
{
    Create();
    file->popup(QPoint(10, 10));
    file->setActiveAction(open);
    file->setActiveAction(print);
    file->setActiveAction(recent->menuAction());
    recent->setActiveAction(recentItem);
    file->setActiveAction(fixed); // not numeric at creation: no help
    QMouseEvent move(QEvent::MouseMove, file->actionGeometry(separator).center(),
                     file->mapToGlobal(file->actionGeometry(separator).center()), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(file, &move);
    EXPECT_EQ(ids, (std::vector<int>{1211, 1206, -1, 1203, -1}));

    ids.clear();
    file->hide();
    QCoreApplication::processEvents();
    EXPECT_EQ(ids, (std::vector<int>{0}));
}

TEST_F(StatusBarHelpTest, ItemsAfterCreationOrBeyondTheTableGetNoHelp)
{
    QMenu *many = window.menuBar()->addMenu("1001");
    QList<QAction *> items;
    for (int i = 0; i < 105; ++i)
        items.append(many->addAction(QString::number(2000 + i)));
    Create();
    QAction *late = file->addAction("1004");
    file->setActiveAction(late);
    // Three numeric items of the file menu come first: the table ends at the 98th of the long menu.
    many->setActiveAction(items[97]);
    many->setActiveAction(items[98]);
    EXPECT_EQ(ids, (std::vector<int>{2297}));
}

} // namespace
