#pragma once

#include "common/widgets/OptionButton.h"
#include "common/widgets/TextSpin.h"
#include "model/RangeVABZOB.h"
#include "wizard/widgets/WizardPage.h"

#include <memory>

namespace Ui {
class FWRangeVABZOB;
}

// The page of the signal modules in slot A: measuring range, TRMS or DC measure, automatic or
// manual integration time (100.0-999.9 ms, kept in tenths of a millisecond) and the function
// of the external digital input.
// The slot-A module, carried into the data before the page is shown, picks the title and the
// range group: VAB and VAK/VAM the low-level ranges ("200 uA" ... "20 V"), ZOB the high-level
// ones ("200 mA" ... "500 V"). Both groups stay in view; the one that does not apply is
// disabled and shows no option. The time spin is enabled on manual integration only, and its
// value is stored whatever the mode.
// A stored value without an option (a range above 5, a mode above 1, a function above 2, as an
// instrument may hold) shows nothing checked in its group and is written back unchanged unless
// the user picks an option.
class FWRangeVABZOB : public CWizardDataPage<CRangeVABZOB>
{
    Q_OBJECT

public:
    explicit FWRangeVABZOB(QWidget *parent = nullptr);
    ~FWRangeVABZOB() override;

protected:
    int TitleId() const override;
    void DataToControls() override;
    void ControlsToData() override;

private:
    void IntegrationTimeChange();
    bool LowLevelModule() const;

    std::unique_ptr<Ui::FWRangeVABZOB> m_Ui;
    COptionButton m_RangeVABVAK;
    COptionButton m_RangeZOB;
    COptionButton m_MeasureType;
    COptionButton m_IntegrationTime;
    CTextSpin m_IntTime;
    COptionButton m_DigitalInFunction;
};
