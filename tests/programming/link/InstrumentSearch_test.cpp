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

// The cases of tests/data/network_settings.tsv.
TEST_F(InstrumentSearchTest, AddressesOutside1To255AreRefusedBeforeAnythingIsSent)
{
    line.AddInstrument(255, 38400);
    for (const QStringList &f : ReadDataTable(QStringLiteral("network_settings.tsv"))) {
        network.SetModeConfig(qint16(f[1].toInt()));
        network.SetSelNetworkAdd(qint16(f[2].toInt()));
        network.SetNetworkAdd(qint16(f[3].toInt()));
        network.SetTotalInstrNetwork(qint16(f[4].toInt()));
        search.SetNetworkSizeUsed(f[5] == "yes");
        const qsizetype sent = line.Requests().size();
        const bool usable = search.AutoDetectBaudRate() != CInstrumentSearch::soBadNetworkSettings;
        EXPECT_EQ(std::pair(usable, line.Requests().size() > sent), std::pair(f[6] == "yes", f[6] == "yes"))
            << f[0].toStdString();
        link.CloseRs232();
    }
    EXPECT_EQ(trace.Lines().filter(QStringLiteral("Impostazioni di rete non valide")).size(), 4);
}

} // namespace
