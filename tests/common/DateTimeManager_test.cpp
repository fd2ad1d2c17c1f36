#include "common/DateTimeManager.h"

#include <gtest/gtest.h>

TEST(DateTimeManager, TakesOnlyCheckedDates)
{
    struct Case
    {
        qint16 day, month, year;
        bool accepted;
    };
    const Case cases[] = {
        {29, 2, 2000, true},  {29, 2, 2004, true},   {29, 2, 2001, false}, {28, 2, 2001, true},
        {31, 4, 2001, false}, {30, 4, 2001, true},   {31, 12, 2099, true}, {1, 1, 2100, false},
        {1, 1, 1901, true},   {31, 12, 1900, false}, {0, 1, 2001, false},  {1, 13, 2001, false},
        {-1, 1, 2001, false}, {1, -1, 2001, false},  {32, 1, 2001, false}, {31, 11, 2001, false},
    };
    for (const Case &c : cases) {
        CDateTimeManager manager;
        ASSERT_TRUE(manager.SetDate(5, 6, 2003));
        EXPECT_EQ(manager.SetDate(c.day, c.month, c.year), c.accepted)
            << c.day << "/" << c.month << "/" << c.year;
        // Day and month stay where they were given, also when both could be a month.
        const QDate expected = c.accepted ? QDate(c.year, c.month, c.day) : QDate(2003, 6, 5);
        EXPECT_EQ(manager.ShortDate(), expected);
    }
}

TEST(DateTimeManager, TakesOnlyCheckedTimesToTheSecond)
{
    CDateTimeManager manager;
    EXPECT_EQ(manager.LongTime(), QTime(0, 0));
    EXPECT_TRUE(manager.SetTime(23, 59, 59));
    for (const auto &refused :
         {std::array<qint16, 3>{24, 0, 0}, {0, 60, 0}, {0, 0, 60}, {-1, 0, 0}, {0, -5, 0}, {0, 0, -1}})
        EXPECT_FALSE(manager.SetTime(refused[0], refused[1], refused[2]));
    EXPECT_EQ(manager.LongTime(), QTime(23, 59, 59));

    manager.SetLongTime(QTime(7, 8, 9, 500));
    EXPECT_EQ(manager.LongTime(), QTime(7, 8, 9));
    EXPECT_FALSE(manager.LongTimeText().contains(QLatin1String("UTC")));
    EXPECT_TRUE(manager.LongTimeText().contains(QLatin1String("08:09")));

    manager.SetShortDate(QDate(2004, 2, 29));
    EXPECT_EQ(manager.ShortDate(), QDate(2004, 2, 29));
    manager.SetShortDate(QDate(2100, 1, 1));
    EXPECT_EQ(manager.ShortDate(), QDate(2004, 2, 29));
    EXPECT_EQ(manager.ShortDateText(), QLocale().toString(QDate(2004, 2, 29), QLocale::ShortFormat));
}
