#include "common/NumberFormat.h"

#include <gtest/gtest.h>

TEST(NumberFormat, FollowsThePatternsOfTheProgram)
{
    struct Case
    {
        double value;
        const char *pattern;
        const char *expected;
    };
    const Case cases[] = {
        {12.345, "#0.00", "12.35"},
        {5, "000", "005"},
        {-0.5, "##0.0", "-0.5"},
        {0, "###0", "0"},
        {-1999, "###0", "-1999"},
        {0.125, "0.0 %", "12.5 %"},
        {7, "#", "7"},
        {0, "#", "0"},
        {1.005, "0.00", "1.01"},
        {1234 * 0.01, "#0.00", "12.34"},
        {-0.001, "0.00", "0.00"},
        {9, "00", "09"},
        {2.5, "0", "3"},
        {-2.5, "0", "-3"},
        {1.5, "0.##", "1.5"},
        {3, "#0 A", "3 A"},
        {-32768 * 0.001, "0.000", "-32.768"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FormatNumber(c.value, c.pattern, QLocale::c()), c.expected) << c.pattern << " " << c.value;
}

TEST(NumberFormat, UsesTheGivenLocaleSeparator)
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    EXPECT_EQ(FormatNumber(1.5, "0.0", italian), "1,5");
    EXPECT_EQ(FormatNumber(1500, "###0", italian), "1500");
    EXPECT_EQ(FormatNumber(1.5, "0.0", QLocale::c()), "1.5");
}
