#pragma once

#include "common/widgets/TextSpin.h"
#include "model/FiltroDigitale.h"
#include "wizard/widgets/WizardPage.h"

#include <memory>

namespace Ui {
class FWFiltroDigitale;
}

// The digital filter of the measure: its operating range, in display counts with the decimal
// point of the measure scale, and its coefficient 1-32. The range spin is what MeasureSpin
// (wizard/MeasureSpin.h) gives a filter range over the measure context that the wizard rules
// put into the data copy: 0 to the scale's width, at most what the display shows.
// A value outside its limits is shown, and left with End, Next or Back, pulled inside them.
class FWFiltroDigitale : public CWizardDataPage<CFiltroDigitale>
{
    Q_OBJECT

public:
    explicit FWFiltroDigitale(QWidget *parent = nullptr);
    ~FWFiltroDigitale() override;

protected:
    int TitleId() const override;
    void FormActivate() override;
    void DataToControls() override;
    void ControlsToData() override;

private:
    void SetCampoSpinRange();

    std::unique_ptr<Ui::FWFiltroDigitale> m_Ui;
    CTextSpin m_Campo;
    CTextSpin m_Coeff;
};
