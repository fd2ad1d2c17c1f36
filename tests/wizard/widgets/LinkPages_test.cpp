#include "model/CommConfig.h"
#include "model/NetworkAddMsgSetup.h"
#include "support/WizardPageUser.h"
#include "wizard/widgets/FWCommConfig.h"
#include "wizard/widgets/FWNetworkAddMsgSetup.h"

// The settings classes have no stored columns to list: their members by hand, for Play.
static QStringList Members(const CCommConfig &c)
{
    return {QString("InterfaceType=%1").arg(c.InterfaceType()), QString("ComPort=%1").arg(c.ComPort())};
}

static QStringList Members(const CNetworkAddMsgSetup &n)
{
    return QString("ModeConfig=%1 SelNetworkAdd=%2 NetworkAdd=%3 TotalInstrNetwork=%4 InterfaceType=%5")
        .arg(n.ModeConfig())
        .arg(n.SelNetworkAdd())
        .arg(n.NetworkAdd())
        .arg(n.TotalInstrNetwork())
        .arg(n.InterfaceType())
        .split(' ');
}

namespace {

CCommConfig Comm(qint16 interfaceType, qint16 port)
{
    CCommConfig c;
    c.SetInterfaceType(interfaceType);
    c.SetComPort(port);
    return c;
}

// The live view polls register frames, which the auxiliary interface does not answer: there it
// is not offered, and a stored choice of it moves to RS 485.
TEST(FWCommConfig, AuxiliaryInterfaceOutsideTheLiveViewOnly)
{
    for (const qint16 action : {0, 1}) {
        FWCommConfig page;
        page.SetAction(action);
        Play<CCommConfig>(page, {{"auxiliary stored", Comm(0, 1), "",
                                  action ? "optInterfaceType0- | optInterfaceType2*"
                                         : "optInterfaceType0* | optInterfaceType2",
                                  action ? "InterfaceType=2" : ""}});
    }
}

CNetworkAddMsgSetup Network(qint16 interfaceType, qint16 mode, qint16 sel)
{
    CNetworkAddMsgSetup n;
    n.SetInterfaceType(interfaceType);
    n.SetModeConfig(mode);
    n.SetSelNetworkAdd(sel);
    n.SetNetworkAdd(37);
    n.SetTotalInstrNetwork(12);
    return n;
}

// The mode, address and count controls in Seen's words, from short names:
//   "single* network- auto manual address count-" (the address 37, the count 12)
QString Offered(const QString &shortNames)
{
    const QMap<QString, QString> names = {
        {"single", "optConfigSingleInstr"}, {"network", "optConfigNetworkInstr"},
        {"auto", "optAutomatic"},           {"manual", "optManual"},
        {"address", "txtNetworkAdd%1=37"},  {"count", "txtTotalInstrNetwork%1=12"}};
    QStringList seen;
    for (const QString &entry : shortNames.split(QLatin1Char(' '))) {
        const QString name = entry.section(QRegularExpression("[-*]"), 0, 0), marks = entry.mid(name.size());
        seen << (names[name].contains('%') ? names[name].arg(marks) : names[name] + marks);
    }
    return seen.join(QStringLiteral(" | "));
}

// Transmitting (Action 0) the whole network needs RS 485 and the address search a line to one
// instrument (RS 232, also as 4 in the receive-edit-transmit wizard); the live view (Action 1)
// watches one instrument over RS 232 and the whole network over RS 485. Shown again for
// another interface, nothing disabled for the old one remains.
TEST(FWNetworkAddMsgSetup, InterfaceModeAndAddressRules)
{
    FWNetworkAddMsgSetup transmit, live;
    live.SetAction(1);
    // clang-format off
    Play<CNetworkAddMsgSetup>(transmit, {
        {"RS 485, automatic stored", Network(2, 0, 0), "", Offered("single* network auto- manual* address count-"), "SelNetworkAdd=1"},
        {"RS 232 after RS 485, network", Network(1, 1, 0), "", Offered("single* network- auto* manual address- count-"), "ModeConfig=0"},
        {"RS 232, manual", Network(1, 0, 1), "", Offered("single* network- auto manual* address count-")},
        {"RS 485, user picks manual", Network(2, 0, 0), "optManual", Offered("single* network auto- manual* address count-"), "SelNetworkAdd=1"},
        {"RS 485, user picks the network", Network(2, 0, 1), "optConfigNetworkInstr", Offered("single network* auto- manual*- address- count"), "ModeConfig=1"},
        {"receive RS 232, network", Network(4, 1, 0), "", Offered("single* network- auto* manual address- count-"), "ModeConfig=0"},
        {"receive RS 485, automatic stored", Network(5, 0, 0), "", Offered("single* network- auto- manual* address count-"), "SelNetworkAdd=1"},
        {"receive RS 485, network", Network(5, 1, 0), "", Offered("single* network- auto- manual* address count-"), "ModeConfig=0 SelNetworkAdd=1"}});
    Play<CNetworkAddMsgSetup>(live, {
        {"RS 232, network", Network(1, 1, 1), "", Offered("single* network- auto manual* address count-"), "ModeConfig=0"},
        {"RS 485 after RS 232", Network(2, 0, 1), "", Offered("single- network* auto- manual*- address- count"), "ModeConfig=1"}});
    // clang-format on
}

INSTANTIATE_TEST_SUITE_P(
    LinkPages, EveryPage,
    ::testing::Values(
        Round<FWCommConfig>(Comm(2, 3), "", "optInterfaceType1 optComPort0", "InterfaceType=1 ComPort=0"),
        Round<FWNetworkAddMsgSetup>(Network(2, 0, 1), "UpDown1=1..255 | UpDown2-=1..255",
                                    "txtNetworkAdd+1 optConfigNetworkInstr txtTotalInstrNetwork+1",
                                    "ModeConfig=1 NetworkAdd=38 TotalInstrNetwork=13")));

} // namespace
