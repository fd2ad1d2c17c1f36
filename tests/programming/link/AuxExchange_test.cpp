// Text commands of the auxiliary interface against the simulated instrument.
#include "Link_fixture.h"
#include "programming/link/AuxExchange.h"
#include "programming/link/AuxProtocol.h"
#include "support/SimAuxLine.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

struct FindCase
{
    QByteArray reply;
    QString text;
    qint16 expected;
};

TEST(AuxProtocol, FindInAnswerGivesTheIndexPastTheFirstMatch)
{
    const FindCase cases[] = {
        {"\r\nOK\r\n", QStringLiteral("OK"), 4}, {"OKOK", QStringLiteral("OK"), 2},
        {"ok\r\n", QStringLiteral("OK"), -1}, // case counts
        {"xO", QStringLiteral("OK"), -1},     // a match may not run past the last byte
        {"", QStringLiteral("EXT"), -1},         {"\r\n>>", AuxReadyPrompt(), 4},
    };
    for (const FindCase &c : cases)
        EXPECT_EQ(FindInAnswer(c.reply, c.text), c.expected) << c.reply.toStdString();
}

TEST(AuxProtocol, CommandFrameAndReplyBytes)
{
    EXPECT_EQ(AuxCommandFrame(QStringLiteral("SCAL>Lo.d=-5.0")), QByteArray("SCAL>Lo.d=-5.0\r"));
    EXPECT_EQ(AuxReplyBytesText("ok\r\n\xFF"), QStringLiteral("&h6F &h6B &hD &hA &hFF "));
    EXPECT_EQ(AuxReadyPrompt().size(), 2);
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
    qint32 Send(const QString &command, const QString &expected)
    {
        return exchange.SendCommand(command, expected);
    }

    TempUserDirs dirs;
    SimAuxLine sim;
    CTapiComm link;
    CAuxExchange exchange{link};
};

TEST_F(AuxExchangeTest, AWriteSessionOpensTakesASettingAndCloses)
{
    ASSERT_EQ(Send(kAuxWriteCommand, AuxReadyPrompt()), leNone);
    EXPECT_TRUE(exchange.Accepted());
    EXPECT_TRUE(sim.Aux().InWriteMode());
    ASSERT_EQ(Send(QStringLiteral("inP>rAnG=r3"), kAuxSettingAccepted), leNone);
    EXPECT_TRUE(exchange.Accepted());
    ASSERT_EQ(Send(kAuxEndCommand, kAuxWriteClosed), leNone);
    EXPECT_TRUE(exchange.Accepted());
    EXPECT_FALSE(sim.Aux().InWriteMode());
    EXPECT_THAT(sim.Line().Requests(), ElementsAre("WRITE", "inP>rAnG=r3", "END"));
    EXPECT_EQ(sim.Aux().Setting(QStringLiteral("inP>rAnG=")), QStringLiteral("r3"));
}

struct AckCase
{
    const char *what;
    friend void PrintTo(const AckCase &c, std::ostream *os) { *os << c.what; }
    std::function<void(SimAuxLine &)> arrange;
    bool accepted;
};

class AuxAcknowledgements : public AuxExchangeTest, public ::testing::WithParamInterface<AckCase>
{};

TEST_P(AuxAcknowledgements, OnlyAnUpperCaseOKAccepts)
{
    ASSERT_EQ(Send(kAuxWriteCommand, AuxReadyPrompt()), leNone);
    GetParam().arrange(sim);
    TraceCapture trace;
    ASSERT_EQ(Send(QStringLiteral("SCAL>Lo.d=-5.0"), kAuxSettingAccepted), leNone);
    EXPECT_EQ(exchange.Accepted(), GetParam().accepted);
    const QString refusal = QStringLiteral("Comando SCAL>Lo.d=-5.0 non accettato dallo strumento !!!.");
    if (GetParam().accepted) {
        EXPECT_THAT(trace.Lines(), Not(Contains(refusal)));
        EXPECT_EQ(sim.Line().Requests().size(), 2);
    } else {
        EXPECT_THAT(trace.Lines(), Contains(refusal));
        EXPECT_THAT(trace.Lines(), Contains(QStringLiteral("Risposta dello strumento:") +
                                            AuxReplyBytesText(exchange.Reply())));
        EXPECT_FALSE(exchange.Reply().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Replies, AuxAcknowledgements,
    ::testing::Values(
        AckCase{"plain", [](SimAuxLine &) {}, true},
        AckCase{"prompt and CR LF around", [](SimAuxLine &s) { s.Aux().SetNoiseAroundOk(true); }, true},
        AckCase{"split inside the OK by a short gap",
                [](SimAuxLine &s) {
                    s.Aux().SetNoiseAroundOk(true); // ">>\r\nO" + "K\r\n>>"
                    s.Line().SetFaultDelayMs(20);
                    s.Line().InjectFault(SimFault::Split);
                },
                true},
        AckCase{"lower case", [](SimAuxLine &s) { s.Aux().SetLowerCaseOk(true); }, false},
        AckCase{"refused", [](SimAuxLine &s) { s.Aux().RefuseCommand(QStringLiteral("SCAL>")); }, false}),
    CaseName());

TEST_F(AuxExchangeTest, ASettingOutsideTheWriteModeIsRefused)
{
    ASSERT_EQ(Send(QStringLiteral("inP>rAnG=r3"), kAuxSettingAccepted), leNone);
    EXPECT_FALSE(exchange.Accepted());
    EXPECT_EQ(sim.Aux().Setting(QStringLiteral("inP>rAnG=")), QStringLiteral("r1"));
}

TEST_F(AuxExchangeTest, ASilentInstrumentIsATimeOutAfterThreeSends)
{
    sim.Line().InjectFault(SimFault::Silence, InstrumentSimulator::kAlways);
    EXPECT_EQ(Send(kAuxWriteCommand, AuxReadyPrompt()), leTimeOut);
    EXPECT_FALSE(exchange.Accepted());
    EXPECT_TRUE(exchange.Reply().isEmpty());
    EXPECT_THAT(sim.Line().Requests(), ElementsAre("WRITE", "WRITE", "WRITE"));
}

TEST_F(AuxExchangeTest, TheListingHoldsEveryItemOfTheFamily)
{
    for (const MemMap::EFamily family : {MemMap::EFamily::VABZOB, MemMap::EFamily::QEM}) {
        sim.Aux().SetFamily(family);
        sim.Aux().OmitFromListing(QStringLiteral("SCAL>Hi.d="));
        ASSERT_EQ(exchange.ReadListing(), leNone);
        EXPECT_EQ(link.TimeOutRx(), CTapiComm::kDefaultTimeOutRxMs);
        const QByteArray listing = exchange.Reply();
        for (const QString &key : sim.Aux().Keys()) {
            const QByteArray line = (key + sim.Aux().Setting(key)).toLatin1() + "\r\n";
            EXPECT_EQ(listing.contains(line), key != QStringLiteral("SCAL>Hi.d=")) << key.toStdString();
        }
        const bool qem = family == MemMap::EFamily::QEM;
        EXPECT_EQ(listing.contains("CJC>CJC="), qem);
        EXPECT_EQ(listing.contains("Lin>"), !qem);
    }
    EXPECT_EQ(sim.Aux().Keys().size(), 90 - 34);
    EXPECT_THAT(sim.Line().Requests(), ElementsAre("READ", "READ"));
}

} // namespace
