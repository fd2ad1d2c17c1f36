// The search of baud rate and address shared by the serial transfer and the live view; the
// rates and the address modes are tried through the transfer window.
#include "Link_fixture.h"

#include "model/CommConfig.h"
#include "model/NetworkAddMsgSetup.h"
#include "programming/link/InstrumentSearch.h"
#include "programming/link/InterfaceTypes.h"

namespace {

using Progress = std::tuple<int, int, int>; // minimum, maximum, value

class InstrumentSearchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        line.AttachAsPort(1);
        link.Create();
        comm.SetComPort(0);
        comm.SetInterfaceType(itRS232);
        search.SetProgressDisplay(
            [this](int minimum, int maximum, int value) { progress.emplace_back(minimum, maximum, value); });
    }

    TempUserDirs dirs;
    TraceCapture trace;
    InstrumentSimulator line;
    CTapiComm link;
    CCommConfig comm;
    CNetworkAddMsgSetup network;
    CInstrumentSearch search{link, comm, network};
    std::vector<Progress> progress;
};

TEST_F(InstrumentSearchTest, AutomaticSearchProbesFrom255DownAndStoresTheAddress)
{
    line.AddInstrument(253, 38400);
    network.SetNetworkAdd(9);
    ASSERT_EQ(search.AutoDetectBaudRate(), CInstrumentSearch::soConnected);
    EXPECT_EQ(network.NetworkAdd(), 253);
    ASSERT_EQ(line.Requests().size(), 3);
    EXPECT_EQ(quint8(line.Requests().at(0)[0]), 255);
    EXPECT_EQ(quint8(line.Requests().at(2)[0]), 253);
    EXPECT_EQ(progress.front(), Progress(1, 255, 1));
    EXPECT_EQ(progress.back(), Progress(1, 255, 3));
    // The search's short time-out is the search's own.
    EXPECT_EQ(link.TimeOutRx(), CTapiComm::kDefaultTimeOutRxMs);
    EXPECT_EQ(link.MaxErrorTimeOut(), CTapiComm::kDefaultMaxErrorTimeOut);
}

TEST_F(InstrumentSearchTest, CancelledSearchDoesNotStoreTheLastProbedAddress)
{
    network.SetNetworkAdd(9);
    QTimer::singleShot(700, &link, [&] { link.CancelTxRx(true); });
    EXPECT_EQ(search.AutoDetectBaudRate(), CInstrumentSearch::soCancelled);
    EXPECT_EQ(network.NetworkAdd(), 9);
    EXPECT_LE(line.Requests().size(), 3);
    EXPECT_TRUE(trace.Lines().contains(QStringLiteral("Operazione annullata !!!")));
}

TEST_F(InstrumentSearchTest, AVanishingAdapterEndsTheSearchAtOnce)
{
    QObject::connect(&line, &InstrumentSimulator::RequestHeard, [&] {
        if (line.Requests().size() == 3)
            line.HangUp();
    });
    EXPECT_EQ(search.AutoDetectBaudRate(), CInstrumentSearch::soPortLost);
    EXPECT_EQ(trace.Lines().count(QStringLiteral("Errore UART")), 1);
    EXPECT_FALSE(link.PortOpen());
}

struct SettingsCase
{
    const char *what;
    qint16 modeConfig, selNetworkAdd, networkAdd, totalInstrNetwork;
    bool networkSizeUsed, usable;
};

class InstrumentSearchSettings : public InstrumentSearchTest,
                                 public ::testing::WithParamInterface<SettingsCase>
{};

TEST_P(InstrumentSearchSettings, AddressesOutside1To255AreRefusedBeforeAnythingIsSent)
{
    const SettingsCase &c = GetParam();
    line.AddInstrument(255, 38400);
    network.SetModeConfig(c.modeConfig);
    network.SetSelNetworkAdd(c.selNetworkAdd);
    network.SetNetworkAdd(c.networkAdd);
    network.SetTotalInstrNetwork(c.totalInstrNetwork);
    search.SetNetworkSizeUsed(c.networkSizeUsed);
    EXPECT_EQ(search.AutoDetectBaudRate() == CInstrumentSearch::soBadNetworkSettings, !c.usable);
    if (!c.usable) {
        EXPECT_TRUE(line.Requests().isEmpty());
        EXPECT_EQ(trace.Lines().filter(QStringLiteral("Impostazioni di rete non valide")).size(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, InstrumentSearchSettings,
                         ::testing::Values(SettingsCase{"manual address 0", 0, 1, 0, 255, false, false},
                                           SettingsCase{"manual address 256", 0, 1, 256, 255, false, false},
                                           SettingsCase{"network of none", 1, 0, 1, 0, true, false},
                                           SettingsCase{"network of 256", 1, 0, 1, 256, true, false},
                                           SettingsCase{"unused network size", 0, 1, 255, 0, false, true},
                                           SettingsCase{"automatic address ignores a stale one", 0, 0, 0, 255,
                                                        false, true}),
                         CaseName());

} // namespace
