// Decoding one live poll: value text by decimal point, alarms and display state by status bits.
#include "Link_fixture.h"

#include "model/Model_fixture.h"
#include "programming/link/LiveValue.h"

namespace {

struct LiveCase
{
    const char *what;
    friend void PrintTo(const LiveCase &c, std::ostream *os) { *os << c.what; }
    qint16 value;
    qint16 status;
    qint16 decimalPoint;
    const char *text;
    std::array<bool, 4> alarms;
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
    EXPECT_EQ(live.AlarmStatus, c.alarms);
    EXPECT_EQ(live.DisplayState, c.displayState);
    EXPECT_EQ(trace.Lines().filter(QStringLiteral("Punto decimale fuori campo")).size(), c.traced ? 1 : 0);
}

constexpr std::array<bool, 4> kNone{};

INSTANTIATE_TEST_SUITE_P(
    Polls, LiveValueDecoding,
    ::testing::Values(
        LiveCase{"two decimals", 1234, 0, 2, "12.34", kNone, CLiveValue::dsNormal, false},
        LiveCase{"negative one decimal", -5, 0, 1, "-0.5", kNone, CLiveValue::dsNormal, false},
        LiveCase{"no decimals", -32768, 0, 0, "-32768", kNone, CLiveValue::dsNormal, false},
        LiveCase{"three decimals", 7, 0, 3, "0.007", kNone, CLiveValue::dsNormal, false},
        LiveCase{"decimal point 4 shows the count", 1234, 0, 4, "1234", kNone, CLiveValue::dsNormal, true},
        LiveCase{"negative decimal point", 99, 0, -1, "99", kNone, CLiveValue::dsNormal, true},
        LiveCase{
            "alarms 1 and 3", 10, 0x0005, 0, "10", {true, false, true, false}, CLiveValue::dsNormal, false},
        LiveCase{
            "alarms 2 and 4", 10, 0x000A, 0, "10", {false, true, false, true}, CLiveValue::dsNormal, false},
        LiveCase{"state flag", 10, 0x0010, 1, "1.0", kNone, CLiveValue::dsStateFlag, false},
        LiveCase{"over-range", 10, 0x0020, 1, "EEEE", kNone, CLiveValue::dsOverRange, false},
        LiveCase{"negative over-range",
                 10,
                 0x0061,
                 1,
                 "-EEEE",
                 {true, false, false, false},
                 CLiveValue::dsNegativeOverRange,
                 false},
        LiveCase{"over-range hides the state flag", 10, 0x0030, 0, "EEEE", kNone, CLiveValue::dsOverRange,
                 false},
        LiveCase{"sign alone is no over-range", 10, 0x0040, 0, "10", kNone, CLiveValue::dsNormal, false}),
    CaseName());

TEST(LiveValueError, ShowsErrorWithEveryAlarmOff)
{
    const CLiveValue error = CLiveValue::Error();
    EXPECT_EQ(error.VariableValue, QStringLiteral("Error"));
    EXPECT_EQ(error.AlarmStatus, kNone);
    EXPECT_EQ(error.DisplayState, CLiveValue::dsNormal);
}

} // namespace
