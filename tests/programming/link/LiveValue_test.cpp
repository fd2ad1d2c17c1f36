// Decoding one live poll: value text by decimal point, alarms and display state by status bits.
#include "programming/link/LiveValue.h"
#include "support/TempUserDirs.h"
#include "support/TraceCapture.h"

#include <gtest/gtest.h>

// Value, status word and decimal point; what shows: the text, the alarms on, the display
// state, and "traced" when the trace tells of a decimal point out of range.
TEST(LiveValue, TextAlarmsAndStateOfAPoll)
{
    TempUserDirs dirs;
    TraceCapture trace;
    const std::tuple<qint16, qint16, qint16, const char *> cases[] = {
        {1234, 0x0005, 2, "12.34 alarms 13 state 0"}, {-5, 0x000A, 1, "-0.5 alarms 24 state 0"},
        {-32768, 0, 0, "-32768 alarms  state 0"},     {7, 0, 3, "0.007 alarms  state 0"},
        {1234, 0, 4, "1234 alarms  state 0 traced"},  {99, 0, -1, "99 alarms  state 0 traced"},
        {10, 0x0010, 1, "1.0 alarms  state 1"},    // the state flag
        {10, 0x0020, 1, "EEEE alarms  state 2"},   // over-range
        {10, 0x0061, 1, "-EEEE alarms 1 state 3"}, // negative over-range
        {10, 0x0030, 0, "EEEE alarms  state 2"},   // over-range hides the state flag
        {10, 0x0040, 0, "10 alarms  state 0"},     // the sign alone is no over-range
    };
    for (const auto &[value, status, decimalPoint, shown] : cases) {
        const qsizetype traced = trace.Lines().filter("Punto decimale fuori campo").size();
        const CLiveValue live = DecodeLiveValue(value, status, decimalPoint);
        QString alarms;
        for (int k = 0; k < 4; ++k)
            alarms += live.AlarmStatus[k] ? QString::number(k + 1) : QString();
        const bool newTrace = trace.Lines().filter("Punto decimale fuori campo").size() > traced;
        EXPECT_EQ(
            QStringLiteral("%1 alarms %2 state %3").arg(live.VariableValue, alarms).arg(live.DisplayState) +
                (newTrace ? " traced" : ""),
            shown);
    }
}
