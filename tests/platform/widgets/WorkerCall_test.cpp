#include "platform/widgets/WorkerCall.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <qpa/qwindowsysteminterface.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

using namespace std::chrono_literals;

namespace {

// While a window waits for a worker that does not answer, the user's keys do not reach it, but
// the window manager's close (through the window system's queue, as the user's input comes)
// does: the window closes, the program's loop ends and the wait with it, long before its limit.
TEST(WorkerCall, TheWindowManagersCloseEndsAWaitTheUsersKeysDoNot)
{
    QLineEdit window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto release = std::make_shared<std::atomic_bool>(false);
    Platform::CWorkerLane lane;
    std::optional<std::optional<int>> answer;
    QTimer::singleShot(0, &window, [&] {
        QTimer::singleShot(20, &window, [&] {
            QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
                window.windowHandle(), QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        });
        QTimer::singleShot(60, &window, [&] {
            QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::AsynchronousDelivery>(
                window.windowHandle());
        });
        answer = lane.Run<int>(
            [release] {
                while (!*release)
                    std::this_thread::sleep_for(5ms);
                return 1;
            },
            60s);
    });
    const auto started = std::chrono::steady_clock::now();
    QApplication::exec();
    *release = true;
    ASSERT_TRUE(answer.has_value());
    EXPECT_FALSE(answer->has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - started, 30s);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.text().isEmpty());
}

} // namespace
