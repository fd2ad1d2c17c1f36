#include "common/NumberFormat.h"

#include <gtest/gtest.h>

TEST(NumberFormat, FollowsThePatternsOfTheProgram)
{
    const std::tuple<double, const char *, const char *> cases[] = {
        {12.345, "#0.00", "12.35"},
        {5, "000", "005"},
        {-0.5, "##0.0", "-0.5"},
        {0, "###0", "0"},
        {0.125, "0.0 %", "12.5 %"},
        {0, "#", "0"},
        {1.005, "0.00", "1.01"},
        {-0.001, "0.00", "0.00"},
        {2.5, "0", "3"},
        {-2.5, "0", "-3"},
        {1.5, "0.##", "1.5"},
        {3, "#0 A", "3 A"},
        {1234 * 0.01, "#0.00", "12.34"},
        {-32768 * 0.001, "0.000", "-32.768"},
    };
    for (const auto &[value, pattern, expected] : cases)
        EXPECT_EQ(FormatNumber(value, pattern, QLocale::c()), expected) << pattern << " " << value;
    EXPECT_EQ(FormatNumber(1.5, "0.0", QLocale(QLocale::Italian, QLocale::Italy)), "1,5");
}
