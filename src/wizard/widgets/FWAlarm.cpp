#include "wizard/widgets/FWAlarm.h"

#include "common/ResString.h"
#include "model/ModuleCodes.h"
#include "wizard/widgets/MeasureSpinControl.h"

#include "ui_FWAlarm.h"

namespace {

constexpr int kTitleId = 563;
constexpr qint16 kSpinMax = 32767;
constexpr qint16 kDelayMax = 255;
constexpr qint16 kStep = 1;
const char *const kAlarmNames[] = {"CAlarm1", "CAlarm2", "CAlarm3", "CAlarm4"};

} // namespace

FWAlarm::FWAlarm(QWidget *parent) : CWizardDataPage(parent), m_Ui(std::make_unique<Ui::FWAlarm>())
{
    m_Ui->setupUi(Body());
    // The two limits are interlocked with the set-point; their first value is no change yet.
    m_MinAlarmScale.SetEnableEvent(false);
    m_MinAlarmScale.Create(m_Ui->txtMinAlarmScale, m_Ui->UpDown1, 0, kSpinMax, kStep, kStep, true);
    m_MinAlarmScale.SetEnableEvent(true);
    m_MaxAlarmScale.SetEnableEvent(false);
    m_MaxAlarmScale.Create(m_Ui->txtMaxAlarmScale, m_Ui->UpDown2, 0, kSpinMax, kStep, kStep, true);
    m_MaxAlarmScale.SetEnableEvent(true);
    m_AlarmSetPoint.Create(m_Ui->txtAlarmSetPoint, m_Ui->UpDown3, 0, kSpinMax, kStep, kStep, true);
    m_Isteresi.Create(m_Ui->txtIsteresi, m_Ui->UpDown4, 0, kSpinMax, kStep, kStep, true);
    m_RitAttivazione.Create(m_Ui->txtRitAttivazione, m_Ui->UpDown5, 0, kDelayMax, kStep, kStep, true);
    m_RitDisattivazione.Create(m_Ui->txtRitDisattivazione, m_Ui->UpDown6, 0, kDelayMax, kStep, kStep, true);
    m_RitAttivazione.SetUnitaMisura(QStringLiteral("s."));
    m_RitDisattivazione.SetUnitaMisura(QStringLiteral("s."));
    connect(&m_MinAlarmScale, &CTextSpin::Change, this, &FWAlarm::MinAlarmScaleChange);
    connect(&m_MaxAlarmScale, &CTextSpin::Change, this, &FWAlarm::MaxAlarmScaleChange);

    m_AlarmType.Create(m_Ui->AlarmType);
    for (QRadioButton *option : {m_Ui->optAlarmType0, m_Ui->optAlarmType1, m_Ui->optAlarmType2,
                                 m_Ui->optAlarmType3, m_Ui->optAlarmType4, m_Ui->optAlarmType5})
        m_AlarmType.AddOptionButton(option);
    m_RelayStatus.Create(m_Ui->RelayStatus, {m_Ui->optRelayStatus0, m_Ui->optRelayStatus1});
    m_AlarmColor.Create(m_Ui->AlarmColor);
    for (QRadioButton *option :
         {m_Ui->optAlarmColor0, m_Ui->optAlarmColor1, m_Ui->optAlarmColor2, m_Ui->optAlarmColor3})
        m_AlarmColor.AddOptionButton(option);
}

FWAlarm::~FWAlarm() = default;

int FWAlarm::TitleId() const
{
    return kTitleId;
}

void FWAlarm::FormActivate()
{
    QString title;
    for (int i = 0; i < 4; ++i) {
        if (Data().ClassName() == QLatin1String(kAlarmNames[i]))
            title = LoadResStringArgs(kTitleId, {i + 1});
    }
    SetTitleText(title);
    SetScaleLimits();
    m_AlarmColor.ActivateGroup(Data().ModelloStrumento() == Modello::EKA40);
    DataToControls();
    UpdateWizardButtons();
}

void FWAlarm::SetScaleLimits()
{
    const CMeasureSpin value = MeasureSpin(EMeasureValue::ScaleValue, Data());
    // The set-point first, the two limits last: their formats raise Change, and the interlocks
    // then narrow the set-point between them.
    SetMeasureSpin(m_AlarmSetPoint, value);
    SetMeasureSpin(m_Isteresi, MeasureSpin(EMeasureValue::Hysteresis, Data()));
    SetMeasureSpin(m_MaxAlarmScale, value);
    SetMeasureSpin(m_MinAlarmScale, value);
}

void FWAlarm::MinAlarmScaleChange()
{
    const qint16 v = m_MinAlarmScale.Value();
    if (Data().ScalaInvertita()) {
        m_MaxAlarmScale.SetMax(v);
        m_AlarmSetPoint.SetMax(v);
    } else {
        m_MaxAlarmScale.SetMin(v);
        m_AlarmSetPoint.SetMin(v);
    }
}

void FWAlarm::MaxAlarmScaleChange()
{
    const qint16 v = m_MaxAlarmScale.Value();
    if (Data().ScalaInvertita())
        m_AlarmSetPoint.SetMin(v);
    else
        m_AlarmSetPoint.SetMax(v);
}

void FWAlarm::DataToControls()
{
    const CAlarm &alarm = Data();
    // The limits first: they move the set-point's limits before the set-point is loaded.
    m_MinAlarmScale.SetValue(alarm.MinAlarmScale());
    m_MaxAlarmScale.SetValue(alarm.MaxAlarmScale());
    m_AlarmSetPoint.SetValue(alarm.AlarmSetPoint());
    m_Isteresi.SetValue(alarm.Isteresi());
    m_RitAttivazione.SetValue(alarm.RitAttivazione());
    m_RitDisattivazione.SetValue(alarm.RitDisattivazione());
    m_AlarmType.SetValue(alarm.AlarmType());
    m_RelayStatus.SetValue(alarm.RelayStatus());
    m_AlarmColor.SetValue(alarm.AlarmColor());
}

void FWAlarm::ControlsToData()
{
    CAlarm &alarm = Data();
    alarm.SetMinAlarmScale(m_MinAlarmScale.Value());
    alarm.SetMaxAlarmScale(m_MaxAlarmScale.Value());
    alarm.SetAlarmSetPoint(m_AlarmSetPoint.Value());
    alarm.SetIsteresi(m_Isteresi.Value());
    alarm.SetRitAttivazione(m_RitAttivazione.Value());
    alarm.SetRitDisattivazione(m_RitDisattivazione.Value());
    alarm.SetAlarmType(m_AlarmType.Value());
    alarm.SetRelayStatus(m_RelayStatus.Value());
    alarm.SetAlarmColor(m_AlarmColor.Value());
}
