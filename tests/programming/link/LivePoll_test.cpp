// The live polling against simulated instruments: one over RS 232, networks over RS 485.
#include "support/LinkFixtures.h"

#include "programming/link/InterfaceTypes.h"
#include "programming/link/LivePoll.h"

namespace {

class LivePollTest : public ProcedureTest
{
protected:
    void SetUp() override
    {
        ProcedureTest::SetUp();
        line.AttachAsPort(1);
    }
    // A network of instruments at addresses 1 to count, each showing 100 times its address.
    void Network(int count)
    {
        comm.SetInterfaceType(itRS485);
        network.SetModeConfig(1);
        network.SetTotalInstrNetwork(qint16(count));
        for (int address = 1; address <= count; ++address)
            line.AddInstrument(address, 38400).SetLiveValue(qint16(100 * address), 0);
    }
    // Polls until `enough` holds for the readings so far, then cancels as the Close button
    // does; the readings, address and value text.
    void PollUntil(const std::function<bool()> &enough)
    {
        CLivePollDisplay display;
        display.Polled = [this](qint16 address, const CLiveValue &live) {
            polled.append({address, live.VariableValue});
        };
        CancelWhen(enough);
        CLivePoll(link, comm, network, Report(), display).Run();
    }
    QStringList ValuesOf(int address) const
    {
        QStringList values;
        for (const auto &[at, value] : polled)
            if (at == address)
                values.append(value);
        return values;
    }

    InstrumentSimulator line;
    QList<QPair<int, QString>> polled;
};

TEST_F(LivePollTest, TheNetworkIsPolledInTurnAndASilentInstrumentReadsErrorMeanwhile)
{
    Network(3);
    line.InjectFault(SimFault::Silence, InstrumentSimulator::kAlways, 2);
    PollUntil([this] { return polled.size() >= 7; });
    QList<int> order;
    for (const auto &[address, value] : polled)
        order.append(address);
    EXPECT_EQ(order.mid(0, 7), (QList<int>{1, 2, 3, 1, 2, 3, 1}));
    EXPECT_EQ(ValuesOf(1).value(1), QStringLiteral("100"));
    EXPECT_EQ(ValuesOf(2).value(1), QStringLiteral("Error"));
    EXPECT_EQ(ValuesOf(3).value(1), QStringLiteral("300"));
    EXPECT_TRUE(searchLines.contains(LoadResStringArgs(222, {3})));
    EXPECT_TRUE(messages.isEmpty());
}

// The decimal point is read apart: when only it fails, the row may not show the reading of
// the instrument polled before.
TEST_F(LivePollTest, ATimedOutDecimalPointReadsError)
{
    Network(3);
    line.Instrument(2)->SetSilentRegister(kDecimalPointRegister);
    PollUntil([this] { return polled.size() >= 3; });
    EXPECT_EQ(ValuesOf(2).value(0), QStringLiteral("Error"));
    EXPECT_EQ(ValuesOf(3).value(0), QStringLiteral("300"));
}

struct FailureCase
{
    const char *what;
    std::function<void(InstrumentSimulator &)> fail;
    int messageId;
};

using LivePollFailures = ProcedureCases<LivePollTest, FailureCase>;

// Which message a link error brings is the procedures' common rule (SerialTransfer_test); here
// a line error and, over RS 232 only, a time-out end the polling.
TEST_P(LivePollFailures, OverRS232ALinkFailureEndsThePollingWithItsMessage)
{
    comm.SetInterfaceType(itRS232);
    line.AddInstrument(1, 9600).SetLiveValue(5, 0);
    network.SetSelNetworkAdd(1);
    network.SetNetworkAdd(1);
    QObject::connect(&line, &InstrumentSimulator::RequestHeard, [&] {
        if (line.Requests().size() == 10)
            GetParam().fail(line);
    });
    PollUntil([] { return false; });
    EXPECT_EQ(messages, QList<int>{GetParam().messageId});
    EXPECT_EQ(ValuesOf(1).value(0), QStringLiteral("5"));
}

constexpr int kAlways = InstrumentSimulator::kAlways;

INSTANTIATE_TEST_SUITE_P(Errors, LivePollFailures,
                         ::testing::Values(FailureCase{"line error",
                                                       [](InstrumentSimulator &line) { line.HangUp(); }, 206},
                                           FailureCase{"time-out",
                                                       [](InstrumentSimulator &line) {
                                                           line.InjectFault(SimFault::Silence, kAlways);
                                                       },
                                                       207}),
                         CaseName());

} // namespace
