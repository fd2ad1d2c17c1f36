#include "common/Error.h"
#include "common/widgets/HourGlass.h"

#include <QTimer>

#include <gtest/gtest.h>

TEST(HourGlass, AlternatesAndRaisesForATargetWithoutPointer)
{
    QWidget window;
    window.setCursor(Qt::CrossCursor);
    HourGlass(&window);
    EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
    HourGlass(&window);
    EXPECT_EQ(window.cursor().shape(), Qt::CrossCursor);
    QTimer notAWindow;
    EXPECT_THROW(HourGlass(&notAWindow), CError); // the switch still flips
    HourGlass(&window);
    EXPECT_EQ(window.cursor().shape(), Qt::CrossCursor);
}

TEST(HourGlass, GuardRestoresThePointerWhenTheCommandFails)
{
    QWidget window;
    EXPECT_THROW(
        {
            CHourGlassGuard busy(&window);
            EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
            throw CError(1, "test", "command failed");
        },
        CError);
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    EXPECT_THROW(CHourGlassGuard nothing(nullptr), CError);
    {
        CHourGlassGuard busy(&window); // the failed guard left the switch as it was
        EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
    }
}
