// Register exchanges end to end: the link, the serial port layer and a simulated line.
#include "Link_fixture.h"

namespace {

using RegisterExchangeTest = LinkFixture;

TEST_F(RegisterExchangeTest, ReadsAndWritesRegisters)
{
    SimInstrument &unit = line.AddInstrument(1);
    unit.SetImage({10, -20, 30, 40, 50, 60, 70, 80, 90, 100, 110});
    ASSERT_TRUE(Open());

    QVector<qint16> block;
    ASSERT_EQ(exchange.ReadRegisters(1, kMemoryMapBaseAddress, kImageReadBlockCount, block), leNone);
    EXPECT_THAT(block, ::testing::ElementsAre(10, -20, 30, 40, 50, 60, 70, 80, 90, 100, 110));

    ASSERT_EQ(exchange.WriteRegister(1, kMemoryMapBaseAddress + 1, -1234), leNone);
    ASSERT_EQ(exchange.WriteRegister(1, kColdJunctionRegister, 250), leNone);
    qint16 value = 0;
    ASSERT_EQ(exchange.ReadRegister(1, kMemoryMapBaseAddress + 1, value), leNone);
    EXPECT_EQ(value, -1234);
    using Write = QPair<quint16, qint16>;
    EXPECT_THAT(unit.Writes(), ::testing::ElementsAre(Write(0xE001, -1234), Write(0xE06C, 250)));
}

TEST_F(RegisterExchangeTest, SeveralInstrumentsShareTheLine)
{
    for (int address : {1, 2, 3})
        line.AddInstrument(address).SetModuleCode(qint16(0x1000 * address));
    ASSERT_TRUE(Open());
    link.SetMaxErrorTimeOut(1);
    for (int address : {3, 1, 2}) {
        qint16 code = 0;
        ASSERT_EQ(exchange.ReadRegister(quint8(address), kModuleCodeRegister, code), leNone) << address;
        EXPECT_EQ(code, 0x1000 * address);
    }
    qint16 untouched = 77;
    EXPECT_EQ(exchange.ReadRegister(4, kModuleCodeRegister, untouched), leTimeOut);
    EXPECT_EQ(untouched, 77);
}

TEST_F(RegisterExchangeTest, AnInstrumentAnswersOnlyAtItsOwnBaudRate)
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
            qint16 value = 0;
            const qint32 expected = linkBaud == instrumentBaud ? leNone : leTimeOut;
            EXPECT_EQ(exchange.ReadRegister(1, kProbeRegister, value), expected)
                << "instrument " << instrumentBaud << ", link " << linkBaud;
            link.CloseRs232();
        }
    }
}

TEST_F(RegisterExchangeTest, NewAddressAndBaudRateTakeEffectAfterTheirReply)
{
    SimInstrument &unit = line.AddInstrument(1);
    ASSERT_TRUE(Open());
    link.SetMaxErrorTimeOut(1);
    qint16 value = 0;

    ASSERT_EQ(exchange.WriteRegister(1, kNetworkAddressRegister, 7), leNone);
    EXPECT_EQ(exchange.ReadRegister(1, kProbeRegister, value), leTimeOut);
    ASSERT_EQ(exchange.ReadRegister(7, kNetworkAddressRegister, value), leNone);
    EXPECT_EQ(value, 7);

    ASSERT_EQ(exchange.WriteRegister(7, kBaudRateRegister, 3), leNone); // answered at 9600
    EXPECT_EQ(exchange.ReadRegister(7, kProbeRegister, value), leTimeOut);
    link.CloseRs232();
    ASSERT_TRUE(Open(4)); // 38400 baud
    ASSERT_EQ(exchange.ReadRegister(7, kBaudRateRegister, value), leNone);
    EXPECT_EQ(value, 3);
    EXPECT_EQ(unit.Baud(), 38400);
}

struct FaultCase
{
    const char *what;
    friend void PrintTo(const FaultCase &c, std::ostream *os) { *os << c.what; }
    SimFault fault;
    int times;
    qint32 expected;
    int framesSent;
};

using RegisterExchangeFaults = LinkCases<FaultCase>;

TEST_P(RegisterExchangeFaults, EachFaultEndsAsItsLinkError)
{
    const FaultCase &c = GetParam();
    line.AddInstrument(1).SetModuleCode(0x1C00);
    line.SetFaultDelayMs(c.fault == SimFault::Late ? 1000 : 30);
    line.InjectFault(c.fault, c.times);
    ASSERT_TRUE(Open());
    QVector<qint16> block{-1};
    EXPECT_EQ(exchange.ReadRegisters(1, kModuleBlockRegister, kModuleBlockCount, block), c.expected)
        << c.what;
    EXPECT_EQ(line.Requests().size(), c.framesSent) << c.what;
    if (c.expected == leNone)
        EXPECT_EQ(block.at(4), 0x1C00) << c.what;
    else
        EXPECT_THAT(block, ::testing::ElementsAre(-1)) << c.what;
}

