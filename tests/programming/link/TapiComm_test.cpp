// The link's retry, time-out and cancel rules, and its port handling.
#include "Link_fixture.h"

namespace {

const QByteArray kProbe = ReadRequest(1, kProbeRegister, 1);

using TapiCommTest = LinkFixture;

void PlayLineFaults(CTapiComm &link, int count)
{
    for (int i = 0; i < count; ++i)
        Q_EMIT link.Rs232Control().CommStatus(Platform::sscReadError, QStringLiteral("test"));
}

// The order of the checks at a send step: cancel, line faults, time-outs, refused replies.
struct LimitCase
{
    const char *what;
    bool cancel;
    int lineFaults;
    qint16 timeOutRxMs;
    qint16 maxErrorTimeOut;
    qint32 expected;
    int framesSent;
};

using TapiCommLimits = LinkCases<LimitCase>;

TEST_P(TapiCommLimits, FirstLimitReachedDecides)
{
    const LimitCase &c = GetParam();
    ASSERT_TRUE(Open());
    link.SetTimeOutRx(c.timeOutRxMs);
    link.SetMaxErrorTimeOut(c.maxErrorTimeOut);
    DuringNextExchange([&] {
        PlayLineFaults(link, c.lineFaults);
        if (c.cancel)
            link.CancelTxRx(true);
    });
    EXPECT_EQ(exchange.Exchange(kProbe), c.expected);
    EXPECT_TRUE(c.framesSent < 0 || line.Requests().size() == c.framesSent) << line.Requests().size();
    EXPECT_FALSE(link.TxRxInProgress());
}

// A 50 ms time-out falls due before the first manager tick; 5000 ms never does here.
INSTANTIATE_TEST_SUITE_P(
    Limits, TapiCommLimits,
    ::testing::Values(LimitCase{"no time-out allowed", false, 0, 250, 0, leTimeOut, 0},
                      LimitCase{"one time-out", false, 0, 250, 1, leTimeOut, 1},
                      LimitCase{"three time-outs", false, 0, 250, 3, leTimeOut, 3},
                      LimitCase{"three line faults", false, 3, 5000, 3, leUART, -1},
                      LimitCase{"two line faults are retried", false, 2, 250, 1, leTimeOut, -1},
                      LimitCase{"line faults before time-outs", false, 3, 50, 1, leUART, -1},
                      LimitCase{"cancel before line faults", true, 3, 50, 1, leCancelled, -1},
                      LimitCase{"cancel before time-outs", true, 0, 50, 1, leCancelled, -1}),
    CaseName());

TEST_F(TapiCommTest, LineEventsBetweenExchangesSendNothing)
{
    line.AddInstrument(1);
    ASSERT_TRUE(Open());
    PlayLineFaults(link, 3);
    WaitUntil([] { return false; }, 3 * CTapiComm::kManagerIntervalMs);
    EXPECT_TRUE(line.Requests().isEmpty());
    EXPECT_EQ(exchange.Exchange(kProbe), leNone);
    EXPECT_EQ(line.Requests().size(), 1);
}

TEST_F(TapiCommTest, CancelActsAtTheNextSendStepAndStays)
{
    line.AddInstrument(1);
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

// Something else ends every event loop (the program is told to quit): the wait may not come
// back with an exchange that still runs and an Error of 0.
TEST_F(TapiCommTest, AnAbortedWaitEndsTheExchangeAsACancel)
{
    ASSERT_TRUE(Open());
    qint32 error = -1;
    QTimer::singleShot(0, &link, [&] { error = exchange.Exchange(kProbe); });
    QTimer::singleShot(50, &link, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    EXPECT_EQ(error, leCancelled);
    EXPECT_FALSE(link.TxRxInProgress());
    line.AddInstrument(1);
    EXPECT_EQ(exchange.Exchange(kProbe), leNone);
}

TEST_F(TapiCommTest, FrameAndLengthAreFixedWhileAnExchangeRuns)
{
    ASSERT_TRUE(Open());
    DuringNextExchange([&] {
        link.SetFrameTx(ReadRequest(9, kModuleBlockRegister, 7));
        link.SetByteToReceive(19);
    });
    EXPECT_EQ(exchange.Exchange(kProbe), leTimeOut);
    EXPECT_EQ(link.ByteToReceive(), 7);
    EXPECT_THAT(line.Requests(), ::testing::Each(kProbe));
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
    // Nor on a port that is open already.
    EXPECT_FALSE(second.OpenRs232(1, 6, 0));
    EXPECT_FALSE(second.OpenRs232(1, 3, -1));
    EXPECT_EQ(trace.Lines().count(QStringLiteral("Porta COM1 già aperta o non presente sul sistema.")), 5);
    EXPECT_TRUE(trace.Lines().contains(QStringLiteral("Porta COM5 già aperta o non presente sul sistema.")));
}

} // namespace
