#include "model/ModuleCodes.h"
#include "support/TraceCapture.h"
#include "support/WizardPageUser.h"
#include "wizard/widgets/FWAlarm.h"
#include "wizard/widgets/FWAnalogOut.h"
#include "wizard/widgets/FWFiltroDigitale.h"
#include "wizard/widgets/FWInOutScale.h"
#include "wizard/widgets/FWLinearize.h"

namespace {

namespace A = SlotAModule;
using namespace Modello;

// The measure scale and what the wizard rules carry into a page with it.
template <class Data> Data Measured(qint16 model, qint16 digits, qint16 point, qint16 lo, qint16 hi)
{
    Data data;
    data.SetModelloStrumento(model);
    data.SetDisplayDigit(digits);
    data.SetMeasureDigitalPoint(point);
    data.SetMinMeasureScale(lo);
    data.SetMaxMeasureScale(hi);
    return data;
}

// A measure scale from 1234 counts, linearized, on the given input.
CInOutScale Scale(qint16 model, qint16 slotA, qint16 probe, qint16 range, qint16 measureType, qint16 digits,
                  qint16 minElectric, qint16 maxElectric = 0, qint16 point = 0)
{
    CInOutScale s = Measured<CInOutScale>(model, digits, point, 1234, 0);
    s.SetSlotA(slotA);
    s.SetProbeSelect(probe);
    s.SetRange(range);
    s.SetMeasureType(measureType);
    s.SetMinElectricScale(minElectric);
    s.SetMaxElectricScale(maxElectric);
    s.SetLinearizzazione(1);
    return s;
}

// Electrical limits by input; where there is no linearization it leaves as 0; without a scale
// row, every 16-bit count, traced. The measure spins as MeasureSpin gives them, at every show
// and with the point the user picks. Next and End need the electrical minimum below the maximum
// (797, the measure scale may fall).
TEST(FWInOutScale, LimitsByContextCheck797AndPoint)
{
    const QString down = "txtMaxMeasureScale-1";
    TraceCapture trace;
    FWInOutScale page;
    // clang-format off
    Play<CInOutScale>(page, {
        {"VAB 2 mA", Scale(IXO, A::VAB, 0, 1, 0, 0, 200), "", "UpDown1=0..2000 | UpDown2=0..2000 | txtMinElectricScale=0.200  mA | Linearizzazione=1", "", kBack},
        {"DC runs negative", Scale(IXO, A::VAKVAM, 0, 1, 1, 0, -2000), "", "UpDown1=-2000..2000 | UpDown2=-2000..2000 | txtMinElectricScale=-2.000  mA", "", kBack},
        {"QEM never negative", Scale(IXO, A::QEM, Probe::RTD, 0, 1, 0, -900), "",
         "UpDown1=-200..850 | txtMinElectricScale=-200  °C | Linearizzazione-=0", "MinElectricScale=-200 Linearizzazione=0", kBack},
        {"EKA 35 9990", Scale(EKA35, A::ZOB, 0, 5, 0, 1, 600), "txtMaxMeasureScale+1", "UpDown1=0..500 | UpDown3=-9990..9990", "MinElectricScale=500 MaxMeasureScale=10 Linearizzazione=0", kBack},
        {"user moves the point", Scale(EKA40, A::ZOB, 0, 5, 1, 1, -4000, 4500, 3), "cmbMeasureDigitalPoint=1", "UpDown3=-9999..9999 | txtMinMeasureScale=123.4 | txtMinElectricScale=-400.0  V", "MeasureDigitalPoint=1"},
        {"no scale row, point outside 0-3", Scale(IXO, A::VAB, 0, 6, 1, 0, -32768, 0, 7), "", "UpDown1=-32768..32767 | txtMinElectricScale=-32768", "", kBack},
        {"equal electrical limits", Scale(IXO, A::VAB, 0, 1, 0, 0, 100, 100), down, "", "", kNext, 797},
        {"minimum above maximum", Scale(IXO, A::VAB, 0, 1, 0, 0, 101, 100), down, "", "", kEnd, 797},
        {"minimum below maximum", Scale(IXO, A::VAB, 0, 1, 0, 0, 99, 100), down, "", "MaxMeasureScale=-1"}});
    // clang-format on
    EXPECT_EQ(trace.Lines().filter("Nessun campo elettrico").size(), 1);
}

// `count` points, inputs from the first on, on an electrical scale of -500..500 counts of a
// 2 mA range (VAB range 1) and a measure scale of -1999..9999 with one decimal, of an IXO.
CLinearize Points(qint16 count, QList<int> inputs = {}, QList<int> outputs = {})
{
    CLinearize data = Measured<CLinearize>(IXO, 0, 1, -1999, 9999);
    data.SetRange(1);
    data.SetMinElectricScale(-500);
    data.SetMaxElectricScale(500);
    data.SetNumSpezzate(count);
    for (int i = 0; i < CLinearize::kPoints; ++i) {
        data.SetCoordinateIn(i, qint16(inputs.value(i)));
        data.SetCoordinateOut(i, qint16(outputs.value(i)));
    }
    return data;
}

// Input 250 and output 1234 on the given scales.
CLinearize Line(qint16 model, qint16 digits, qint16 point, qint16 lo, qint16 hi, qint16 range)
{
    CLinearize data = Measured<CLinearize>(model, digits, point, lo, hi);
    data.SetRange(range);
    data.SetMinElectricScale(-500);
    data.SetMaxElectricScale(500);
    data.SetCoordinateIn(0, 250);
    data.SetCoordinateOut(0, 1234);
    return data;
}

// Outputs as MeasureSpin gives a value on the measure scale, inputs on the electrical scale (in
// counts without a scale row, traced), every row; End and Next refuse an input below the one before it among
// the points in use (798).
TEST(FWLinearize, LimitsByScaleAndCheck798)
{
    const QString down = "txtLinearizeOut0-1";
    TraceCapture trace;
    FWLinearize page;
    // clang-format off
    Play<CLinearize>(page, {
        {"IXO 9990", Line(IXO, 1, 2, -1999, 9999, 1), down, "UpDownOut15-=-1999..9999 | UpDownIn15-=-500..500 | txtLinearizeOut0=12.33 | txtLinearizeIn0=0.250  mA", "CoordinateOut00=1233", kBack},
        {"no scale row, point outside 0-3", Line(IXO, 0, 9, -1999, 9999, 9), "", "txtLinearizeIn0=250", "", kBack},
        {"equal inputs", Points(3, {100, 100, 200}), down, "", "CoordinateOut00=-1"},
        {"falling input", Points(2, {100, 50}), down, "", "", kNext, 798},
        {"past the count", Points(2, {100, 200, 50}), down, "", "CoordinateOut00=-1", kEnd},
        {"count above 16", Points(20, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 13}), down, "", "", kEnd, 798}});
    // clang-format on
    EXPECT_EQ(trace.Lines().filter("Nessun campo elettrico").size(), 1);
}

