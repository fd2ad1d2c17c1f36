#include "FakePage_fixture.h"
#include "model/CommConfig.h"
#include "model/ModInstr.h"
#include "model/NetworkAddMsgSetup.h"
#include "support/TraceCapture.h"
#include "wizard/LinkWizardRules.h"

namespace {

constexpr qint32 N = IWizardPage::brNext, B = IWizardPage::brBack, E = IWizardPage::brEnd;
constexpr ELinkWizard Send = ELinkWizard::Transmit, RxTx = ELinkWizard::ReceiveEditTransmit,
                      Live = ELinkWizard::LiveView;

// The pages a link wizard shows by the interface type chosen on page 1, both ways (the buttons
// pressed in turn, then Cancel); on Next the network page gets the interface type and keeps its
// own values; End hands back what every page holds. The live view runs as transmit. Every wizard
// traces under the transmit wizard's name, once for every index tried.
TEST(LinkWizardRules, PassOverByInterfaceAndHandItToTheNetworkPage)
{
    const struct
    {
        ELinkWizard kind;
        qint16 interfaceType;
        QList<qint32> buttons;
        QList<int> shown;
        QList<qint16> networkInterface; // at each show of the network page
    } runs[] = {// The auxiliary interface needs no network page in transmit and live view; its
                // receive-edit-transmit needs the declared modules, a serial read finds them but
                // needs the address, and its network page sees the type plus 3.
                {Send, 0, {N, B, N, E}, {1, 3, 1, 3}, {}},
                {Send, 1, {N, N, B, B, N, N, E}, {1, 2, 3, 2, 1, 2, 3}, {1, 1, 1}},
                {Send, 2, {N, N, E}, {1, 2, 3}, {2}},
                {Live, 2, {N, N, E}, {1, 2, 3}, {2}},
                {RxTx, 0, {N, N, B, B, N, N, E}, {1, 2, 4, 2, 1, 2, 4}, {}},
                {RxTx, 1, {N, N, B, B, N, N, E}, {1, 3, 4, 3, 1, 3, 4}, {4, 4, 4}},
                {RxTx, 2, {N, B, N, N}, {1, 3, 1, 3, 4}, {5, 5}}};
    for (const auto &run : runs) {
        SCOPED_TRACE(testing::Message() << int(run.kind) << " interface " << run.interfaceType);
        CCommConfig comm;
        comm.SetInterfaceType(run.interfaceType);
        comm.SetComPort(3);
        CModInstr modInstr;
        CNetworkAddMsgSetup network;
        network.SetInterfaceType(9);
        network.SetNetworkAdd(77);
        using NetworkPage = CFakeDataPage<CNetworkAddMsgSetup>;
        CWizardTabs wizard;
        wizard.Add(std::make_unique<CFakeDataPage<CCommConfig>>(), &comm);
        if (run.kind == RxTx)
            wizard.Add(std::make_unique<CFakeDataPage<CModInstr>>(), &modInstr);
        wizard.Add(std::make_unique<NetworkPage>(), &network);
        wizard.Add(std::make_unique<CFakePage>());
        SetLinkWizardRules(wizard, run.kind);
        QList<qint16> networkInterface;
        FakeUser user(wizard, [&, press = Pressing(run.buttons)](int at, CFakePage &page) mutable {
            if (auto *networkPage = dynamic_cast<NetworkPage *>(&page))
                networkInterface.append(networkPage->Data.InterfaceType());
            return press(at, page);
        });
        TraceCapture traced;
        const bool end = run.buttons.back() == E;
        EXPECT_EQ(wizard.Start(), end ? 0 : 1);
        EXPECT_EQ(std::pair(user.Shown, networkInterface), std::pair(run.shown, run.networkInterface));
        EXPECT_EQ(
            QList<int>({network.InterfaceType(), network.NetworkAdd(), comm.ComPort()}),
            QList<int>({end && !run.networkInterface.empty() ? run.networkInterface.back() : 9, 77, 3}));
        // The last run: Next, Back, Next, Next.
        const QString events = traced.Lines().filter("m_WizardInstrSendSetup").join(", ");
        if (&run == std::end(runs) - 1) {
            EXPECT_EQ(
                QString(events).remove("m_WizardInstrSendSetup_AfterShow"),
                "NextTabs CModInstr, NextTabs CNetworkAddMsgSetup, BackTabs CModInstr, BackTabs CCommConfig, "
                "NextTabs CModInstr, NextTabs CNetworkAddMsgSetup, NextTabs ");
        }
    }
}

} // namespace
