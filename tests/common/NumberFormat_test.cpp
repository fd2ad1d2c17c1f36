#include "common/NumberFormat.h"
#include "support/DataTable.h"

TEST(NumberFormat, FollowsThePatternsOfTheProgram)
{
    for (const QStringList &f : ReadDataTable(QStringLiteral("number_format.tsv")))
        EXPECT_EQ(FormatNumber(f[0].toDouble(), f[1], f.size() > 3 ? QLocale(f[3]) : QLocale::c()), f[2])
            << f.join(' ').toStdString();
}