// The count greys the rows past it, each row showing and keeping its own point; a count outside
// 2-16 is traced, bounded to the rows there are and kept. A count the user picks zeroes the rows
// past it.
TEST(FWLinearize, CountEnablesAndZeroesRows)
{
    QList<int> inputs, outputs;
    for (int i = 0; i < CLinearize::kPoints; ++i)
        inputs << -490 + 61 * i, outputs << 1990 - 131 * i;
    for (const auto &[count, rows] : {std::pair{2, 2}, {7, 7}, {16, 16}, {20, 16}, {1, 1}, {-3, 0}}) {
        TraceCapture trace;
        FWLinearize page;
        Play<CLinearize>(page, {{"count", Points(qint16(count), inputs, outputs), "", ""}});
        for (int i = 0; i < CLinearize::kPoints; ++i) {
            for (const char *box : {"txtLinearizeIn%1", "txtLinearizeOut%1"})
                EXPECT_EQ(page.findChild<QLineEdit *>(QString(box).arg(i))->isEnabled(), i < rows) << count;
        }
        EXPECT_EQ(trace.Lines().filter(QStringLiteral("NumSpezzate=%1 fuori").arg(count)).size(),
                  count < 2 || count > 16);
    }
    QString zeroed = "NumSpezzate=4";
    for (int i = 3; i < CLinearize::kPoints; ++i)
        zeroed += QStringLiteral(" CoordinateIn%1=0 CoordinateOut%1=0").arg(i, 2, 10, QLatin1Char('0'));
    FWLinearize page;
    Play<CLinearize>(page,
                     {{"3 points, then 4", Points(5, inputs, outputs), "cmbNumSpezzate=1 cmbNumSpezzate=2",
                       "txtLinearizeIn3=0.000  mA", zeroed, kBack}});
}

// Limits, set-point and hysteresis, then the two delays, the type, the relay and the colour.
CAlarm Alarm(qint16 model, qint16 digits, qint16 point, qint16 lo, qint16 hi, std::vector<qint16> m,
             const char *name = "CAlarm")
{
    CAlarm a = Measured<CAlarm>(model, digits, point, lo, hi);
    m.resize(9);
    a.SetMinAlarmScale(m[0]);
    a.SetMaxAlarmScale(m[1]);
    a.SetAlarmSetPoint(m[2]);
    a.SetIsteresi(m[3]);
    a.SetRitAttivazione(m[4]);
    a.SetRitDisattivazione(m[5]);
    a.SetAlarmType(m[6]);
    a.SetRelayStatus(m[7]);
    a.SetAlarmColor(m[8]);
    a.SetClassName(QLatin1String(name));
    return a;
}

