#pragma once

#include "common/widgets/ComboBox.h"
#include "common/widgets/OptionButton.h"
#include "common/widgets/TextSpin.h"
#include "model/InOutScale.h"
#include "wizard/widgets/WizardPage.h"

#include <memory>

namespace Ui {
class FWInOutScale;
}

// The scale page: the electrical input scale in counts of the range chosen on the range page,
// the decimal point and limits of the measure scale, and the linearization switch.
//   The electrical spins take limits, step, format and unit from the range of the context (a DC
//   measure off the QEM module runs from -maximum to +maximum); a context that selects no range
//   gives the full 16-bit counts, bare.
//   The measure spins take limits, step and format from MeasureSpin (wizard/MeasureSpin.h): up
//   to what the display shows, either sign; the decimal point moves only the shown text.
//   Linearization exists off the QEM module and off model EKA 35; elsewhere it leaves as 0.
// End and Next refuse an electrical minimum that is not below the maximum (message 797); the
// measure scale may fall. Back leaves unchecked.
class FWInOutScale : public CWizardDataPage<CInOutScale>
{
    Q_OBJECT

public:
    explicit FWInOutScale(QWidget *parent = nullptr);
    ~FWInOutScale() override;

protected:
    int TitleId() const override;
    void FormActivate() override;
    void DataToControls() override;
    void ControlsToData() override;
    bool ValidateData() override;

private:
    void SetScaleLimits();
    // The limits, step and format of the two measure spins, with that decimal point.
    void SetMeasureSpins(qint16 point);

    std::unique_ptr<Ui::FWInOutScale> m_Ui;
    CTextSpin m_MinElectricScale;
    CTextSpin m_MaxElectricScale;
    CComboBox m_MeasureDigitalPoint;
    CTextSpin m_MinMeasureScale;
    CTextSpin m_MaxMeasureScale;
    COptionButton m_Linearizzazione;
};
