#pragma once

#include "model/Option.h"
#include "wizard/widgets/WizardPage.h"

#include <memory>

namespace Ui {
class FOption;
}

// The print-options dialog: the heading page and its picture, the two notes at the foot of
// the pages, the page numbers. Shown with OK and Cancel over the main window's options:
//   FOption dialog(window);
//   dialog.SetFormType(IWizardPage::ftDialog);
//   dialog.SetData(options);
//   ShowWizardPage(dialog);
//   if (dialog.ButtonRet() == IWizardPage::brEnd) dialog.GetData(options);
// A switched-off part keeps its texts, greyed; OK copies them as they are. "..." chooses the
// picture in a file dialog; cancelling it keeps what the path box holds.
class FOption : public CWizardDataPage<COption>
{
    Q_OBJECT

public:
    explicit FOption(QWidget *parent = nullptr);
    ~FOption() override;

protected:
    void FormLoad() override;
    void FormActivate() override;
    void DataToControls() override;
    void ControlsToData() override;

private:
    void chkIntestazione_Click();
    void chkNote_Click();
    void cmdCercaIntestazione_Click();

    std::unique_ptr<Ui::FOption> m_Ui;
    // The picture chosen last while the dialog is shown; the file dialog opens on it.
    QString m_ChosenPicture;
};
