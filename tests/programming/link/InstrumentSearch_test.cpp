// The search of baud rate and address shared by the serial transfer and the live view.
#include "support/LinkFixtures.h"

#include "programming/link/InstrumentSearch.h"
#include "programming/link/InterfaceTypes.h"

namespace {

using Progress = std::tuple<int, int, int>; // minimum, maximum, value

class InstrumentSearchTest : public ProcedureTest
{
protected:
    void SetUp() override
    {
        ProcedureTest::SetUp();
        line.AttachAsPort(1);
        comm.SetInterfaceType(itRS232);
        network.SetNetworkAdd(9);
        search.SetProgressDisplay(
            [this](int min, int max, int value) { progress.emplace_back(min, max, value); });
    }

    InstrumentSimulator line;
    CInstrumentSearch search{link, comm, network};
    std::vector<Progress> progress;
};

TEST_F(InstrumentSearchTest, AutomaticSearchProbesFrom255DownAndStoresTheAddress)
{
    line.AddInstrument(253, 38400);
    ASSERT_EQ(search.AutoDetectBaudRate(), CInstrumentSearch::soConnected);
    EXPECT_EQ(network.NetworkAdd(), 253);
    ASSERT_EQ(line.Requests().size(), 3);
    EXPECT_EQ(quint8(line.Requests().at(0)[0]), 255);
    EXPECT_EQ(progress.front(), Progress(1, 255, 1));
    EXPECT_EQ(progress.back(), Progress(1, 255, 3));
    // The search's short time-out is the search's own.
    EXPECT_EQ(link.TimeOutRx(), 250);
    EXPECT_EQ(link.MaxErrorTimeOut(), CTapiComm::kDefaultMaxErrorTimeOut);
}

// A cancel keeps the address the user had; a port that goes away ends the search at once,
// not after a probe of every address left.
TEST_F(InstrumentSearchTest, ACancelOrAVanishingAdapterEndsTheSearch)
{
    QTimer::singleShot(700, &link, [&] { link.CancelTxRx(true); });
    EXPECT_EQ(search.AutoDetectBaudRate(), CInstrumentSearch::soCancelled);
    EXPECT_EQ(network.NetworkAdd(), 9);
    EXPECT_TRUE(trace.Lines().contains(QStringLiteral("Operazione annullata !!!")));

    link.CancelTxRx(false);
    QObject::connect(&line, &InstrumentSimulator::RequestHeard, [&] {
        if (line.Requests().size() == 5)
            line.HangUp();
    });
    EXPECT_EQ(search.AutoDetectBaudRate(), CInstrumentSearch::soPortLost);
    EXPECT_EQ(trace.Lines().count(QStringLiteral("Errore UART")), 1);
}

TEST_F(InstrumentSearchTest, AddressesOutside1To255AreRefusedBeforeAnythingIsSent)
{
    struct Case
    {
        const char *what;
        qint16 modeConfig, selNetworkAdd, networkAdd, totalInstrNetwork;
        bool networkSizeUsed, usable;
    };
    const Case cases[] = {{"manual address 0", 0, 1, 0, 255, false, false},
                          {"manual address 256", 0, 1, 256, 255, false, false},
                          {"network of none", 1, 0, 1, 0, true, false},
                          {"network of 256", 1, 0, 1, 256, true, false},
                          {"unused network size", 0, 1, 255, 0, false, true},
                          {"automatic address ignores a stale one", 0, 0, 0, 255, false, true}};
    line.AddInstrument(255, 38400);
    for (const Case &c : cases) {
        network.SetModeConfig(c.modeConfig);
        network.SetSelNetworkAdd(c.selNetworkAdd);
        network.SetNetworkAdd(c.networkAdd);
        network.SetTotalInstrNetwork(c.totalInstrNetwork);
        search.SetNetworkSizeUsed(c.networkSizeUsed);
        const qsizetype sent = line.Requests().size();
        EXPECT_EQ(search.AutoDetectBaudRate() != CInstrumentSearch::soBadNetworkSettings, c.usable) << c.what;
        EXPECT_EQ(line.Requests().size() > sent, c.usable) << c.what;
        link.CloseRs232();
    }
    EXPECT_EQ(trace.Lines().filter(QStringLiteral("Impostazioni di rete non valide")).size(), 4);
}

} // namespace
