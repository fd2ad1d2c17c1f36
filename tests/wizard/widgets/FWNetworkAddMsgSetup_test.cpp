#include "PageControls_fixture.h"
#include "PageScript_fixture.h"
#include "model/NetworkAddMsgSetup.h"
#include "wizard/widgets/FWNetworkAddMsgSetup.h"

#include <QGroupBox>

namespace {

// The page shown with Action, the interface type the link rules handed over and the stored
// mode and address choice (after an earlier show with another interface type when given),
// then the user's clicks: what it offers ("*" selected, "-" disabled), and Next writes that.
struct RuleCase
{
    const char *what;
    qint16 action, interfaceType, mode, sel;
    std::vector<const char *> clicks;
    const char *shown;
    qint16 earlierInterfaceType = 0;
};

void PrintTo(const RuleCase &c, std::ostream *out)
{
    *out << c.what;
}

class NetworkPageRules : public PageControlsTest, public ::testing::WithParamInterface<RuleCase>
{
protected:
    void Show(qint16 interfaceType)
    {
        const RuleCase &c = GetParam();
        CNetworkAddMsgSetup network;
        network.SetInterfaceType(interfaceType);
        network.SetModeConfig(c.mode);
        network.SetSelNetworkAdd(c.sel);
        page.SetAction(c.action);
        page.SetData(network);
        page.show();
    }
    std::string Shown() const
    {
        const auto spin = [this](const char *name, const char *text) {
            return std::string(" ") + name +
                   (page.findChild<QLineEdit *>(QLatin1String(text))->isEnabled() ? "" : "-");
        };
        return Options(page, {{"optConfigSingleInstr", "single"},
                              {"optConfigNetworkInstr", "network"},
                              {"optAutomatic", "auto"},
                              {"optManual", "manual"}}) +
               spin("address", "txtNetworkAdd") + spin("count", "txtTotalInstrNetwork");
    }

    FWNetworkAddMsgSetup page;
};

TEST_P(NetworkPageRules, InterfaceModeAndAddressRules)
{
    const RuleCase &c = GetParam();
    if (c.earlierInterfaceType != 0) {
        Show(c.earlierInterfaceType);
        page.reject();
    }
    Show(c.interfaceType);
    for (const char *option : c.clicks)
        Click(page, option);
    EXPECT_EQ(Shown(), c.shown);
    EXPECT_EQ(page.findChild<QGroupBox *>(QStringLiteral("frmTotalInstrNetwork"))->isEnabled(),
              page.findChild<QLineEdit *>(QStringLiteral("txtTotalInstrNetwork"))->isEnabled());

    const std::string shown = Shown();
    Press(page, IWizardPage::brNext);
    CNetworkAddMsgSetup left;
    page.GetData(left);
    EXPECT_EQ(left.ModeConfig(), shown.find("network*") != std::string::npos ? 1 : 0);
    EXPECT_EQ(left.SelNetworkAdd(), shown.find("manual*") != std::string::npos ? 1 : 0);
    EXPECT_EQ(left.InterfaceType(), c.interfaceType);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, NetworkPageRules, ::testing::Values(
    // Transmit: Action 0, interface 1 RS 232 or 2 RS 485.
    RuleCase{"transmit RS 232, stored network", 0, 1, 1, 0, {}, "single* network- auto* manual address- count-"},
    RuleCase{"transmit RS 232, manual", 0, 1, 0, 1, {}, "single* network- auto manual* address count-"},
    RuleCase{"transmit RS 485, stored automatic", 0, 2, 0, 0, {}, "single* network auto*- manual address- count-"},
    RuleCase{"transmit RS 485, user picks manual", 0, 2, 0, 0, {"optManual"}, "single* network auto- manual* address count-"},
    RuleCase{"transmit RS 485, user picks the network", 0, 2, 0, 1, {"optConfigNetworkInstr"}, "single network* auto- manual*- address- count"},
    RuleCase{"transmit RS 485, back to one", 0, 2, 1, 1, {"optConfigSingleInstr"}, "single* network auto- manual* address count-"},
    // Receive-edit-transmit: Action 0, interface + 3; never the network. Moved off the network,
    // the mode rule moves the address off the disabled search too.
    RuleCase{"receive RS 232, stored network", 0, 4, 1, 0, {}, "single* network- auto* manual address- count-"},
    RuleCase{"receive RS 485, stored network", 0, 5, 1, 0, {}, "single* network- auto- manual* address count-"},
    RuleCase{"receive RS 485, stored automatic", 0, 5, 0, 0, {}, "single* network- auto*- manual address- count-"},
    // Live view: Action 1; one instrument over RS 232, the whole network over RS 485.
    RuleCase{"live RS 232, stored network", 1, 1, 1, 1, {}, "single* network- auto manual* address count-"},
    RuleCase{"live RS 232, user picks manual", 1, 1, 0, 0, {"optManual"}, "single* network- auto manual* address count-"},
    RuleCase{"live RS 485, stored single", 1, 2, 0, 1, {}, "single- network* auto- manual*- address- count"},
    // Shown again after the interface changed: nothing disabled for the old one remains.
    RuleCase{"live RS 485 after RS 232", 1, 2, 0, 1, {}, "single- network* auto- manual*- address- count", 1},
    RuleCase{"transmit RS 232 after RS 485", 0, 1, 1, 0, {}, "single* network- auto* manual address- count-", 2}));
// clang-format on

// Every member shown and left as it came, then the user's changes taken along by End.
TEST_F(PageControlsTest, NetworkPageRoundTrip)
{
    FWNetworkAddMsgSetup page;
    CNetworkAddMsgSetup network;
    network.SetInterfaceType(2);
    network.SetSelNetworkAdd(1);
    network.SetNetworkAdd(37);
    network.SetTotalInstrNetwork(12);
    page.SetLastTab(true);
    page.SetData(network);
    const auto members = [&page] {
        CNetworkAddMsgSetup n;
        page.GetData(n);
        return std::array{n.ModeConfig(), n.SelNetworkAdd(), n.NetworkAdd(), n.TotalInstrNetwork(),
                          n.InterfaceType()};
    };
    page.show();
    EXPECT_EQ(Spin(page, "txtNetworkAdd", "UpDown1") + " " + Spin(page, "txtTotalInstrNetwork", "UpDown2"),
              "1..255 37 1..255 12");
    Press(page, IWizardPage::brEnd);
    EXPECT_EQ(members(), (std::array<qint16, 5>{0, 1, 37, 12, 2}));
    page.show();
    StepUp(page, "txtNetworkAdd");
    Click(page, "optConfigNetworkInstr");
    StepUp(page, "txtTotalInstrNetwork");
    Press(page, IWizardPage::brEnd);
    EXPECT_EQ(members(), (std::array<qint16, 5>{1, 1, 38, 13, 2}));
}

} // namespace
