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
    // readings as "address=value". Each poll starts uncancelled, as a new window's link does.
    QStringList Poll(int enough)
    {
        link.CancelTxRx(false);
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

// Instrument 2 gives no live block, instrument 3 no decimal point, either silent or refusing
// the read: each row reads Error, never the reading of the instrument polled before, and
// polling goes on; a refusal is told in the trace only.
TEST_F(LivePollTest, TheNetworkIsPolledInTurnAndAFailingInstrumentReadsError)
{
    comm.SetInterfaceType(itRS485);
    network.SetModeConfig(1);
    network.SetTotalInstrNetwork(4);
    for (const SimFault fault : {SimFault::Silence, SimFault::Exception}) {
        InstrumentSimulator line;
        line.AttachAsPort(1);
        for (int address = 1; address <= 4; ++address)
            line.AddInstrument(address, 38400).SetLiveValue(qint16(100 * address), 0);
        for (const auto &[address, refused] :
             {std::pair(2, kLiveValueBlockRegister), std::pair(3, kDecimalPointRegister)})
            line.InjectFault({fault, kAlways, address, 0, InstrumentSimulator::ForRegister(refused), 2});
        EXPECT_EQ(Poll(6), QStringList({"1=100", "2=Error", "3=Error", "4=400", "1=100", "2=Error"}));
    }
    EXPECT_TRUE(searchLines.contains(LoadResStringArgs(222, {4})) && messages.isEmpty());
    const QString illegalAddress = LoadResString(897);
    const QStringList refusals = trace.Lines().filter(QStringLiteral("Richiesta rifiutata"));
    const auto refusedAt = [&](int address, const QString &text) {
        return refusals.filter(QStringLiteral("indirizzo %1: ").arg(address) + text).size();
    };
    EXPECT_EQ(std::tuple(refusals.size(),
                         refusedAt(2, LoadResStringArgs(895, {"0x3001", "0x3006", illegalAddress})),
                         refusedAt(3, LoadResStringArgs(894, {"0xE008", illegalAddress}))),
              std::tuple(3, 2, 1));
}

// Over RS 485 a time-out or a refusal only marks the row; over RS 232 either ends the polling,
// as a port lost does anywhere, with its message; a refusal says that nothing was changed.
TEST_F(LivePollTest, OverRS232ALineErrorATimeOutOrARefusalEndsThePollingWithItsMessage)
{
    comm.SetInterfaceType(itRS232);
    network.SetSelNetworkAdd(1);
    network.SetNetworkAdd(1);
    const std::function<void(InstrumentSimulator &)> stops[] = {
        [](InstrumentSimulator &line) { line.HangUp(); },
        [](InstrumentSimulator &line) { line.InjectFault(SimFault::Silence, kAlways); },
        [](InstrumentSimulator &line) {
            line.InjectFault({SimFault::Exception, kAlways, 1, 0,
                              InstrumentSimulator::ForRegister(kLiveValueBlockRegister), 2});
        }};
    for (const auto &stop : stops) {
        InstrumentSimulator line;
        line.AttachAsPort(1);
        line.AddInstrument(1, 9600).SetLiveValue(5, 0);
        QObject::connect(&line, &InstrumentSimulator::RequestHeard, [&] {
            if (line.Requests().size() == 10)
                stop(line);
        });
        EXPECT_EQ(Poll(-1).value(0), "1=5");
    }
    EXPECT_EQ(messages, (QList<int>{890, 207, 895}));
    EXPECT_EQ(messageTexts.value(2),
              LoadResStringArgs(895, {"0x3001", "0x3006", LoadResString(897)}) + "\n\r" + LoadResString(892));
}

// The polls of tests/data/live_values.tsv; over-range hides the state flag, and the sign alone
// is no over-range.
TEST(LiveValue, TextAlarmsAndStateOfAPoll)
{
    TraceCapture trace;
    for (const QStringList &f : ReadDataTable(QStringLiteral("live_values.tsv"))) {
        const auto traced = [&] { return trace.Lines().filter("Punto decimale fuori campo").size(); };
        const qsizetype before = traced();
        const CLiveValue live =
            DecodeLiveValue(qint16(f[0].toInt()), qint16(f[1].toInt(nullptr, 16)), qint16(f[2].toInt()));
        QString alarms;
        for (int k = 0; k < 4; ++k)
            alarms += live.AlarmStatus[k] ? QString::number(k + 1) : QString();
        EXPECT_EQ(
            QStringLiteral("%1 alarms %2 state %3").arg(live.VariableValue, alarms).arg(live.DisplayState) +
                (traced() > before ? " traced" : ""),
            f[3]);
    }
}

} // namespace
