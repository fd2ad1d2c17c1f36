#include "support/Model_fixture.h"

void PrintTo(const ScaleRangeInfo &r, std::ostream *os)
{
    *os << r.Min << ".." << r.Max << " x" << r.Step << " '" << r.Format.toStdString() << "'"
        << r.Unit.toStdString();
}

TEST(ScaleTables, FindsTheRangeOfModelModuleProbeAndRange)
{
    const struct
    {
        qint16 model, slotA, probe, range;
        ScaleRangeInfo expected;
    } cases[] = {
        {1, 0, 0, 1, {0, 2000, 0.001, "0.000", " mA"}}, {2, 1, 9, 1, {0, 2000, 0.001, "0.000", " mA"}},
        {0, 0, 0, 5, {0, 1999, 0.01, "#0.00", " V"}},   {2, 2, 0, 5, {0, 5000, 0.1, "##0.0", " V"}},
        {0, 2, 0, 5, {0, 500, 1, "##0", " V"}},         {0, 2, 0, 2, {0, 500, 0.01, "#0.00", " A"}},
        {1, 2, 0, 2, {0, 5000, 0.001, "0.000", " A"}},  {0, 3, 0, 0, {-50, 760, 1, "##0", " °C"}},
        {1, 3, 0, 4, {350, 1750, 1, "###0", " °C"}},    {1, 3, 1, 0, {-200, 850, 1, "##0", " °C"}},
        {0, 3, 1, 0, {-199, 850, 1, "##0", " °C"}},     {0, 3, 1, 3, {-1999, 1999, 0.1, "##0.0", " °C"}},
        {2, 3, 1, 5, {-60, 180, 1, "##0", " °C"}},      {1, 3, 2, 2, {0, 2000, 0.001, "0.000", " KOhm"}},
        {0, 3, 2, 0, {0, 1999, 0.01, "#0.00", " Ohm"}}, {7, 0, 0, 3, {0, 2000, 0.1, "##0.0", " mV"}},
    };
    for (const auto &c : cases) {
        const std::optional<ScaleRangeInfo> found = FindScaleRange(c.model, c.slotA, c.probe, c.range);
        EXPECT_EQ(found, c.expected) << c.model << c.slotA << c.probe << c.range;
    }
}

TEST(ScaleTables, ValuesWithoutTableOrRowGiveNoRange)
{
    const qint16 none[][4] = {{1, 4, 0, 0},  {1, -1, 0, 0}, {1, 3, 3, 0},
                              {1, 3, -1, 0}, {1, 0, 0, 6},  {0, 2, 0, -1}};
    for (const auto &v : none)
        EXPECT_FALSE(FindScaleRange(v[0], v[1], v[2], v[3])) << v[0] << v[1] << v[2] << v[3];
}

TEST(ScaleTables, FormatsElectricAndMeasureValues)
{
    EXPECT_EQ(FormatElectric(-1999, FindScaleRange(0, 3, 1, 3)), "-199.9 °C");
    EXPECT_EQ(FormatElectric(500, FindScaleRange(0, 2, 0, 5)), "500 V");
    EXPECT_EQ(FormatElectric(500, FindScaleRange(0, 2, 0, 2)), "5.00 A");
    EXPECT_EQ(FormatElectric(321, std::nullopt), "321");
    EXPECT_EQ(FormatMeasure(1234, 2), "12.34");
    EXPECT_EQ(FormatMeasure(-5, 3), "-0.005");
    EXPECT_EQ(FormatMeasure(1234, 4), "1234");
    EXPECT_EQ(FormatMeasure(1234, -1), "1234");
}
