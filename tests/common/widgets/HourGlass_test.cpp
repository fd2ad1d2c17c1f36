#include "common/Error.h"
#include "common/widgets/HourGlass.h"

#include <QTimer>

#include <gtest/gtest.h>

TEST(HourGlass, AlternatesKeepsThePointerAndTheGuardRestoresItWhenTheCommandFails)
{
    QWidget window;
    window.setCursor(Qt::CrossCursor);
    HourGlass(&window);
    const Qt::CursorShape busy = window.cursor().shape();
    HourGlass(&window);
    EXPECT_EQ(std::pair(busy, window.cursor().shape()), std::pair(Qt::WaitCursor, Qt::CrossCursor));
    QTimer notAWindow;
    EXPECT_THROW(HourGlass(&notAWindow), CError); // the switch still flips
    HourGlass(&window);
    EXPECT_EQ(window.cursor().shape(), Qt::CrossCursor);

    EXPECT_THROW(CHourGlassGuard nothing(nullptr), CError); // must leave the switch as it was
    EXPECT_THROW(
        {
            CHourGlassGuard busy(&window);
            EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
            throw CError(1, "test", "command failed");
        },
        CError);
    EXPECT_EQ(window.cursor().shape(), Qt::CrossCursor);
}
