#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

// A form for the controls; ShowForm makes it the active window for behaviour that needs the focus.
class WidgetForm : public ::testing::Test
{
protected:
    void ShowForm()
    {
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

    QWidget form;
};
