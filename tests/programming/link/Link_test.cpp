// The link's exchanges end to end: CTapiComm, the serial port layer and a simulated line.
#include "support/LinkFixtures.h"

#include "programming/link/AuxExchange.h"
#include "programming/link/AuxProtocol.h"
#include "support/SimAuxLine.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

const QByteArray kProbe = ReadRequest(1, kProbeRegister, 1);
constexpr int kAny = InstrumentSimulator::kAnyAddress;
constexpr int kAlways = InstrumentSimulator::kAlways;
constexpr int kNoFault = 0;

// One probe of the instrument at address 1: the faults of its line, the line faults and the
// cancel played inside the wait, the link's limits, and how it ends. The checks run in the
// order cancel, line faults, time-outs, refusals.
struct ExchangeCase
{
    const char *what;
    SimFault fault;
    int faultTimes; // kNoFault: none
    int lineFaults;
    bool cancel;
    qint16 timeOutRx, maxTimeOuts;
    qint32 expected;
    int framesSent; // -1: any
};

using LinkExchange = LinkCases<ExchangeCase>;

constexpr qint16 kCode = qint16(ModuleCodeBits::ModelIXO | ModuleCodeBits::SlotAMask);

TEST_P(LinkExchange, EndsAsTheFirstLimitReachedDecides)
{
    const ExchangeCase &c = GetParam();
    line.AddInstrument(1).SetModuleCode(kCode);
    line.SetFaultDelayMs(c.fault == SimFault::Late ? 1000 : 30);
    if (c.faultTimes != kNoFault)
        line.InjectFault(c.fault, c.faultTimes);
    ASSERT_TRUE(Open());
    link.SetTimeOutRx(c.timeOutRx);
    link.SetMaxErrorTimeOut(c.maxTimeOuts);
    DuringNextExchange([&] {
        for (int i = 0; i < c.lineFaults; ++i)
            Q_EMIT link.Rs232Control().CommStatus(Platform::sscReadError, QStringLiteral("test"));
        link.CancelTxRx(c.cancel);
    });
    QVector<qint16> block{-1};
    EXPECT_EQ(exchange.ReadRegisters(1, kModuleBlockRegister, kModuleBlockCount, block), c.expected);
    EXPECT_TRUE(c.framesSent < 0 || line.Requests().size() == c.framesSent) << line.Requests().size();
    EXPECT_EQ(block.at(c.expected == leNone ? 4 : 0), c.expected == leNone ? kCode : -1);
    EXPECT_FALSE(link.TxRxInProgress());
}

// A 50 ms time-out falls due before the first manager tick; 5000 ms never does here.
INSTANTIATE_TEST_SUITE_P(
    Limits, LinkExchange,
    ::testing::Values(
        ExchangeCase{"no time-out allowed", SimFault::Silence, kAlways, 0, false, 250, 0, leTimeOut, 0},
        ExchangeCase{"one time-out", SimFault::Silence, kAlways, 0, false, 250, 1, leTimeOut, 1},
        ExchangeCase{"three time-outs", SimFault::Silence, kAlways, 0, false, 250, 3, leTimeOut, 3},
        ExchangeCase{"silent once", SimFault::Silence, 1, 0, false, 250, 3, leNone, 2},
        ExchangeCase{"late", SimFault::Late, kAlways, 0, false, 250, 3, leTimeOut, 3},
        ExchangeCase{"split in two", SimFault::Split, kAlways, 0, false, 250, 3, leNone, 1},
        ExchangeCase{"bad CRC three times", SimFault::BadCrc, 3, 0, false, 250, 3, leCRC, 3},
        ExchangeCase{"bad CRC twice", SimFault::BadCrc, 2, 0, false, 250, 3, leNone, 3},
        ExchangeCase{"foreign address", SimFault::ForeignAddress, kAlways, 0, false, 250, 3, leCRC, 3},
        ExchangeCase{"garbage", SimFault::Garbage, kAlways, 0, false, 250, 3, leCRC, 3},
        ExchangeCase{"three line faults", SimFault::Silence, kAlways, 3, false, 5000, 3, leUART, -1},
        ExchangeCase{"two line faults are retried", SimFault::Silence, kAlways, 2, false, 250, 1, leTimeOut,
                     -1},
        ExchangeCase{"line faults before time-outs", SimFault::Silence, kAlways, 3, false, 50, 1, leUART, -1},
        ExchangeCase{"cancel before line faults", SimFault::Silence, kAlways, 3, true, 50, 1, leCancelled,
                     -1},
        ExchangeCase{"cancel before time-outs", SimFault::Silence, kAlways, 0, true, 50, 1, leCancelled, 1},
        ExchangeCase{"cancel after the answer came", SimFault::Silence, kNoFault, 0, true, 250, 3, leNone,
                     1}),
    CaseName());

