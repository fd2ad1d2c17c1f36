#include "common/DateTimeManager.h"

#include <gtest/gtest.h>

TEST(DateTimeManager, TakesOnlyCheckedDatesAndTimesToTheSecond)
{
    const std::tuple<qint16, qint16, qint16, bool> dates[] = {
        {29, 2, 2000, true},   {29, 2, 2004, true},  {29, 2, 2001, false}, {29, 2, 2100, false},
        {31, 4, 2001, false},  {31, 12, 2099, true}, {1, 1, 2100, false},  {1, 1, 1901, true},
        {31, 12, 1900, false}, {0, 1, 2001, false},  {1, 13, 2001, false}, {-1, 1, 2001, false},
        {1, -1, 2001, false},  {32, 1, 2001, false},
    };
    CDateTimeManager manager;
    for (const auto &[day, month, year, accepted] : dates) {
        ASSERT_TRUE(manager.SetDate(5, 6, 2003));
        EXPECT_EQ(manager.SetDate(day, month, year), accepted) << day << "/" << month << "/" << year;
        // Day and month stay where they were given, also when both could be a month.
        EXPECT_EQ(manager.ShortDate(), accepted ? QDate(year, month, day) : QDate(2003, 6, 5));
    }
    manager.SetShortDate(QDate(2004, 2, 29));
    manager.SetShortDate(QDate(2100, 1, 1));
    EXPECT_EQ(manager.ShortDate(), QDate(2004, 2, 29));

    EXPECT_TRUE(manager.SetTime(23, 59, 59));
    for (const auto &[h, m, s] : {std::tuple(24, 0, 0), {0, 60, 0}, {-1, 0, 0}, {0, -5, 0}, {0, 0, -1}})
        EXPECT_FALSE(manager.SetTime(qint16(h), qint16(m), qint16(s))) << h << ":" << m << ":" << s;
    EXPECT_EQ(manager.LongTime(), QTime(23, 59, 59));
    manager.SetLongTime(QTime(7, 8, 9, 500));
    EXPECT_EQ(manager.LongTime(), QTime(7, 8, 9));
    EXPECT_TRUE(manager.LongTimeText().contains(QLatin1String("08:09")));
}
