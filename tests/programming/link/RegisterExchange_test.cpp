// Register exchanges end to end: the link, the serial port layer and a simulated line.
#include "Link_fixture.h"

namespace {

using RegisterExchangeTest = LinkFixture;
using ::testing::ElementsAre;

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
            EXPECT_EQ(exchange.ReadRegister(1, kProbeRegister, value),
                      linkBaud == instrumentBaud ? leNone : leTimeOut)
                << "instrument " << instrumentBaud << ", link " << linkBaud;
            link.CloseRs232();
        }
    }
}

struct FaultCase
{
    const char *what;
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
    EXPECT_EQ(exchange.ReadRegisters(1, kModuleBlockRegister, kModuleBlockCount, block), c.expected);
    EXPECT_EQ(line.Requests().size(), c.framesSent);
    EXPECT_EQ(block.at(c.expected == leNone ? 4 : 0), c.expected == leNone ? 0x1C00 : -1);
}

constexpr int kAlways = InstrumentSimulator::kAlways;

INSTANTIATE_TEST_SUITE_P(Faults, RegisterExchangeFaults,
                         ::testing::Values(FaultCase{"silence", SimFault::Silence, kAlways, leTimeOut, 3},
                                           FaultCase{"silent once", SimFault::Silence, 1, leNone, 2},
                                           FaultCase{"late", SimFault::Late, kAlways, leTimeOut, 3},
                                           FaultCase{"bad CRC three times", SimFault::BadCrc, 3, leCRC, 3},
                                           FaultCase{"bad CRC twice", SimFault::BadCrc, 2, leNone, 3},
                                           FaultCase{"foreign address", SimFault::ForeignAddress, kAlways,
                                                     leCRC, 3},
                                           FaultCase{"garbage", SimFault::Garbage, kAlways, leCRC, 3},
                                           FaultCase{"split in two", SimFault::Split, kAlways, leNone, 1}),
                         CaseName());

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
    ASSERT_TRUE(WaitUntil([&] { return line.RepliesSent() == 2; }));
    WaitUntil([] { return false; }, 50); // the port layer has read it by now
    ASSERT_EQ(exchange.ReadRegister(1, 0xE020, value), leNone);
    EXPECT_EQ(value, 22);
}

// The first answer comes after the time-out, so the frame goes out again; the answer to that
// second send comes later still, while the next exchange waits for its own slow answer. It
// has the shape of the next block's answer and must never be stored as it.
TEST_F(RegisterExchangeTest, SecondAnswerToAReSentFrameIsNeverTheNextAnswer)
{
    SimInstrument &unit = line.AddInstrument(1);
    for (quint16 r = 0; r < 21; ++r)
        unit.SetRegister(quint16(0xE000 + r), qint16(r));
    ASSERT_TRUE(Open());
    for (const int delayMs : {500, 150, 200})
        line.InjectFault({SimFault::Late, 1, InstrumentSimulator::kAnyAddress, delayMs});
    QVector<qint16> first, second;
    ASSERT_EQ(exchange.ReadRegisters(1, 0xE000, 11, first), leNone);
    ASSERT_EQ(exchange.ReadRegisters(1, 0xE00A, 11, second), leNone);
    EXPECT_EQ(first.front(), 0);
    EXPECT_EQ(second.front(), 10);
}

// After its address write an instrument may answer from the address it has just taken; no
// other write may.
TEST_F(RegisterExchangeTest, AddressWriteIsAnsweredFromTheOldOrTheNewAddress)
{
    SimInstrument &unit = line.AddInstrument(1);
    ASSERT_TRUE(Open());
    link.SetMaxErrorTimeOut(1);
    EXPECT_EQ(exchange.WriteRegister(1, kNetworkAddressRegister, 7), leNone);
    unit.SetAnswersFromNewAddress(true);
    EXPECT_EQ(exchange.WriteRegister(7, kNetworkAddressRegister, 9), leNone);
    EXPECT_EQ(unit.Address(), 9);
    line.InjectFault(SimFault::ForeignAddress, InstrumentSimulator::kAlways);
    EXPECT_EQ(exchange.WriteRegister(9, kNetworkAddressRegister, 9), leCRC);
}

// A late reply that lands inside the next exchange must be refused there: a CRC check alone
// would take the echo of the earlier write and the probe of the other address as good answers.
struct CrossingCase
{
    const char *what;
    QByteArray heldBack, next;
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
    EXPECT_EQ(exchange.Exchange(c.next), c.expected);
    EXPECT_EQ(line.Requests().count(c.next), 2); // refused once, then sent again
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
