#pragma once

#include "common/widgets/OptionButton.h"
#include "common/widgets/TextSpin.h"
#include "model/AnalogOut.h"
#include "wizard/widgets/WizardPage.h"

#include <memory>

namespace Ui {
class FWAnalogOut;
}

// The analogue output page of the KQ module: the output at the low (Lo.A) and high (Hi.A) end
// of the interval, 0.0 % to 100.0 % in steps of 0.1 % (tenths of a percent stored), wrapping at
// both ends, and the signal type, voltage 0-10 V or current 0-20 mA. Lo.A and Hi.A are
// independent; the page checks nothing.
class FWAnalogOut : public CWizardDataPage<CAnalogOut>
{
    Q_OBJECT

public:
    explicit FWAnalogOut(QWidget *parent = nullptr);
    ~FWAnalogOut() override;

protected:
    int TitleId() const override;
    void DataToControls() override;
    void ControlsToData() override;

private:
    std::unique_ptr<Ui::FWAnalogOut> m_Ui;
    CTextSpin m_MaxOut;
    CTextSpin m_MinOut;
    COptionButton m_TypeSignalOut;
};
