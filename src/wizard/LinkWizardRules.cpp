#include "wizard/LinkWizardRules.h"

#include "common/TraceCode.h"
#include "model/CommConfig.h"
#include "model/NetworkAddMsgSetup.h"

#include <cstring>

namespace {

constexpr qint16 kAuxiliaryInterface = 0;
constexpr const char *kCommConfigPage = "CCommConfig";
constexpr const char *kModulePage = "CModInstr";
constexpr const char *kNetworkPage = "CNetworkAddMsgSetup";

constexpr CLinkWizardPage kTransmitPages[] = {{kCommConfigPage, 0}, {kNetworkPage, 0}, {"", 1}};
constexpr CLinkWizardPage kReceiveEditTransmitPages[] = {
    {kCommConfigPage, 0}, {kModulePage, 1}, {kNetworkPage, 0}, {"", 1}};
constexpr CLinkWizardPage kLiveViewPages[] = {{kCommConfigPage, 1}, {kNetworkPage, 1}, {"", 1}};

const CLinkWizardForm kForms[] = {
    {793, kTransmitPages, 0},
    {792, kReceiveEditTransmitPages, 3},
    {794, kLiveViewPages, 0},
};

enum class EEffect {
    PassOver,      // the index one step further in the direction of travel
    HandInterface, // the network page gets the interface type (plus the wizard's offset)
};

constexpr qint16 kNext = 1;
constexpr qint16 kBack = -1;

// One row: going this way, a page of this class with the auxiliary interface chosen on the PC
// link page or not gets this effect. Rows never overlap; no row, no effect.
struct CLinkWizardRule
{
    qint16 Step;
    const char *ClassName;
    bool AuxiliaryInterface;
    EEffect Effect;
};

const CLinkWizardRule kRules[] = {
    {kNext, kModulePage, false, EEffect::PassOver},       {kBack, kModulePage, false, EEffect::PassOver},
    {kNext, kNetworkPage, true, EEffect::PassOver},       {kBack, kNetworkPage, true, EEffect::PassOver},
    {kNext, kNetworkPage, false, EEffect::HandInterface},
};

// The position of the page of that class in the wizard.
qint32 PageOf(const CLinkWizardForm &form, const char *className)
{
    for (std::size_t i = 0; i < form.Pages.size(); ++i) {
        if (std::strcmp(form.Pages[i].ClassName, className) == 0)
            return qint32(i + 1);
    }
    g_Trace->BugAssert(false, QStringLiteral("Pagina %1 assente dal wizard").arg(QLatin1String(className)));
    return 0;
}

void HandInterface(const CLinkWizardForm &form, CWizardPages &Pages, qint16 interfaceType)
{
    CNetworkAddMsgSetup network;
    IWizardPage &page = Pages[PageOf(form, kNetworkPage)];
    page.GetData(network);
    network.SetInterfaceType(qint16(interfaceType + form.InterfaceOffset));
    page.SetData(network);
}

void Apply(const CLinkWizardForm &form, qint16 step, qint16 &Index, CWizardPages &Pages,
           const QString &ClassName)
{
    CCommConfig commConfig;
    Pages[PageOf(form, kCommConfigPage)].GetData(commConfig);
    const qint16 interfaceType = commConfig.InterfaceType();
    // Every wizard traces under the name of the transmit one.
    g_Trace->BugMessage((step == kNext ? QStringLiteral("m_WizardInstrSendSetup_AfterShowNextTabs ")
                                       : QStringLiteral("m_WizardInstrSendSetup_AfterShowBackTabs ")) +
                        ClassName);
    for (const CLinkWizardRule &rule : kRules) {
        if (rule.Step != step || ClassName != QLatin1String(rule.ClassName) ||
            rule.AuxiliaryInterface != (interfaceType == kAuxiliaryInterface))
            continue;
        if (rule.Effect == EEffect::PassOver)
            Index = qint16(Index + step);
        else
            HandInterface(form, Pages, interfaceType);
        return;
    }
}

} // namespace

const CLinkWizardForm &LinkWizardForm(ELinkWizard kind)
{
    return kForms[std::size_t(kind)];
}

void SetLinkWizardRules(CWizardTabs &wizard, ELinkWizard kind)
{
    const CLinkWizardForm &form = LinkWizardForm(kind);
    wizard.SetAfterShowNextTabs([&form](qint16 &Index, CWizardPages &Pages, const QString &ClassName) {
        Apply(form, kNext, Index, Pages, ClassName);
    });
    wizard.SetAfterShowBackTabs([&form](qint16 &Index, CWizardPages &Pages, const QString &ClassName) {
        Apply(form, kBack, Index, Pages, ClassName);
    });
}
