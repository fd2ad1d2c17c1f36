#pragma once

#include "common/widgets/OptionButton.h"
#include "model/CommConfig.h"
#include "wizard/widgets/WizardPage.h"

#include <memory>

namespace Ui {
class FWCommConfig;
}

// First page of the link wizards: the PC's serial port and how the PC reaches the instruments
// (the instrument's auxiliary RS 232 interface, RS 232 to one instrument, RS 485 to a
// network). Action, written before the wizard starts, picks the variant:
//   0 (transmit, receive-edit-transmit) -> every interface offered
//   1 (live view)                       -> the auxiliary interface disabled; a stored 0 is
//                                          shown, and left with Next or End, as the network
class FWCommConfig : public CWizardDataPage<CCommConfig>
{
    Q_OBJECT

public:
    explicit FWCommConfig(QWidget *parent = nullptr);
    ~FWCommConfig() override;

    void SetAction(qint16 action) { m_Action = action; }

protected:
    int TitleId() const override;
    void FormActivate() override;
    void DataToControls() override;
    void ControlsToData() override;

private:
    std::unique_ptr<Ui::FWCommConfig> m_Ui;
    COptionButton m_InterfaceType;
    COptionButton m_ComPort;
    qint16 m_Action = 0;
};