using LinkTest = LinkFixture;

TEST_F(LinkTest, ACancelStaysAndLineEventsBetweenExchangesSendNothing)
{
    line.AddInstrument(1);
    ASSERT_TRUE(Open());
    for (int i = 0; i < 3; ++i)
        Q_EMIT link.Rs232Control().CommStatus(Platform::sscReadError, QStringLiteral("test"));
    WaitUntil([] { return false; }, 3 * CTapiComm::kManagerIntervalMs);
    EXPECT_TRUE(line.Requests().isEmpty());
    link.CancelTxRx(true);
    EXPECT_EQ(exchange.Exchange(kProbe), leCancelled);
    EXPECT_EQ(exchange.Exchange(kProbe), leCancelled);
    EXPECT_TRUE(line.Requests().isEmpty());
    link.CancelTxRx(false);
    EXPECT_EQ(exchange.Exchange(kProbe), leNone);
}

// Something else ends every event loop (the program is told to quit): the wait may not come
// back with an exchange that still runs and an Error of 0.
TEST_F(LinkTest, AnAbortedWaitEndsTheExchangeAsACancel)
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

TEST_F(LinkTest, FrameAndLengthAreFixedWhileAnExchangeRuns)
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

TEST_F(LinkTest, APortInUseOrAnUnknownIndexDoesNotOpen)
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
    EXPECT_TRUE(second.OpenRs232(1, 3, 0));
    // Nor on a port that is open already.
    EXPECT_FALSE(second.OpenRs232(1, 6, 0));
    EXPECT_FALSE(second.OpenRs232(1, 3, -1));
    EXPECT_EQ(trace.Lines().count(QStringLiteral("Porta COM1 già aperta o non presente sul sistema.")), 4);
    EXPECT_TRUE(trace.Lines().contains(QStringLiteral("Porta COM5 già aperta o non presente sul sistema.")));
}

TEST_F(LinkTest, AnInstrumentAnswersOnlyAtItsOwnBaudRate)
{
    // Baud index of the link and the rate it means.
    const std::pair<qint32, int> rates[] = {{2, 4800}, {3, 9600}, {5, 19200}, {4, 38400}};
    SimInstrument &unit = line.AddInstrument(1);
    link.SetTimeOutRx(100);
    link.SetMaxErrorTimeOut(1);
    for (const auto &[instrumentIndex, instrumentBaud] : rates) {
        unit.SetBaud(instrumentBaud);
        for (const auto &[linkIndex, linkBaud] : rates) {
            ASSERT_TRUE(Open(linkIndex));
            EXPECT_EQ(exchange.Exchange(kProbe), linkBaud == instrumentBaud ? leNone : leTimeOut)
                << "instrument " << instrumentBaud << ", link " << linkBaud;
            link.CloseRs232();
        }
    }
}