// The four scale spins as MeasureSpin gives them (the delays apart), the set-point between the
// limits, whichever way the scale runs. The colour is the EKA 40's only.
TEST(FWAlarm, LimitsInterlocksHysteresisAndSteps)
{
    const QString stepAll =
        "txtMinAlarmScale+1 txtMaxAlarmScale+1 txtAlarmSetPoint+1 txtIsteresi+1 txtRitAttivazione+1";
    FWAlarm page;
    // clang-format off
    Play<CAlarm>(page, {
        {"rising scale", Alarm(EKA40, 0, 1, -100, 500, {0, 300, 150, 20}), "", "UpDown1=-100..500 | UpDown2=0..500 | UpDown3=0..300 | txtAlarmSetPoint=15.0 | UpDown4=0..600 | AlarmColor=0"},
        {"falling scale", Alarm(EKA40, 0, 0, 1000, 0, {800, 200, 500}), "", "UpDown1=0..1000 | UpDown2=0..800 | UpDown3=200..800 | UpDown4=0..1000"},
        {"set-point above its limits", Alarm(EKA40, 0, 0, 0, 1000, {100, 300, 400}), "", "UpDown3=100..300", "AlarmSetPoint=300", kBack},
        {"minimum limit above the maximum", Alarm(EKA40, 0, 0, 0, 1000, {600, 300, 400}), "", "UpDown2=600..1000 | UpDown3=600..600", "MaxAlarmScale=600 AlarmSetPoint=600"},
        {"EKA 35 9990", Alarm(EKA35, 1, 0, 0, 1000, {100, 300, 200, 50}), stepAll + " optAlarmColor2", "AlarmColor-=0", "MinAlarmScale=110 MaxAlarmScale=310 AlarmSetPoint=210 Isteresi=60 RitAttivazione=1"}});
    // clang-format on
}

CFiltroDigitale Filter(qint16 model, qint16 digits, qint16 point, qint16 lo, qint16 hi, qint16 campo)
{
    CFiltroDigitale f = Measured<CFiltroDigitale>(model, digits, point, lo, hi);
    f.SetCampo(campo);
    f.SetCoeff(7);
    return f;
}

// Every page hands back what it got; the alarm's title names its alarm.
// clang-format off
INSTANTIATE_TEST_SUITE_P(MeasurePages, EveryPage, ::testing::Values(
    Round<FWInOutScale>(Scale(EKA40, A::ZOB, 0, 5, 1, 1, -4000, 4500, 1), "", "txtMinElectricScale+1 txtMaxElectricScale+1 "
                        "cmbMeasureDigitalPoint=2 txtMinMeasureScale+1 txtMaxMeasureScale+1 optLinearizzazione0",
                        "MinElectricScale=-3999 MaxElectricScale=4501 MeasureDigitalPoint=2 MinMeasureScale=1235 "
                        "MaxMeasureScale=1 Linearizzazione=0"),
    Round<FWAlarm>(Alarm(EKA40, 0, 3, -500, 2000, {-100, 1500, 700, 35, 12, 255, 4, 0, 1}, "CAlarm4"), "lblTitle=4 alarm parameters setting... | txtIsteresi=0.035 | txtRitDisattivazione=255 s.",
                   "txtMinAlarmScale+1 txtMaxAlarmScale+1 txtAlarmSetPoint+1 txtIsteresi+1 txtRitAttivazione+1 "
                   "txtRitDisattivazione-1 optAlarmType5 optRelayStatus1 optAlarmColor2",
                   "MinAlarmScale=-99 MaxAlarmScale=1501 AlarmSetPoint=701 Isteresi=36 RitAttivazione=13 "
                   "RitDisattivazione=254 AlarmType=5 RelayStatus=1 AlarmColor=2"),
    Round<FWFiltroDigitale>(Filter(EKA35, 1, 1, 0, 8000, 1234), "UpDown1=0..8000 | txtCampo=123.4 | UpDown2=1..32", "txtCampo+1 txtCoeff+1", "Campo=1244 Coeff=8"),
    Round<FWAnalogOut>([] { CAnalogOut d; d.SetMinOut(800), d.SetMaxOut(1000); return d; }(), "UpDown1=0..1000 | txtMaxOut=100.0 % | UpDown2=0..1000 | txtMinOut=80.0 %",
                       "txtMinOut+1 txtMaxOut-1 optTypeSignalOut1", "MaxOut=999 MinOut=801 TypeSignalOut=1")));
// clang-format on

} // namespace
