#pragma once

#include "common/widgets/OptionButton.h"
#include "common/widgets/TextSpin.h"
#include "model/SerialComm.h"
#include "wizard/widgets/WizardPage.h"

#include <memory>

namespace Ui {
class FWSerialComm;
}

// The page of the instrument's own serial module (QZ or ZQ in slot B): its network address,
// 1-255 and wrapping at both ends, and its baud rate, 4800 to 38400. A stored address outside
// 1-255 is shown, and written back on leaving, pulled to the nearer end:
//   NetworkAdd 0 -> "1"     NetworkAdd 300 -> "255"
class FWSerialComm : public CWizardDataPage<CSerialComm>
{
    Q_OBJECT

public:
    explicit FWSerialComm(QWidget *parent = nullptr);
    ~FWSerialComm() override;

protected:
    int TitleId() const override;
    void DataToControls() override;
    void ControlsToData() override;

private:
    std::unique_ptr<Ui::FWSerialComm> m_Ui;
    CTextSpin m_NetworkAdd;
    COptionButton m_BaudRate;
};
