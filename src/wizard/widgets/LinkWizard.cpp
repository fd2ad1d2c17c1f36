#include "wizard/widgets/LinkWizard.h"

#include "common/ResString.h"
#include "common/TraceCode.h"
#include "model/CommConfig.h"
#include "model/ModInstr.h"
#include "model/NetworkAddMsgSetup.h"
#include "wizard/widgets/FWCommConfig.h"
#include "wizard/widgets/FWModInstr.h"
#include "wizard/widgets/FWNetworkAddMsgSetup.h"
#include "wizard/widgets/FinalSetupMessage.h"

#include <array>
#include <cstring>

namespace {

// The page that shows the data object of one ClassName in a link wizard.
struct CLinkWizardPageMaker
{
    const char *ClassName;
    std::unique_ptr<CWizardPage> (*NewPage)(qint16 action, QWidget *parent);
};

template <class Page> std::unique_ptr<CWizardPage> Make(qint16 action, QWidget *parent)
{
    auto page = std::make_unique<Page>(parent);
    page->SetAction(action);
    return page;
}

constexpr CLinkWizardPageMaker kPages[] = {
    {"CCommConfig", &Make<FWCommConfig>},
    {"CModInstr", &Make<FWModInstr>},
    {"CNetworkAddMsgSetup", &Make<FWNetworkAddMsgSetup>},
    {"", &Make<FWFinalSetupMessage>},
};

std::unique_ptr<CWizardPage> NewPage(const CLinkWizardPage &page, QWidget *parent)
{
    for (const CLinkWizardPageMaker &maker : kPages) {
        if (std::strcmp(maker.ClassName, page.ClassName) == 0)
            return maker.NewPage(page.Action, parent);
    }
    g_Trace->BugAssert(false, QStringLiteral("Nessuna pagina per %1").arg(QLatin1String(page.ClassName)));
    return nullptr;
}

// The object of that ClassName among objects (null ones left out); none for the closing page.
ICopyClass *DataOf(const char *className, const std::array<ICopyClass *, 3> &objects)
{
    for (ICopyClass *object : objects) {
        if (object != nullptr && object->ClassName() == QLatin1String(className))
            return object;
    }
    return nullptr;
}

} // namespace

void BuildLinkWizard(CWizardTabs &wizard, ELinkWizard kind, CCommConfig &commConfig,
                     CNetworkAddMsgSetup &network, CModInstr *modInstr, QWidget *parent)
{
    const CLinkWizardForm &form = LinkWizardForm(kind);
    wizard.SetCaption(LoadResString(form.CaptionId));
    const std::array<ICopyClass *, 3> objects{&commConfig, &network, modInstr};
    for (const CLinkWizardPage &page : form.Pages)
        wizard.Add(NewPage(page, parent), DataOf(page.ClassName, objects));
    SetLinkWizardRules(wizard, kind);
}
