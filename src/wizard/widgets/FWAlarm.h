#pragma once

#include "common/widgets/OptionButton.h"
#include "common/widgets/TextSpin.h"
#include "model/Alarm.h"
#include "wizard/widgets/WizardPage.h"

#include <memory>

namespace Ui {
class FWAlarm;
}

// One alarm of the relay module: the adjustment limits of its set-point, the set-point, the
// hysteresis, the two delays, the alarm type, the relay status and the display colour on
// alarm. The configuration wizard shows one page per alarm object "CAlarm1".."CAlarm4", whose
// number the title carries.
//
// The four scale values are display counts: limits and set-point are values on the measure
// scale that the wizard rules put into the data copy, the hysteresis runs up to its width, as
// MeasureSpin (wizard/MeasureSpin.h) gives them; the set-point stays between the limits:
//   scale -100..500, dp 1            -> limits -10.0..50.0, hysteresis 0.0..60.0
//   scale 1000..0, minimum limit 800 -> maximum limit and set-point at most 800
// A value outside its limits is shown, and left with End, Next or Back, pulled inside them.
// The colour is for the EKA 40 only; on the other models it passes through unchanged.
class FWAlarm : public CWizardDataPage<CAlarm>
{
    Q_OBJECT

public:
    explicit FWAlarm(QWidget *parent = nullptr);
    ~FWAlarm() override;

protected:
    // Replaced at every activation by the alarm's own title.
    int TitleId() const override;
    void FormActivate() override;
    void DataToControls() override;
    void ControlsToData() override;

private:
    void SetScaleLimits();
    void MinAlarmScaleChange();
    void MaxAlarmScaleChange();

    std::unique_ptr<Ui::FWAlarm> m_Ui;
    CTextSpin m_MinAlarmScale;
    CTextSpin m_MaxAlarmScale;
    CTextSpin m_AlarmSetPoint;
    CTextSpin m_Isteresi;
    CTextSpin m_RitAttivazione;
    CTextSpin m_RitDisattivazione;
    COptionButton m_AlarmType;
    COptionButton m_RelayStatus;
    COptionButton m_AlarmColor;
};
