#pragma once

#include <QDeadlineTimer>
#include <QDialog>
#include <QTimer>
#include <qpa/qwindowsysteminterface.h>

#include <gtest/gtest.h>

#include <functional>

// Shows a modal window as the program does (exec) until it closes. While it is up, `step` is
// tried every 2 ms until it answers true: the test's clicks and checks go there. A window still
// up after 30 s is closed and fails the test, as does a step never reached.
//   ShowModal(window, [&](QDialog &shown) { return clicked(shown.findChild<QPushButton *>("cmdCancel")); });
inline void ShowModal(QDialog &window, const std::function<bool(QDialog &)> &step = {})
{
    bool reached = !step;
    QDeadlineTimer limit(30000);
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (limit.hasExpired())
            window.close();
        else if (!reached)
            reached = step(window);
    });
    check.start(2);
    window.exec();
    EXPECT_TRUE(reached && !limit.hasExpired()) << "the window never got there";
}

// How a window is closed while a command waits: by the program (File > Exit, the session's end)
// or by the window manager (its close button, Alt+F4), whose close comes through the window
// system's queue as the user's input does.
inline void CloseAsTheWindowManagerDoes(QWidget &window)
{
    QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::AsynchronousDelivery>(
        window.windowHandle());
}
