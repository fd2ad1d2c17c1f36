#pragma once

#include "common/widgets/OptionButton.h"
#include "common/widgets/TextSpin.h"
#include "model/NetworkAddMsgSetup.h"
#include "wizard/widgets/WizardPage.h"

#include <memory>

namespace Ui {
class FWNetworkAddMsgSetup;
}

// The page of the link wizards that says which instruments a link run reaches: one
// instrument, found by the address search or at a given address, or every instrument of a
// network of a given size; below, three hints for connecting the instrument.
//
// What it offers follows the interface type that the link wizard rules hand to the data copy
// (1 RS 232, 2 RS 485; 4 and 5 the same in the receive-edit-transmit wizard) and Action,
// written before the wizard starts (0 transmit and receive-edit-transmit, 1 live view):
//   transmit RS 232            single only, address automatic or manual
//   transmit RS 485            single with a manual address, or the whole network
//   receive-edit-transmit      single only; automatic only over RS 232
//   live view RS 232 / RS 485  single, automatic or manual / the whole network only
// A choice that does not apply is disabled, and a selected one moves to the last choice of
// its group still enabled.
class FWNetworkAddMsgSetup : public CWizardDataPage<CNetworkAddMsgSetup>
{
    Q_OBJECT

public:
    explicit FWNetworkAddMsgSetup(QWidget *parent = nullptr);
    ~FWNetworkAddMsgSetup() override;

    void SetAction(qint16 action) { m_Action = action; }

protected:
    int TitleId() const override;
    void FormLoad() override;
    void FormActivate() override;
    void DataToControls() override;
    void ControlsToData() override;

private:
    void InterfaceRule();
    void ModeConfigChange();
    void SelNetworkAddChange();
    void EnableCount(bool enabled);

    std::unique_ptr<Ui::FWNetworkAddMsgSetup> m_Ui;
    COptionButton m_ModeConfig;
    COptionButton m_SelNetworkAdd;
    CTextSpin m_NetworkAdd;
    CTextSpin m_TotalInstrNetwork;
    qint16 m_Action = 0;
};
