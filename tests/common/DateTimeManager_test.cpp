#include "common/DateTimeManager.h"

#include "support/DataTable.h"

TEST(DateTimeManager, TakesOnlyCheckedDatesAndTimesToTheSecond)
{
    CDateTimeManager manager;
    for (const QStringList &f : ReadDataTable(QStringLiteral("checked_dates.tsv"))) {
        const qint16 day = f[0].toShort(), month = f[1].toShort(), year = f[2].toShort();
        ASSERT_TRUE(manager.SetDate(5, 6, 2003));
        EXPECT_EQ(manager.SetDate(day, month, year), f[3] == "yes") << f.join(' ').toStdString();
        // Day and month stay where they were given, also when both could be a month.
        EXPECT_EQ(manager.ShortDate(), f[3] == "yes" ? QDate(year, month, day) : QDate(2003, 6, 5));
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
