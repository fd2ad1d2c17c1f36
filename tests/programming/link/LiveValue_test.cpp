// Decoding one live poll: value text by decimal point, alarms and display state by status bits.
#include "support/LinkFixtures.h"

#include "programming/link/LiveValue.h"

namespace {

struct LiveCase
{
    const char *what;
    qint16 value, status, decimalPoint;
    const char *text;
    int alarms; // bit 0 is alarm 1
    qint32 displayState;
    bool traced;
};

class LiveValueDecoding : public ::testing::TestWithParam<LiveCase>
{
protected:
    TempUserDirs dirs;
    TraceCapture trace;
};

TEST_P(LiveValueDecoding, TextAlarmsAndState)
{
    const LiveCase &c = GetParam();
    const CLiveValue live = DecodeLiveValue(c.value, c.status, c.decimalPoint);
    EXPECT_EQ(live.VariableValue, QString::fromLatin1(c.text));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(live.AlarmStatus[i], bool(c.alarms & (1 << i))) << "alarm " << i + 1;
    EXPECT_EQ(live.DisplayState, c.displayState);
    EXPECT_EQ(trace.Lines().filter(QStringLiteral("Punto decimale fuori campo")).size(), c.traced ? 1 : 0);
}

using LV = CLiveValue;
INSTANTIATE_TEST_SUITE_P(
    Polls, LiveValueDecoding,
    ::testing::Values(
        LiveCase{"two decimals", 1234, 0, 2, "12.34", 0, LV::dsNormal, false},
        LiveCase{"negative one decimal", -5, 0, 1, "-0.5", 0, LV::dsNormal, false},
        LiveCase{"no decimals", -32768, 0, 0, "-32768", 0, LV::dsNormal, false},
        LiveCase{"three decimals", 7, 0, 3, "0.007", 0, LV::dsNormal, false},
        LiveCase{"decimal point 4 shows the count", 1234, 0, 4, "1234", 0, LV::dsNormal, true},
        LiveCase{"negative decimal point", 99, 0, -1, "99", 0, LV::dsNormal, true},
        LiveCase{"alarms 1 and 3", 10, 0x0005, 0, "10", 0x5, LV::dsNormal, false},
        LiveCase{"alarms 2 and 4", 10, 0x000A, 0, "10", 0xA, LV::dsNormal, false},
        LiveCase{"state flag", 10, 0x0010, 1, "1.0", 0, LV::dsStateFlag, false},
        LiveCase{"over-range", 10, 0x0020, 1, "EEEE", 0, LV::dsOverRange, false},
        LiveCase{"negative over-range", 10, 0x0061, 1, "-EEEE", 0x1, LV::dsNegativeOverRange, false},
        LiveCase{"over-range hides the state flag", 10, 0x0030, 0, "EEEE", 0, LV::dsOverRange, false},
        LiveCase{"sign alone is no over-range", 10, 0x0040, 0, "10", 0, LV::dsNormal, false}),
    CaseName());

TEST(LiveValueError, ShowsErrorWithEveryAlarmOff)
{
    const CLiveValue error = CLiveValue::Error();
    EXPECT_EQ(error.VariableValue, QStringLiteral("Error"));
    EXPECT_EQ(error.AlarmStatus, (std::array<bool, 4>{}));
    EXPECT_EQ(error.DisplayState, CLiveValue::dsNormal);
}

} // namespace
