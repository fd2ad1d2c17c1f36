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
    try {
        HourGlass(&notAWindow); // the switch still flips
        FAIL() << "an object without a mouse pointer must raise";
    } catch (const CError &error) {
        EXPECT_EQ(error.Number(), 13001 | qint32(0x80040000u));
        EXPECT_TRUE(error.Source().endsWith(".Utility"));
        EXPECT_EQ(error.Description(), "HourGlass: Object doesn't have mouse pointer");
    }
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
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
}
