#include "model/CommConfig.h"
#include "model/NetworkAddMsgSetup.h"
#include "platform/SettingsStore.h"
#include "support/TempUserDirs.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// The six stored values of the two settings classes: port, interface, address, mode, selected
// address, instruments in the network.
using Stored = std::array<qint16, 6>;

Stored LoadFromStore()
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

} // namespace

TEST(Settings, RoundTripThroughTheStore)
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
}

// A hand-edited store must not carry a port or an address the links cannot use.
TEST(Settings, StoredValuesOutOfRangeOrNotNumbersKeepTheDefaults)
{
    TempUserDirs dirs;
    const struct
    {
        const char *section, *key, *text;
    } stored[] = {{"CCommConfig", "m_ComPort", "4"},
                  {"CCommConfig", "m_InterfaceType", "x"},
                  {"CNetworkAddMsgSetup", "m_NetworkAdd", "0"},
                  {"CNetworkAddMsgSetup", "m_ModeConfig", "-1"},
                  {"CNetworkAddMsgSetup", "m_SelNetworkAdd", "2"},
                  {"CNetworkAddMsgSetup", "m_TotalInstrNetwork", "70000"}};
    for (const auto &s : stored)
        Platform::WriteSetting(s.section, s.key, s.text);
    EXPECT_EQ(LoadFromStore(), (Stored{1, 0, 1, 0, 0, 255}));
}
