#include "model/CommConfig.h"
#include "model/NetworkAddMsgSetup.h"
#include "model/Option.h"
#include "platform/SettingsStore.h"
#include "support/TempUserDirs.h"

#include <gtest/gtest.h>

// The six stored values of the two settings classes: port, interface, address, mode, selected
// address, instruments in the network.
using Stored = std::array<qint16, 6>;

static Stored LoadFromStore()
{
    CCommConfig comm;
    CNetworkAddMsgSetup network;
    comm.SetComPort(2); // a missing key keeps this; a bad stored value gives the class default
    comm.LoadData(QString());
    network.LoadData(QString());
    EXPECT_EQ(network.InterfaceType(), 0);
    return {comm.ComPort(),       comm.InterfaceType(),    network.NetworkAdd(),
            network.ModeConfig(), network.SelNetworkAdd(), network.TotalInstrNetwork()};
}

// The six print options.
static auto Values(const COption &o)
{
    return std::tuple(o.PrintHeaderPage(), o.HeaderPagePath(), o.PrintNotePiePagina(), o.NotePiePagina1(),
                      o.NotePiePagina2(), o.PrintPageNumber());
}

// A hand-edited store must not carry a port or an address the links cannot use: values out of
// range or not numbers keep the defaults.
TEST(Settings, RoundTripThroughTheClassSectionOfTheStoreAndBadStoredValuesKeepTheDefaults)
{
    TempUserDirs dirs;
    EXPECT_EQ(LoadFromStore(), (Stored{2, 0, 1, 0, 0, 255}));
    CCommConfig comm;
    comm.SetComPort(3);
    comm.SetInterfaceType(2);
    comm.SaveData(QString());
    CNetworkAddMsgSetup network;
    network.SetNetworkAdd(17);
    network.SetModeConfig(1);
    network.SetSelNetworkAdd(1);
    network.SetTotalInstrNetwork(32);
    network.SetInterfaceType(5);
    network.SaveData(QString());
    EXPECT_FALSE(Platform::HasSetting("CNetworkAddMsgSetup", "m_InterfaceType"));
    EXPECT_EQ(LoadFromStore(), (Stored{3, 2, 17, 1, 1, 32}));

    for (const char *bad :
         {"CCommConfig/m_ComPort=4", "CCommConfig/m_InterfaceType=x", "CNetworkAddMsgSetup/m_NetworkAdd=0",
          "CNetworkAddMsgSetup/m_ModeConfig=-1", "CNetworkAddMsgSetup/m_SelNetworkAdd=2",
          "CNetworkAddMsgSetup/m_TotalInstrNetwork=70000"})
        Platform::WriteSetting(QString(bad).section('/', 0, 0),
                               QString(bad).section('/', 1).section('=', 0, 0), QString(bad).section('=', 1));
    EXPECT_EQ(LoadFromStore(), (Stored{1, 0, 1, 0, 0, 255}));

    // A caller that names another section still writes and reads the class's own.
    comm.SaveVariable(QStringLiteral("m_ComPort"), qint16(3), QStringLiteral("Settings"));
    EXPECT_FALSE(Platform::HasSetting("Settings", "m_ComPort"));
    EXPECT_EQ(Platform::ReadSetting("CCommConfig", "m_ComPort", {}), "3");
    qint16 port = 0;
    comm.LoadVariable(QStringLiteral("m_ComPort"), port, QStringLiteral("Other"));
    EXPECT_EQ(port, 3);
}

TEST(Settings, PrintOptionsRoundTripWithAwkwardTexts)
{
    TempUserDirs dirs;
    COption saved, loaded;
    saved.SetPrintHeaderPage(true);
    saved.SetPrintNotePiePagina(true);
    saved.SetPrintPageNumber(true);
    saved.SetHeaderPagePath(QStringLiteral("/home/tecnico/logo ditta;1.png"));
    saved.SetNotePiePagina1(QStringLiteral("Impianto \"Nord\", linea 2 = forno; quadro A"));
    saved.SetNotePiePagina2(QStringLiteral("Verifica: 3°C, Müller & Söhne, €"));
    saved.SaveData(QString());
    EXPECT_EQ(Platform::ReadSetting("COption", "m_bPrintNotePiePagina", {}), "1");
    loaded.LoadData(QString());
    COption copy;
    copy.SetData(loaded);
    EXPECT_EQ(Values(copy), Values(saved));
}
