#include "common/widgets/StatusBarHelp.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>

#include <gtest/gtest.h>

// Help numbers of items (the number plus the base), -1 for a menu of the bar opening, submenu
// titles and separators, none for items that were not numeric at creation, added later or
// beyond the table, 0 on closing.
TEST(StatusBarHelp, ReportsTheHelpNumberOfEachHoveredItem)
{
    QMainWindow window;
    QMenu *file = window.menuBar()->addMenu("1000");
    QAction *open = file->addAction("1011");
    QAction *print = file->addAction("1006\tCtrl+P");
    QAction *separator = file->addSeparator();
    QMenu *recent = file->addMenu("1002");
    QAction *recentItem = recent->addAction("1003");
    QAction *fixed = file->addAction("Exit");
    QMenu *many = window.menuBar()->addMenu("1001");
    for (int i = 0; i < 105; ++i)
        many->addAction(QString::number(2000 + i));
    CStatusBarHelp help;
    help.Create(&window, 200);
    std::vector<int> ids;
    QObject::connect(&help, &CStatusBarHelp::HelpID, [&](qint16 &id) { ids.push_back(id); });
    QAction *late = file->addAction("1004");

    file->popup(QPoint(10, 10));
    for (QAction *action : {open, print, fixed, late, recent->menuAction()})
        file->setActiveAction(action);
    recent->setActiveAction(recentItem);
    const QPoint centre = file->actionGeometry(separator).center();
    QMouseEvent move(QEvent::MouseMove, centre, file->mapToGlobal(centre), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(file, &move);
    // Three numeric items of the file menu come first: the table ends at the 98th of the long menu.
    many->setActiveAction(many->actions()[97]);
    many->setActiveAction(many->actions()[98]);
    EXPECT_EQ(ids, (std::vector<int>{-1, 1211, 1206, -1, 1203, -1, 2297}));

    ids.clear();
    file->hide();
    QCoreApplication::processEvents();
    EXPECT_EQ(ids, (std::vector<int>{0}));
}
