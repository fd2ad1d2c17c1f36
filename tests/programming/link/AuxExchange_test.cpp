// Text commands of the auxiliary interface against the simulated instrument.
#include "Link_fixture.h"
#include "programming/link/AuxExchange.h"
#include "programming/link/AuxProtocol.h"
#include "support/SimAuxLine.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

TEST(AuxProtocol, FindInAnswerGivesTheIndexPastTheFirstMatch)
{
    const std::tuple<QByteArray, QString, qint16> cases[] = {
        {"\r\nOK\r\n", QStringLiteral("OK"), 4}, {"OKOK", QStringLiteral("OK"), 2},
        {"ok\r\n", QStringLiteral("OK"), -1}, // case counts
        {"xO", QStringLiteral("OK"), -1},     // a match may not run past the last byte
        {"", QStringLiteral("EXT"), -1},         {"\r\n>>", AuxReadyPrompt(), 4},
    };
    for (const auto &[reply, text, expected] : cases)
        EXPECT_EQ(FindInAnswer(reply, text), expected) << reply.toStdString();
}

TEST(AuxProtocol, CommandFrameAndReplyBytes)
{
    EXPECT_EQ(AuxCommandFrame(QStringLiteral("SCAL>Lo.d=-5.0")), QByteArray("SCAL>Lo.d=-5.0\r"));
    EXPECT_EQ(AuxReplyBytesText("ok\r\n\xFF"), QStringLiteral("&h6F &h6B &hD &hA &hFF "));
}

class AuxExchangeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        link.Create();
        link.SetTimeOutRx(250);
        ASSERT_TRUE(link.OpenRs232(1, 3, 0));
    }

    TempUserDirs dirs;
    SimAuxLine sim;
    CTapiComm link;
    CAuxExchange exchange{link};
};

// A slow instrument pauses inside its answer: the pause does not end it.
TEST_F(AuxExchangeTest, AnAnswerWithAPauseInsideTheExpectedTextWaitsForItsRest)
{
    ASSERT_EQ(exchange.SendCommand(kAuxWriteCommand, AuxReadyPrompt()), leNone);
    EXPECT_TRUE(exchange.Accepted());
    sim.Aux().SetNoiseAroundOk(true); // ">>\r\nO" + "K\r\n>>"
    sim.Line().SetFaultDelayMs(200);
    sim.Line().InjectFault(SimFault::Split);
    ASSERT_EQ(exchange.SendCommand(QStringLiteral("inP>rAnG=r3"), kAuxSettingAccepted), leNone);
    EXPECT_TRUE(exchange.Accepted());
    EXPECT_THAT(sim.Aux().Commands(), ElementsAre("inP>rAnG=r3"));
}

// "OK" comes after the time-out, so the command goes out again, and the "OK" owed to that
// second send comes while the next command waits for its answer, a refusal.
TEST_F(AuxExchangeTest, AnOkOwedToAReSentCommandIsNotTheNextCommandsAnswer)
{
    ASSERT_EQ(exchange.SendCommand(kAuxWriteCommand, AuxReadyPrompt()), leNone);
    sim.Aux().RefuseCommand(QStringLiteral("SCAL>Hi.d="));
    for (const int delayMs : {500, 150, 200})
        sim.Line().InjectFault({SimFault::Late, 1, InstrumentSimulator::kAnyAddress, delayMs});
    ASSERT_EQ(exchange.SendCommand(QStringLiteral("SCAL>Lo.d=1.0"), kAuxSettingAccepted), leNone);
    EXPECT_TRUE(exchange.Accepted());
    ASSERT_EQ(exchange.SendCommand(QStringLiteral("SCAL>Hi.d=9.0"), kAuxSettingAccepted), leNone);
    EXPECT_FALSE(exchange.Accepted());
}

TEST_F(AuxExchangeTest, ARefusalIsTracedWithTheReplysBytes)
{
    ASSERT_EQ(exchange.SendCommand(kAuxWriteCommand, AuxReadyPrompt()), leNone);
    sim.Aux().SetLowerCaseOk(true);
    TraceCapture trace;
    ASSERT_EQ(exchange.SendCommand(QStringLiteral("SCAL>Lo.d=-5.0"), kAuxSettingAccepted), leNone);
    EXPECT_FALSE(exchange.Accepted());
    EXPECT_THAT(trace.Lines(),
                Contains(QStringLiteral("Comando SCAL>Lo.d=-5.0 non accettato dallo strumento !!!.")));
    EXPECT_THAT(trace.Lines(), Contains(QStringLiteral("Risposta dello strumento:&h6F &h6B &hD &hA ")));
}

TEST_F(AuxExchangeTest, ASilentInstrumentIsATimeOutAfterThreeSends)
{
    sim.Line().InjectFault(SimFault::Silence, InstrumentSimulator::kAlways);
    EXPECT_EQ(exchange.SendCommand(kAuxWriteCommand, AuxReadyPrompt()), leTimeOut);
    EXPECT_FALSE(exchange.Accepted());
    EXPECT_TRUE(exchange.Reply().isEmpty());
    EXPECT_THAT(sim.Line().Requests(), ElementsAre("WRITE", "WRITE", "WRITE"));
}

TEST_F(AuxExchangeTest, TheListingComesInOneExchangeWhateverItsPauses)
{
    sim.Aux().SetFamily(MemMap::EFamily::QEM);
    sim.Line().SetFaultDelayMs(300);
    sim.Line().InjectFault(SimFault::Split);
    ASSERT_EQ(exchange.ReadListing(), leNone);
    EXPECT_TRUE(exchange.Reply().contains("\r\nCJC>nAn=25\r\n"));
    EXPECT_EQ(link.TimeOutRx(), CTapiComm::kDefaultTimeOutRxMs);
    EXPECT_THAT(sim.Line().Requests(), ElementsAre("READ"));
}

} // namespace