constexpr int kAlways = InstrumentSimulator::kAlways;

INSTANTIATE_TEST_SUITE_P(
    Faults, RegisterExchangeFaults,
    ::testing::Values(FaultCase{"silence", SimFault::Silence, kAlways, leTimeOut, 3},
                      FaultCase{"late beyond the time-out", SimFault::Late, kAlways, leTimeOut, 3},
                      FaultCase{"bad CRC three times", SimFault::BadCrc, 3, leCRC, 3},
                      FaultCase{"bad CRC twice, then good", SimFault::BadCrc, 2, leNone, 3},
                      FaultCase{"foreign address", SimFault::ForeignAddress, kAlways, leCRC, 3},
                      FaultCase{"garbage", SimFault::Garbage, kAlways, leCRC, 3},
                      FaultCase{"split in two", SimFault::Split, kAlways, leNone, 1},
                      FaultCase{"silent once", SimFault::Silence, 1, leNone, 2}),
    CaseName());

TEST_F(RegisterExchangeTest, TheDeviceGoingAwayIsALineError)
{
    line.AddInstrument(1);
    ASSERT_TRUE(Open());
    line.HangUp();
    EXPECT_EQ(exchange.Exchange(ReadRequest(1, kProbeRegister, 1)), leUART);
}

// An instrument that answers both a request and its re-send: the second answer comes when the
// exchange is over and must never be read as the answer to the next request.
TEST_F(RegisterExchangeTest, DuplicateReplyBetweenExchangesIsDropped)
{
    SimInstrument &unit = line.AddInstrument(1);
    unit.SetRegister(0xE010, 11);
    unit.SetRegister(0xE020, 22);
    ASSERT_TRUE(Open());
    // First answer well after the re-send at the 400 ms tick, which is answered at once.
    line.SetFaultDelayMs(700);
    line.InjectFault(SimFault::Late, 1);
    qint16 value = 0;
    ASSERT_EQ(exchange.ReadRegister(1, 0xE010, value), leNone);
    EXPECT_EQ(value, 11);
    ASSERT_TRUE(WaitUntil([&] { return line.RepliesSent() == 2; }));
    WaitUntil([] { return false; }, 50); // the port layer has read it by now
    ASSERT_EQ(exchange.ReadRegister(1, 0xE020, value), leNone);
    EXPECT_EQ(value, 22);
}

// A late reply that lands inside the next exchange: the request whose reply is held back, the
// next request, and how that one must end. A CRC check alone would take the echo of the
// earlier write and the probe of the other address as good answers.
struct CrossingCase
{
    const char *what;
    friend void PrintTo(const CrossingCase &c, std::ostream *os) { *os << c.what; }
    QByteArray heldBack;
    QByteArray next;
    qint32 expected;
};

using RegisterExchangeCrossing = LinkCases<CrossingCase>;

TEST_P(RegisterExchangeCrossing, LateReplyIsNeverTheAnswerToTheNextRequest)
{
    const CrossingCase &c = GetParam();
    line.AddInstrument(5).SetModuleCode(0x2A00);
    ASSERT_TRUE(Open());
    link.SetMaxErrorTimeOut(1);
    line.SetFaultDelayMs(InstrumentSimulator::kUntilNextRequest);
    line.InjectFault(SimFault::Late, 1);
    EXPECT_EQ(exchange.Exchange(c.heldBack), leTimeOut);

    EXPECT_EQ(exchange.Exchange(c.next), c.expected) << c.what;
    // Refused once, then sent again.
    EXPECT_EQ(line.Requests().count(c.next), 2) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Crossing, RegisterExchangeCrossing,
    ::testing::Values(CrossingCase{"probe of another address", ReadRequest(5, kProbeRegister, 1),
                                   ReadRequest(4, kProbeRegister, 1), leTimeOut},
                      CrossingCase{"echo of another write", WriteRequest(5, 0xE030, 5),
                                   WriteRequest(5, 0xE031, 6), leNone},
                      CrossingCase{"reply of another length", ReadRequest(5, kProbeRegister, 1),
                                   ReadRequest(5, kModuleBlockRegister, kModuleBlockCount), leNone}),
    CaseName());

} // namespace
