#include "support/DataTable.h"
#include "support/Model_fixture.h"

void PrintTo(const ScaleRangeInfo &r, std::ostream *os)
{
    *os << r.Min << ".." << r.Max << " x" << r.Step << " '" << r.Format.toStdString() << "'"
        << r.Unit.toStdString();
}

TEST(ScaleTables, FindsTheRangeOfModelModuleProbeAndRange)
{
    for (const QStringList &f : ReadDataTable(QStringLiteral("scale_ranges.tsv"))) {
        std::optional<ScaleRangeInfo> expected;
        if (f.size() == 9)
            expected =
                ScaleRangeInfo{qint16(f[4].toInt()), qint16(f[5].toInt()), f[6].toDouble(), f[7], f[8]};
        EXPECT_EQ(FindScaleRange(f[0].toShort(), f[1].toShort(), f[2].toShort(), f[3].toShort()), expected)
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
