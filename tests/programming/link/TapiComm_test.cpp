// The link's retry, time-out and cancel rules, and its port handling.
#include "Link_fixture.h"

#include <QSignalSpy>

namespace {

const QByteArray kProbe = ReadRequest(1, kProbeRegister, 1);

using TapiCommTest = LinkFixture;

struct TimeOutCase
{
    const char *what;
    friend void PrintTo(const TimeOutCase &c, std::ostream *os) { *os << c.what; }
    qint16 maxErrorTimeOut;
    int framesSent;
};

using TapiCommTimeOuts = LinkCases<TimeOutCase>;

TEST_P(TapiCommTimeOuts, SilenceEndsAfterMaxErrorTimeOutTimeOuts)
{
    ASSERT_TRUE(Open());
    link.SetMaxErrorTimeOut(GetParam().maxErrorTimeOut);
    EXPECT_EQ(exchange.Exchange(kProbe), leTimeOut);
    EXPECT_EQ(line.Requests().size(), GetParam().framesSent);
    EXPECT_FALSE(link.TxRxInProgress());
}

INSTANTIATE_TEST_SUITE_P(Limits, TapiCommTimeOuts,
                         ::testing::Values(TimeOutCase{"none", 0, 0}, TimeOutCase{"one", 1, 1},
                                           TimeOutCase{"three", 3, 3}),
                         CaseName());

// The order of the checks at a send step: cancel, line faults, time-outs, refused replies.
struct CheckOrderCase
{
    const char *what;
    friend void PrintTo(const CheckOrderCase &c, std::ostream *os) { *os << c.what; }
    bool cancel;
    int lineFaults;
    qint16 timeOutRxMs;
    qint16 maxErrorTimeOut;
    qint32 expected;
};

using TapiCommCheckOrder = LinkCases<CheckOrderCase>;

TEST_P(TapiCommCheckOrder, FirstLimitReachedDecides)
{
    const CheckOrderCase &c = GetParam();
    ASSERT_TRUE(Open());
    link.SetTimeOutRx(c.timeOutRxMs);
    link.SetMaxErrorTimeOut(c.maxErrorTimeOut);
    DuringNextExchange([&] {
        PlayLineFaults(c.lineFaults);
        if (c.cancel)
            link.CancelTxRx(true);
    });
    EXPECT_EQ(exchange.Exchange(kProbe), c.expected) << c.what;
}

// A 50 ms time-out falls due before the first manager tick; 5000 ms never does here.
INSTANTIATE_TEST_SUITE_P(
    Limits, TapiCommCheckOrder,
    ::testing::Values(CheckOrderCase{"three line faults", false, 3, 5000, 3, leUART},
                      CheckOrderCase{"two line faults are retried", false, 2, 250, 1, leTimeOut},
                      CheckOrderCase{"line faults before time-outs", false, 3, 50, 1, leUART},
                      CheckOrderCase{"cancel before line faults", true, 3, 50, 1, leCancelled},
                      CheckOrderCase{"cancel before time-outs", true, 0, 50, 1, leCancelled}),
    CaseName());

TEST_F(TapiCommTest, LineFaultsRetryTheFrameUntilTheReplyComes)
{
    line.AddInstrument(1).SetProbe(28);
    ASSERT_TRUE(Open());
    line.InjectFault(SimFault::Silence, 1);
    DuringNextExchange([&] { PlayLineFaults(2); });
    qint16 probe = 0;
    EXPECT_EQ(exchange.ReadRegister(1, kProbeRegister, probe), leNone);
    EXPECT_EQ(probe, 28);
    EXPECT_EQ(line.Requests().size(), 2);
}

TEST_F(TapiCommTest, LineEventsBetweenExchangesSendNothing)
{
    line.AddInstrument(1);
    ASSERT_TRUE(Open());
    PlayLineFaults(3);
    WaitUntil([] { return false; }, 3 * CTapiComm::kManagerIntervalMs);
    EXPECT_TRUE(line.Requests().isEmpty());
    EXPECT_EQ(exchange.Exchange(kProbe), leNone);
    EXPECT_EQ(line.Requests().size(), 1);
}

TEST_F(TapiCommTest, CancelActsAtTheNextSendStepAndStays)
{
    line.AddInstrument(1).SetProbe(27);
    ASSERT_TRUE(Open());

    // An exchange that gets its answer ends well although the cancel came meanwhile.
    DuringNextExchange([&] { link.CancelTxRx(true); });
    EXPECT_EQ(exchange.Exchange(kProbe), leNone);
    // Every later exchange ends at once, nothing sent.
    EXPECT_EQ(exchange.Exchange(kProbe), leCancelled);
    EXPECT_EQ(exchange.Exchange(kProbe), leCancelled);
    EXPECT_EQ(line.Requests().size(), 1);

    link.CancelTxRx(false);
    line.InjectFault(SimFault::Silence, InstrumentSimulator::kAlways);
    // Cancelled while waiting for a silent instrument: over at the next time-out's re-send.
    DuringNextExchange([&] { link.CancelTxRx(true); }, 50);
    EXPECT_EQ(exchange.Exchange(kProbe), leCancelled);
    EXPECT_EQ(line.Requests().size(), 2);
}

TEST_F(TapiCommTest, FrameAndLengthAreFixedWhileAnExchangeRuns)
{
    ASSERT_TRUE(Open());
    const QByteArray other = ReadRequest(9, kModuleBlockRegister, 7);
    DuringNextExchange([&] {
        link.SetFrameTx(other);
        link.SetByteToReceive(19);
    });
    EXPECT_EQ(exchange.Exchange(kProbe), leTimeOut);
    EXPECT_EQ(link.ByteToReceive(), 7);
    EXPECT_THAT(line.Requests(), ::testing::Each(kProbe));
    EXPECT_EQ(line.Requests().size(), 3);
}

TEST_F(TapiCommTest, PortInUseOrUnknownDoesNotOpen)
{
    TraceCapture trace;
    link.SetDTR(true);
    EXPECT_FALSE(link.DTR()); // no port yet: ignored
    ASSERT_TRUE(Open());

    CTapiComm second;
    second.Create();
    EXPECT_FALSE(second.OpenRs232(1, 3, 0));
    EXPECT_FALSE(second.OpenRs232(5, 3, 0));
    link.CloseRs232();
    EXPECT_FALSE(second.OpenRs232(1, 6, 0));
    EXPECT_FALSE(second.OpenRs232(1, 3, 3));
    EXPECT_TRUE(second.OpenRs232(1, 3, 0));
    EXPECT_THAT(trace.Lines(), ::testing::IsSupersetOf(
                                   {QStringLiteral("Porta COM1 già aperta o non presente sul sistema."),
                                    QStringLiteral("Porta COM5 già aperta o non presente sul sistema.")}));
}

TEST_F(TapiCommTest, LineEventsAreTracedOnlyWhenEverythingIs)
{
    line.AddInstrument(1);
    ASSERT_TRUE(Open());
    {
        TraceCapture trace;
        g_Trace->SetBugTraceMode(CTraceCode::tmTraceNormal);
        line.InjectFault(SimFault::BadCrc, 1);
        EXPECT_EQ(exchange.Exchange(kProbe), leNone);
        const QStringList lines = trace.Lines();
        EXPECT_THAT(lines, ::testing::Contains(QStringLiteral("Errore di CRC nr.1")));
        EXPECT_TRUE(std::none_of(lines.begin(), lines.end(), [](const QString &l) {
            return l.startsWith(QStringLiteral("CommStatus event:"));
        }));
    }
    TraceCapture trace; // everything, as with /DEBUG_ALL
    EXPECT_EQ(exchange.Exchange(kProbe), leNone);
    EXPECT_THAT(trace.Lines(), ::testing::Contains(QStringLiteral("CommStatus event:15->7")));
}

} // namespace

namespace {

// Owners that do not poll (CommMode 0) learn the end of an exchange from its notification.
TEST(TapiCommNotifications, RaisedOnlyInCommModeZero)
{
    TempUserDirs dirs;
    InstrumentSimulator line;
    line.AttachAsPort(1);
    line.AddInstrument(1);
    CTapiComm link;
    link.Create();
    link.SetMaxErrorTimeOut(1);
    link.SetTimeOutRx(50);
    ASSERT_TRUE(link.OpenRs232(1, 3, 0));
    QSignalSpy ended(&link, &CTapiComm::EndTxRx);
    QSignalSpy timedOut(&link, &CTapiComm::TimeOutError);
    for (qint32 mode : {0, 1}) {
        link.SetCommMode(mode);
        for (quint8 address : {1, 2}) {
            link.SetFrameTx(ReadRequest(address, kProbeRegister, 1));
            link.SetByteToReceive(7);
            link.StartTxRx();
            link.WaitTxRx();
        }
    }
    EXPECT_EQ(ended.size(), 1);
    EXPECT_EQ(timedOut.size(), 1);
}

} // namespace
