#pragma once

#include "common/widgets/ComboBox.h"
#include "common/widgets/OptionButton.h"
#include "common/widgets/TextSpin.h"
#include "model/RangeQEM.h"
#include "wizard/widgets/WizardPage.h"

#include <memory>

namespace Ui {
class FWRangeQEM;
}

// The page of the QEM temperature module in slot A: probe, cold-junction compensation with its
// manual temperature (0-50 °C), the range of the chosen probe and the function of the external
// digital input.
// Each probe has its own range group, all three always in view; only the chosen probe's group
// is enabled, and it gives Range on leaving. The groups keep their own selections while the page
// is open and all start from the stored Range at every show:
//   Range 3, thermocouple, the user picks resistance  -> Range 3 ("20 KOhm")
// Only a thermocouple has a cold junction: for RTD and resistance the compensation is set to
// automatic and its group disabled. The temperature spin is enabled on manual compensation
// only, and its value is stored whatever the compensation.
// A stored value without an option (a probe above 2, a compensation above 1, a range above 5,
// a function outside 0-2, as an instrument may hold) shows nothing checked in its group and is
// written back unchanged unless the user picks an option; an unknown probe enables no range
// group and keeps the stored Range.
class FWRangeQEM : public CWizardDataPage<CRangeQEM>
{
    Q_OBJECT

public:
    explicit FWRangeQEM(QWidget *parent = nullptr);
    ~FWRangeQEM() override;

protected:
    int TitleId() const override;
    void DataToControls() override;
    void ControlsToData() override;

private:
    void ProbeSelectChange();
    void CJCChange();

    std::unique_ptr<Ui::FWRangeQEM> m_Ui;
    COptionButton m_ProbeSelect;
    COptionButton m_CJC;
    CTextSpin m_TempCJC;
    COptionButton m_RangeTC;
    COptionButton m_RangeRTD;
    COptionButton m_RangeRES;
    CComboBox m_Funzione;
};
