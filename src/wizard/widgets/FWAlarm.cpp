#include "wizard/widgets/FWAlarm.h"

#include "common/ResString.h"
#include "common/TraceCode.h"
#include "model/ModuleCodes.h"
#include "model/ScaleTables.h"

#include "ui_FWAlarm.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kTitleId = 563;
constexpr qint16 kSpinMax = 32767;
constexpr qint16 kDelayMax = 255;
constexpr qint16 kStep = 1;
// The 9990 display of the EKA 35 shows tens only.
constexpr qint16 kTensStep = 10;

const char *const kAlarmNames[] = {"CAlarm1", "CAlarm2", "CAlarm3", "CAlarm4"};

// The hysteresis cannot exceed what the display shows. Only the EKA 40 counts as a 9999
// display here; the IXO goes by its display mode like the EKA 35.
qint16 HysteresisCap(qint16 modello, qint16 displayDigit)
{
    if (modello == Modello::EKA40)
        return 9999;
    return displayDigit == DisplayDigits::Digits9990 ? 9990 : 1999;
}

// A decimal point the tables do not have (only a damaged row holds one) shows whole counts;
// the stored point is left as it is.
void SetDecimalPoint(CTextSpin &spin, qint16 dp)
{
    const bool known = IsDecimalPoint(dp);
    spin.SetMoltiplicatore(known ? float(g_DecPointFactor[dp]) : 1.0f);
    spin.SetDataFormat(known ? g_DecPointFormat[dp] : QStringLiteral("###0"));
}

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
    const CAlarm &alarm = Data();
    const qint16 lo = alarm.MinMeasureScale();
    const qint16 hi = alarm.MaxMeasureScale();
    const qint16 low = alarm.ScalaInvertita() ? hi : lo;
    const qint16 high = alarm.ScalaInvertita() ? lo : hi;
    for (CTextSpin *limit : {&m_MinAlarmScale, &m_MaxAlarmScale}) {
        limit->SetMin(low);
        limit->SetMax(high);
    }
    // The width of a scale can exceed 16 bits (-20000..20000); the cap is far below that.
    const int width = std::abs(int(hi) - int(lo));
    m_Isteresi.SetMax(
        qint16(std::min(width, int(HysteresisCap(alarm.ModelloStrumento(), alarm.DisplayDigit())))));

    const bool tens =
        alarm.DisplayDigit() == DisplayDigits::Digits9990 && alarm.ModelloStrumento() == Modello::EKA35;
    const qint16 dp = alarm.MeasureDigitalPoint();
    if (!IsDecimalPoint(dp))
        g_Trace->BugMessage(
            QStringLiteral("FWAlarm: punto decimale %1 fuori campo, valori senza decimali").arg(dp));
    // The format last: it raises Change, so the interlocks give the set-point its limits.
    for (CTextSpin *spin : {&m_MinAlarmScale, &m_MaxAlarmScale, &m_AlarmSetPoint, &m_Isteresi}) {
        spin->SetIncrementoLento(tens ? kTensStep : kStep);
        SetDecimalPoint(*spin, dp);
    }
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
