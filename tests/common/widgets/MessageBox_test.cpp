#include "common/widgets/MessageBox.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

// Once a box closes, the window the user was in is the active one again: the modal window that
// showed it, or, when that window ends on its message (a link window on its failure), the window
// it came from.
TEST(MessageBox, TheWindowTheUserWasInIsActiveAgainOnceTheBoxCloses)
{
    QWidget main;
    main.show();
    QApplication::setActiveWindow(&main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QDialog link(&main);
    const auto tell = [&link] {
        QTimer::singleShot(0, &link, [] { QApplication::activeModalWidget()->close(); });
        ShowMessage(&link, {QMessageBox::Warning, QString(), QStringLiteral("213"), QMessageBox::Ok});
    };
    bool linkActive = false;
    QTimer::singleShot(0, &link, [&] {
        tell();
        linkActive = QTest::qWaitFor([&link] { return link.isActiveWindow(); }, 1000);
        tell();
        link.accept();
    });
    link.exec();
    EXPECT_TRUE(linkActive);
    EXPECT_TRUE(QTest::qWaitFor([&main] { return main.isActiveWindow(); }, 1000));
}

// A link command destroys its window as soon as exec() returns, before the box's queued return of
// the focus runs: the window it came from is active all the same.
TEST(MessageBox, TheOwnerIsActiveAgainWhenTheBoxsWindowIsDestroyedRightAfter)
{
    QWidget main;
    main.show();
    QApplication::setActiveWindow(&main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    auto link = std::make_unique<QDialog>(&main);
    QTimer::singleShot(0, link.get(), [&link] {
        QTimer::singleShot(0, qApp, [] { QApplication::activeModalWidget()->close(); });
        ShowMessage(link.get(), {QMessageBox::Warning, QString(), QStringLiteral("213"), QMessageBox::Ok});
        link->reject();
    });
    link->exec();
    link.reset();
    QApplication::setActiveWindow(nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&main] { return main.isActiveWindow(); }, 1000));
}
