#pragma once

#include "common/widgets/TextSpin.h"
#include "model/FiltroDigitale.h"
#include "wizard/widgets/WizardPage.h"

#include <memory>

namespace Ui {
class FWFiltroDigitale;
}

// The digital filter of the measure: its operating range, in display counts with the decimal
// point of the measure scale, and its coefficient 1-32. The range goes from 0 to the width
// of the measure scale the wizard rules put into the data copy, at most what the display
// shows:
//   scale -1999..9999 -> 0..9999 (EKA 40, IXO), 0..9990 by tens (EKA 35 "9990"),
//                        0..1999 (EKA 35 "1999")
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
