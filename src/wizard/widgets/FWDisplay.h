#pragma once

#include "common/widgets/OptionButton.h"
#include "common/widgets/TextSpin.h"
#include "model/Display.h"
#include "wizard/widgets/WizardPage.h"

#include <memory>

namespace Ui {
class FWDisplay;
}

// The display page: the display mode, the basic display colour and the keypad password
// (0-9000, wrapping at both ends). The instrument model, carried into the data before the page
// is shown, decides what may be changed: the mode on an EKA 35 only, the colour on an EKA 40
// only, on an IXO neither. A group that may not be changed still shows the stored value, and
// that value is written back unchanged. A stored password above 9000 is shown, and written
// back on leaving, as 9000.
class FWDisplay : public CWizardDataPage<CDisplay>
{
    Q_OBJECT

public:
    explicit FWDisplay(QWidget *parent = nullptr);
    ~FWDisplay() override;

protected:
    int TitleId() const override;
    void FormActivate() override;
    void DataToControls() override;
    void ControlsToData() override;

private:
    std::unique_ptr<Ui::FWDisplay> m_Ui;
    COptionButton m_DisplayDigit;
    COptionButton m_DisplayColor;
    CTextSpin m_Password;
};