// The first answer comes after the time-out, so the frame goes out again; the answer to that
// second send comes later still, while the next exchange waits for its own slow answer. It
// has the shape of the next block's answer and must never be stored as it.
TEST_F(LinkTest, TheSecondAnswerToAReSentFrameIsNeverTheNextAnswer)
{
    SimInstrument &unit = line.AddInstrument(1);
    for (quint16 r = 0; r < 21; ++r)
        unit.SetRegister(quint16(0xE000 + r), qint16(r));
    ASSERT_TRUE(Open());
    for (const int delayMs : {500, 150, 200})
        line.InjectFault({SimFault::Late, 1, kAny, delayMs});
    QVector<qint16> first, second;
    ASSERT_EQ(exchange.ReadRegisters(1, 0xE000, 11, first), leNone);
    ASSERT_EQ(exchange.ReadRegisters(1, 0xE00A, 11, second), leNone);
    EXPECT_EQ(first.front(), 0);
    EXPECT_EQ(second.front(), 10);
}

// After its address write an instrument may answer from the address it has just taken; no
// other write may, nor a third address.
TEST_F(LinkTest, TheAddressWriteIsAnsweredFromTheOldOrTheNewAddress)
{
    SimInstrument &unit = line.AddInstrument(1);
    ASSERT_TRUE(Open());
    link.SetMaxErrorTimeOut(1);
    EXPECT_EQ(exchange.WriteRegister(1, kNetworkAddressRegister, 7), leNone);
    unit.SetAnswersFromNewAddress(true);
    EXPECT_EQ(exchange.WriteRegister(7, kNetworkAddressRegister, 9), leNone);
    EXPECT_EQ(unit.Address(), 9);
    line.InjectFault(SimFault::ForeignAddress, kAlways);
    EXPECT_EQ(exchange.WriteRegister(9, kNetworkAddressRegister, 9), leCRC);
}

class AuxLinkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        link.Create();
        link.SetTimeOutRx(250);
        ASSERT_TRUE(link.OpenRs232(1, 3, 0));
        ASSERT_EQ(exchange.SendCommand(kAuxWriteCommand, AuxReadyPrompt()), leNone);
    }

    TempUserDirs dirs;
    SimAuxLine sim;
    CTapiComm link;
    CAuxExchange exchange{link};
};

// A slow instrument pauses inside its answer, or its listing: the pause does not end it.
TEST_F(AuxLinkTest, APauseInsideAnAnswerDoesNotEndIt)
{
    sim.Aux().SetNoiseAroundOk(true); // ">>\r\nO" + "K\r\n>>"
    sim.Line().SetFaultDelayMs(200);
    sim.Line().InjectFault(SimFault::Split, 2);
    ASSERT_EQ(exchange.SendCommand(QStringLiteral("inP>rAnG=r3"), kAuxSettingAccepted), leNone);
    EXPECT_TRUE(exchange.Accepted());
    ASSERT_EQ(exchange.ReadListing(), leNone);
    EXPECT_TRUE(exchange.Reply().endsWith("\r\nCnd>Cnd=C1\r\n"));
    EXPECT_EQ(link.TimeOutRx(), CTapiComm::kDefaultTimeOutRxMs);
}

// "OK" comes after the time-out, so the command goes out again, and the "OK" owed to that
// second send comes while the next command waits for its answer, a refusal.
TEST_F(AuxLinkTest, AnOkOwedToAReSentCommandIsNotTheNextCommandsAnswer)
{
    sim.Aux().RefuseCommand(QStringLiteral("SCAL>Hi.d="));
    for (const int delayMs : {500, 150, 200})
        sim.Line().InjectFault({SimFault::Late, 1, kAny, delayMs});
    ASSERT_EQ(exchange.SendCommand(QStringLiteral("SCAL>Lo.d=1.0"), kAuxSettingAccepted), leNone);
    EXPECT_TRUE(exchange.Accepted());
    ASSERT_EQ(exchange.SendCommand(QStringLiteral("SCAL>Hi.d=9.0"), kAuxSettingAccepted), leNone);
    EXPECT_FALSE(exchange.Accepted());
}

} // namespace
