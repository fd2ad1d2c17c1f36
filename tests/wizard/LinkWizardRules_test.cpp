#include "FakePage_fixture.h"
#include "model/CommConfig.h"
#include "model/ModInstr.h"
#include "model/NetworkAddMsgSetup.h"
#include "support/TraceCapture.h"
#include "wizard/LinkWizardRules.h"

#include <gmock/gmock.h>

using ::testing::ElementsAreArray;

namespace {

constexpr qint32 N = IWizardPage::brNext;
constexpr qint32 B = IWizardPage::brBack;
constexpr qint32 E = IWizardPage::brEnd;

// A link wizard over fake pages, with the interface type chosen on page 1. Run presses the
// buttons on the pages shown (Cancel after the last) and records the positions shown and the
// InterfaceType the network page held at each of its shows.
class LinkWizardTest : public ::testing::Test
{
protected:
    qint32 Run(ELinkWizard kind, qint16 interfaceType, std::vector<qint32> buttons)
    {
        comm.SetInterfaceType(interfaceType);
        comm.SetComPort(3);
        network.SetInterfaceType(9);
        network.SetNetworkAdd(77);
        CWizardTabs wizard;
        QList<CFakePage *> pages{&wizard.Add(std::make_unique<CFakeDataPage<CCommConfig>>(), &comm)};
        if (kind == ELinkWizard::SendSetupRxTx)
            pages.append(&wizard.Add(std::make_unique<CFakeDataPage<CModInstr>>(), &modInstr));
        pages.append(&wizard.Add(std::make_unique<NetworkPage>(), &network));
        pages.append(&wizard.Add(std::make_unique<CFakePage>()));
        SetLinkWizardRules(wizard, kind);
        SetWizardPageShow([&](IWizardPage &page) {
            auto &fake = dynamic_cast<CFakePage &>(page);
            shown.push_back(int(pages.indexOf(&fake)) + 1);
            if (auto *networkPage = dynamic_cast<NetworkPage *>(&fake))
                networkInterface.push_back(networkPage->Data.InterfaceType());
            fake.Button = buttons.empty() ? IWizardPage::brCancel : buttons.front();
            if (!buttons.empty())
                buttons.erase(buttons.begin());
        });
        const qint32 result = wizard.Start();
        SetWizardPageShow({});
        return result;
    }

    using NetworkPage = CFakeDataPage<CNetworkAddMsgSetup>;
    CCommConfig comm;
    CModInstr modInstr;
    CNetworkAddMsgSetup network;
    std::vector<int> shown;
    std::vector<qint16> networkInterface;
};

struct LinkRun
{
    ELinkWizard kind;
    qint16 interfaceType;
    std::vector<qint32> buttons;
    std::vector<int> shown;
    std::vector<qint16> networkInterface;
};

void PrintTo(const LinkRun &run, std::ostream *out)
{
    *out << (run.kind == ELinkWizard::SendSetup ? "SendSetup" : "SendSetupRxTx") << " interface "
         << run.interfaceType;
}

class LinkWizardRules : public LinkWizardTest, public ::testing::WithParamInterface<LinkRun>
{};

// The pages a link wizard shows by interface type, both ways; on Next the network page gets
// the interface type and keeps its own values; End hands back what every page holds.
TEST_P(LinkWizardRules, PassOverByInterfaceAndHandItToTheNetworkPage)
{
    const LinkRun &run = GetParam();
    EXPECT_EQ(Run(run.kind, run.interfaceType, run.buttons), run.buttons.back() == E ? 0 : 1);
    EXPECT_THAT(shown, ElementsAreArray(run.shown));
    EXPECT_THAT(networkInterface, ElementsAreArray(run.networkInterface));
    if (run.buttons.back() == E) {
        EXPECT_EQ(network.InterfaceType(), run.networkInterface.empty() ? 9 : run.networkInterface.back());
        EXPECT_EQ(network.NetworkAdd(), 77);
        EXPECT_EQ(comm.ComPort(), 3);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Runs, LinkWizardRules, ::testing::Values(
    // Transmit and live view: the auxiliary interface needs no network page.
    LinkRun{ELinkWizard::SendSetup, 0, {N, B, N, E}, {1, 3, 1, 3}, {}},
    LinkRun{ELinkWizard::SendSetup, 1, {N, N, B, B, N, N, E}, {1, 2, 3, 2, 1, 2, 3}, {1, 1, 1}},
    LinkRun{ELinkWizard::SendSetup, 2, {N, N, E}, {1, 2, 3}, {2}},
    // Receive-edit-transmit: the auxiliary read needs the declared modules, a serial read finds
    // them but needs the address; its network page sees the type plus 3.
    LinkRun{ELinkWizard::SendSetupRxTx, 0, {N, N, B, B, N, N, E}, {1, 2, 4, 2, 1, 2, 4}, {}},
    LinkRun{ELinkWizard::SendSetupRxTx, 1, {N, N, B, B, N, N, E}, {1, 3, 4, 3, 1, 3, 4}, {4, 4, 4}},
    LinkRun{ELinkWizard::SendSetupRxTx, 2, {N, B, N, N}, {1, 3, 1, 3, 4}, {5, 5}}));
// clang-format on

// Both wizards trace under the transmit wizard's name, once for every index tried.
TEST_F(LinkWizardTest, EveryIndexTriedIsTraced)
{
    TraceCapture trace;
    Run(ELinkWizard::SendSetupRxTx, 2, {N, N, B, B});
    EXPECT_THAT(trace.Lines().filter("m_WizardInstrSendSetup"),
                ElementsAreArray({"m_WizardInstrSendSetup_AfterShowNextTabs CModInstr",
                                  "m_WizardInstrSendSetup_AfterShowNextTabs CNetworkAddMsgSetup",
                                  "m_WizardInstrSendSetup_AfterShowNextTabs ",
                                  "m_WizardInstrSendSetup_AfterShowBackTabs CNetworkAddMsgSetup",
                                  "m_WizardInstrSendSetup_AfterShowBackTabs CModInstr",
                                  "m_WizardInstrSendSetup_AfterShowBackTabs CCommConfig"}));
}

} // namespace
