#include "common/widgets/MessageBox.h"
#include "platform/HeldInput.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <qpa/qwindowsysteminterface.h>

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

// While the window waits under the hourglass, a box that a queued call opens (the check's verdict)
// shows the arrow and takes Return, but not inside a wait begun while it is up; the window that
// was there keeps dropping the user's keys.
TEST(MessageBox, ABoxOpenedDuringAHeldWaitTakesTheUsersAnswer)
{
    QLineEdit window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto press = [](QWindow *target, int key, const QString &text = {}) {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
                target, type, key, Qt::NoModifier, text);
    };
    Qt::CursorShape overBox = Qt::WaitCursor;
    bool heldInsideItsWait = false;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (box == nullptr || !box->windowHandle()->isExposed())
            return;
        user.stop();
        overBox = QGuiApplication::overrideCursor()->shape();
        {
            const Platform::CHeldInput inner;
            press(box->windowHandle(), Qt::Key_Return);
            Platform::TurnEventsFor(100);
        }
        heldInsideItsWait = box->isVisible();
        press(box->windowHandle(), Qt::Key_Return);
        QTimer::singleShot(5000, box, [box] { box->done(QMessageBox::NoButton); }); // unanswered
    });
    QEventLoop wait;
    auto answer = QMessageBox::NoButton;
    QMetaObject::invokeMethod(
        &window,
        [&] {
            user.start(5);
            answer =
                ShowMessage(&window, {QMessageBox::Critical, {}, QStringLiteral("213"), QMessageBox::Ok});
            press(window.windowHandle(), Qt::Key_A, QStringLiteral("a"));
            QTimer::singleShot(100, &wait, &QEventLoop::quit);
        },
        Qt::QueuedConnection);
    Platform::ExecHoldingInput(wait);
    EXPECT_EQ(answer, QMessageBox::Ok);
    EXPECT_EQ(overBox, Qt::ArrowCursor);
    EXPECT_TRUE(heldInsideItsWait);
    EXPECT_TRUE(window.text().isEmpty());
}
