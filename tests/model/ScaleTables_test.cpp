#include "support/DataTable.h"
#include "support/Model_fixture.h"

TEST(ScaleTables, FindsTheRangeOfModelModuleProbeAndRange)
{
    for (const QStringList &f : ReadDataTable(QStringLiteral("scale_ranges.tsv"))) {
        const auto r = FindScaleRange(f[0].toShort(), f[1].toShort(), f[2].toShort(), f[3].toShort());
        const QStringList found = r ? QStringList{QString::number(r->Min), QString::number(r->Max),
                                                  QString::number(r->Step), r->Format, r->Unit}
                                    : QStringList{"-"};
        EXPECT_EQ(found.join('|').toStdString(), f.mid(4).join('|').toStdString())
            << f.join(' ').toStdString();
    }
}

TEST(ScaleTables, FormatsElectricAndMeasureValues)
{
    EXPECT_EQ(FormatElectric(-1999, FindScaleRange(0, 3, 1, 3)), "-199.9 °C");
    EXPECT_EQ(FormatElectric(500, FindScaleRange(0, 2, 0, 5)), "500 V");
    EXPECT_EQ(FormatElectric(500, FindScaleRange(0, 2, 0, 2)), "5.00 A");
    EXPECT_EQ(FormatElectric(321, std::nullopt), "321");
    EXPECT_EQ(FormatMeasure(1234, 2) + " " + FormatMeasure(-5, 3), "12.34 -0.005");
    EXPECT_EQ(FormatMeasure(1234, 4) + " " + FormatMeasure(1234, -1), "1234 1234");
}
