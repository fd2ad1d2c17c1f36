#include "wizard/LinkWizardRules.h"

#include "common/TraceCode.h"
#include "model/CommConfig.h"
#include "model/NetworkAddMsgSetup.h"

namespace {

constexpr qint32 kCommConfigPage = 1;
constexpr qint16 kAuxiliaryInterface = 0;
// The receive-edit-transmit wizard tells its network page apart by this offset.
constexpr qint16 kRxTxInterfaceOffset = 3;

enum class EEffect {
    PassOver,      // the index one step further in the direction of travel
    HandInterface, // the network page gets the interface type (plus the offset)
};

// One row: in this wizard, going this way, a page of this class with the auxiliary interface
// chosen on page 1 or not gets this effect. Rows never overlap; no row, no effect.
struct CLinkWizardRule
{
    ELinkWizard Wizard;
    qint16 Step; // +1 Next, -1 Back
    const char *ClassName;
    bool AuxiliaryInterface;
    EEffect Effect;
    qint32 NetworkPage = 0;
    qint16 InterfaceOffset = 0;
};

constexpr qint16 kNext = 1;
constexpr qint16 kBack = -1;
constexpr auto kSend = ELinkWizard::SendSetup;
constexpr auto kRxTx = ELinkWizard::SendSetupRxTx;
constexpr const char *kNetworkPage = "CNetworkAddMsgSetup";
// The auxiliary interface reads the modules the user declares; a serial read finds them.
constexpr const char *kModulePage = "CModInstr";

const CLinkWizardRule kRules[] = {
    {kSend, kNext, kNetworkPage, false, EEffect::HandInterface, 2, 0},
    {kSend, kNext, kNetworkPage, true, EEffect::PassOver},
    {kSend, kBack, kNetworkPage, true, EEffect::PassOver},
    {kRxTx, kNext, kModulePage, false, EEffect::PassOver},
    {kRxTx, kNext, kNetworkPage, false, EEffect::HandInterface, 3, kRxTxInterfaceOffset},
    {kRxTx, kNext, kNetworkPage, true, EEffect::PassOver},
    {kRxTx, kBack, kModulePage, false, EEffect::PassOver},
    {kRxTx, kBack, kNetworkPage, true, EEffect::PassOver},
};

void Apply(ELinkWizard wizard, qint16 step, qint16 &Index, CWizardPages &Pages, const QString &ClassName)
{
    CCommConfig commConfig;
    Pages[kCommConfigPage].GetData(commConfig);
    const qint16 interfaceType = commConfig.InterfaceType();
    // Both wizards trace under the name of the first one.
    g_Trace->BugMessage((step == kNext ? QStringLiteral("m_WizardInstrSendSetup_AfterShowNextTabs ")
                                       : QStringLiteral("m_WizardInstrSendSetup_AfterShowBackTabs ")) +
                        ClassName);
    for (const CLinkWizardRule &rule : kRules) {
        if (rule.Wizard != wizard || rule.Step != step || ClassName != QLatin1String(rule.ClassName) ||
            rule.AuxiliaryInterface != (interfaceType == kAuxiliaryInterface))
            continue;
        if (rule.Effect == EEffect::PassOver) {
            Index = qint16(Index + step);
        } else {
            CNetworkAddMsgSetup network;
            Pages[rule.NetworkPage].GetData(network);
            network.SetInterfaceType(qint16(interfaceType + rule.InterfaceOffset));
            Pages[rule.NetworkPage].SetData(network);
        }
        return;
    }
}

} // namespace

void SendSetupAfterShowNextTabs(qint16 &Index, CWizardPages &Pages, const QString &ClassName)
{
    Apply(kSend, kNext, Index, Pages, ClassName);
}

void SendSetupAfterShowBackTabs(qint16 &Index, CWizardPages &Pages, const QString &ClassName)
{
    Apply(kSend, kBack, Index, Pages, ClassName);
}

void SendSetupRxTxAfterShowNextTabs(qint16 &Index, CWizardPages &Pages, const QString &ClassName)
{
    Apply(kRxTx, kNext, Index, Pages, ClassName);
}

void SendSetupRxTxAfterShowBackTabs(qint16 &Index, CWizardPages &Pages, const QString &ClassName)
{
    Apply(kRxTx, kBack, Index, Pages, ClassName);
}

void SetLinkWizardRules(CWizardTabs &wizard, ELinkWizard kind)
{
    const bool rxTx = kind == ELinkWizard::SendSetupRxTx;
    wizard.SetAfterShowNextTabs(rxTx ? SendSetupRxTxAfterShowNextTabs : SendSetupAfterShowNextTabs);
    wizard.SetAfterShowBackTabs(rxTx ? SendSetupRxTxAfterShowBackTabs : SendSetupAfterShowBackTabs);
}
