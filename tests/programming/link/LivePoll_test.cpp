// The live polling against simulated instruments (one over RS 232, networks over RS 485), and
// the decoding of one poll: value text by decimal point, alarms and display state by status bits.
#include "support/LinkFixtures.h"

#include "programming/link/InterfaceTypes.h"
#include "programming/link/LivePoll.h"
#include "programming/link/LiveValue.h"

namespace {

constexpr int kAlways = InstrumentSimulator::kAlways;

class LivePollTest : public ProcedureTest
{
protected:
    // Polls until `enough` readings have come, then cancels as the Close button does; the
    // readings as "address=value".
    QStringList Poll(int enough)
    {
        QStringList polled;
        CLivePollDisplay display;
        display.Polled = [&](qint16 address, const CLiveValue &live) {
            polled.append(QStringLiteral("%1=%2").arg(address).arg(live.VariableValue));
            if (polled.size() == enough)
                link.CancelTxRx(true);
        };
        CLivePoll(link, comm, network, Report(), display).Run();
        return polled;
    }
};

// Instrument 2 is silent, instrument 3 fails only its decimal point: each row reads Error,
// never the reading of the instrument polled before.
TEST_F(LivePollTest, TheNetworkIsPolledInTurnAndAFailingInstrumentReadsError)
{
    InstrumentSimulator line;
    line.AttachAsPort(1);
    comm.SetInterfaceType(itRS485);
    network.SetModeConfig(1);
    network.SetTotalInstrNetwork(4);
    for (int address = 1; address <= 4; ++address)
        line.AddInstrument(address, 38400).SetLiveValue(qint16(100 * address), 0);
    line.InjectFault(SimFault::Silence, kAlways, 2);
    line.InjectFault(
        {SimFault::Silence, kAlways, 3, 0, InstrumentSimulator::ForRegister(kDecimalPointRegister)});
    EXPECT_EQ(Poll(6), QStringList({"1=100", "2=Error", "3=Error", "4=400", "1=100", "2=Error"}));
    EXPECT_TRUE(searchLines.contains(LoadResStringArgs(222, {4})));
    EXPECT_TRUE(messages.isEmpty());
}

// Over RS 485 a time-out only marks the row; over RS 232 it ends the polling, as a line error
// does anywhere, with its message.
TEST_F(LivePollTest, OverRS232ALineErrorOrATimeOutEndsThePollingWithItsMessage)
{
    comm.SetInterfaceType(itRS232);
    network.SetSelNetworkAdd(1);
    network.SetNetworkAdd(1);
    for (const bool hangUp : {true, false}) {
        InstrumentSimulator line;
        line.AttachAsPort(1);
        line.AddInstrument(1, 9600).SetLiveValue(5, 0);
        QObject::connect(&line, &InstrumentSimulator::RequestHeard, [&] {
            if (line.Requests().size() == 10)
                hangUp ? line.HangUp() : line.InjectFault(SimFault::Silence, kAlways);
        });
        EXPECT_EQ(Poll(-1).value(0), "1=5");
    }
    EXPECT_EQ(messages, (QList<int>{206, 207}));
}

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

} // namespace
