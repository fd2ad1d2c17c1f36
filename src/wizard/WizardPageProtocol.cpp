#include "wizard/WizardPageProtocol.h"

namespace {

WizardPageShowFunction &CurrentPageShow()
{
    static WizardPageShowFunction show;
    return show;
}

} // namespace

void SetWizardPageShow(WizardPageShowFunction show)
{
    CurrentPageShow() = std::move(show);
}

void ShowWizardPage(IWizardPage &page)
{
    if (CurrentPageShow())
        CurrentPageShow()(page);
    else
        page.ShowModal();
}
