#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

// A shown, active window for controls whose behaviour depends on the focus.
class WidgetForm : public ::testing::Test
{
protected:
    void ShowForm()
    {
        form.resize(400, 300);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    // Focus moved by the user, as with the Tab key or a click.
    static void FocusByUser(QWidget *control)
    {
        control->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }

    // A key held down as the X server reports it: press, then release and press pairs marked as
    // auto-repeat, then the real release.
    static void HoldKey(QWidget *target, Qt::Key key, int presses)
    {
        for (int i = 0; i < presses; ++i) {
            const bool repeat = i > 0;
            if (repeat) {
                QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(target, &release);
            }
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), repeat);
            QApplication::sendEvent(target, &press);
        }
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(), false);
        QApplication::sendEvent(target, &release);
    }

    QWidget form;
};
