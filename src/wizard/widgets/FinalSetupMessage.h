#pragma once

#include "wizard/widgets/WizardPage.h"

#include <memory>

namespace Ui {
class FWFinalSetupMessage;
}

// The last page of every wizard: a closing message as its title and the program logo; its
// End finishes the wizard, and Enter presses End. It edits nothing and is added to the engine
// without a data object. Action, written before the page is shown, picks the message:
//   1      -> 571 "End of communication parameters setting !." (the link wizards)
//   other  -> 570 "End of programming !!" (the configuration wizard)
class FWFinalSetupMessage : public CWizardPage
{
    Q_OBJECT

public:
    explicit FWFinalSetupMessage(QWidget *parent = nullptr);
    ~FWFinalSetupMessage() override;

    void SetAction(qint16 action) { m_Action = action; }

protected:
    int TitleId() const override;
    void FormLoad() override;
    void FormActivate() override;

private:
    std::unique_ptr<Ui::FWFinalSetupMessage> m_Ui;
    qint16 m_Action = 0;
};
