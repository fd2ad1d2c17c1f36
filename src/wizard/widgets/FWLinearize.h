#pragma once

#include "common/widgets/ComboBox.h"
#include "common/widgets/TextSpin.h"
#include "model/Linearize.h"
#include "wizard/widgets/WizardPage.h"

#include <array>
#include <memory>

class QLineEdit;
class UpDownControl;

namespace Ui {
class FWLinearize;
}

// The linearization page: a broken line of NumSpezzate points (2 to 16) out of the 16 rows,
// points 0-7 in the left block and 8-15 in the right one.
//   Inputs are bounded by the electrical scale of the scale page and shown as its range reads
//   them; outputs are values on the measure scale as MeasureSpin (wizard/MeasureSpin.h) gives
//   them.
//   The rows past the count are greyed; lowering the count sets their points to 0 (or the
//   limit nearest to it), and all 16 points are always stored.
// End and Next refuse inputs that fall from one point in use to the next (message 798); equal
// inputs pass and outputs are free. Back leaves unchecked.
class FWLinearize : public CWizardDataPage<CLinearize>
{
    Q_OBJECT

public:
    explicit FWLinearize(QWidget *parent = nullptr);
    ~FWLinearize() override;

protected:
    int TitleId() const override;
    void FormActivate() override;
    void DataToControls() override;
    void ControlsToData() override;
    bool ValidateData() override;

private:
    void SetOutputSpinFormat();
    void SetInputSpinRanges();
    void NumSpezzate_Change();
    // The rows that the selected count puts in use; a stored count outside 2-16 is bounded to
    // the rows there are.
    int RowsInUse() const;

    std::unique_ptr<Ui::FWLinearize> m_Ui;
    CComboBox m_NumSpezzate;
    std::array<CTextSpin, CLinearize::kPoints> m_LinearizeIn;
    std::array<CTextSpin, CLinearize::kPoints> m_LinearizeOut;
};
