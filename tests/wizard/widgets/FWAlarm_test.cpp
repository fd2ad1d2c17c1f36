#include "PageControls_fixture.h"
#include "PageScript_fixture.h"
#include "model/Alarm.h"
#include "wizard/widgets/FWAlarm.h"

#include <QGroupBox>
#include <QLabel>

namespace {

// The measure context as the wizard rules set it, and the stored values.
struct AlarmData
{
    qint16 modello, displayDigit, dp, lo, hi;
    std::array<qint16, 9> members; // as Members() lists them
};

class AlarmPageTest : public PageControlsTest
{
protected:
    void Show(const AlarmData &d, const char *name = "CAlarm2")
    {
        CAlarm alarm;
        alarm.SetClassName(QLatin1String(name));
        alarm.SetModelloStrumento(d.modello);
        alarm.SetDisplayDigit(d.displayDigit);
        alarm.SetMeasureDigitalPoint(d.dp);
        alarm.SetMinMeasureScale(d.lo);
        alarm.SetMaxMeasureScale(d.hi);
        const auto &m = d.members;
        alarm.SetMinAlarmScale(m[0]);
        alarm.SetMaxAlarmScale(m[1]);
        alarm.SetAlarmSetPoint(m[2]);
        alarm.SetIsteresi(m[3]);
        alarm.SetRitAttivazione(m[4]);
        alarm.SetRitDisattivazione(m[5]);
        alarm.SetAlarmType(m[6]);
        alarm.SetRelayStatus(m[7]);
        alarm.SetAlarmColor(m[8]);
        page.SetData(alarm);
        page.show();
    }
    CAlarm Left() const
    {
        CAlarm alarm;
        page.GetData(alarm);
        return alarm;
    }
    // The nine edited members.
    static std::array<qint16, 9> Members(const CAlarm &a)
    {
        return {a.MinAlarmScale(), a.MaxAlarmScale(),  a.AlarmSetPoint(),
                a.Isteresi(),      a.RitAttivazione(), a.RitDisattivazione(),
                a.AlarmType(),     a.RelayStatus(),    a.AlarmColor()};
    }
    static constexpr const char *kScaleSpins[4][2] = {{"txtMinAlarmScale", "UpDown1"},
                                                      {"txtMaxAlarmScale", "UpDown2"},
                                                      {"txtAlarmSetPoint", "UpDown3"},
                                                      {"txtIsteresi", "UpDown4"}};

    FWAlarm page;
};

// The four scale spins (minimum limit, maximum limit, set-point, hysteresis) as "min..max
// text" once shown; the button leaves the page with what they show, the context untouched.
struct ScaleCase
{
    const char *what;
    AlarmData data;
    std::array<const char *, 4> spins;
    qint32 button = IWizardPage::brNext;
};

void PrintTo(const ScaleCase &c, std::ostream *out)
{
    *out << c.what;
}

class AlarmScale : public AlarmPageTest, public ::testing::WithParamInterface<ScaleCase>
{};

TEST_P(AlarmScale, LimitsFormatsAndInterlocksFollowTheMeasureScale)
{
    const ScaleCase &c = GetParam();
    Show(c.data);
    std::array<qint16, 4> shown{};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Spin(page, kScaleSpins[i][0], kScaleSpins[i][1]), c.spins[i]) << kScaleSpins[i][0];
        shown[i] = SpinValue(page, kScaleSpins[i][1]);
    }
    Press(page, c.button);
    const CAlarm left = Left();
    EXPECT_EQ((std::array{left.MinAlarmScale(), left.MaxAlarmScale(), left.AlarmSetPoint(), left.Isteresi()}),
              shown);
    EXPECT_EQ(left.MeasureDigitalPoint(), c.data.dp);
    EXPECT_EQ(left.MinMeasureScale(), c.data.lo);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, AlarmScale, ::testing::Values(
    ScaleCase{"scale -100..500 dp 1", {1, 0, 1, -100, 500, {0, 300, 150, 20}},
              {"-100..500 0.0", "0..500 30.0", "0..300 15.0", "0..600 2.0"}},
    // A falling scale: the limits run from its low end, the directions exchanged.
    ScaleCase{"inverted 1000..0", {1, 0, 0, 1000, 0, {800, 200, 500, 0}},
              {"0..1000 800", "0..800 200", "200..800 500", "0..1000 0"}},
    // The hysteresis goes up to what the display shows; the IXO goes by its display mode.
    ScaleCase{"width 12000 EKA 40", {1, 1, 0, -2000, 10000, {0, 0, 0, 9999}},
              {"-2000..10000 0", "0..10000 0", "0..0 0", "0..9999 9999"}},
    ScaleCase{"width 12000 EKA 35 9990", {0, 1, 0, -2000, 10000, {0, 0, 0, 9999}},
              {"-2000..10000 0", "0..10000 0", "0..0 0", "0..9990 9990"}},
    ScaleCase{"width 12000 IXO 9990", {2, 1, 0, -2000, 10000, {0, 0, 0, 9999}},
              {"-2000..10000 0", "0..10000 0", "0..0 0", "0..9990 9990"}},
    ScaleCase{"width 12000 EKA 35 1999", {0, 0, 0, -2000, 10000, {0, 0, 0, 9999}},
              {"-2000..10000 0", "0..10000 0", "0..0 0", "0..1999 1999"}},
    ScaleCase{"width 12000 IXO 1999", {2, 0, 0, -2000, 10000, {0, 0, 0, 9999}},
              {"-2000..10000 0", "0..10000 0", "0..0 0", "0..1999 1999"}},
    ScaleCase{"width 1500 EKA 35 1999", {0, 0, 0, 0, 1500, {0, 0, 0, 1800}},
              {"0..1500 0", "0..1500 0", "0..0 0", "0..1500 1500"}},
    // Values outside their limits are shown and written back pulled in, on Back too.
    ScaleCase{"set-point above its limits", {1, 0, 0, 0, 1000, {100, 300, 400, 0}},
              {"0..1000 100", "100..1000 300", "100..300 300", "0..1000 0"}, IWizardPage::brBack},
    ScaleCase{"set-point below its limits", {1, 0, 0, 0, 1000, {100, 300, 50, 0}},
              {"0..1000 100", "100..1000 300", "100..300 100", "0..1000 0"}},
    ScaleCase{"limits outside the scale", {1, 0, 0, 0, 1000, {-50, 1200, 600, 0}},
              {"0..1000 0", "0..1000 1000", "0..1000 600", "0..1000 0"}, IWizardPage::brBack},
    // The minimum limit pushes the maximum limit up with it.
    ScaleCase{"minimum limit above the maximum", {1, 0, 0, 0, 1000, {600, 300, 400, 0}},
              {"0..1000 600", "600..1000 600", "600..600 600", "0..1000 0"}},
    ScaleCase{"dp 3", {1, 0, 3, -1000, 1000, {-500, 900, 450, 25}},
              {"-1000..1000 -0.500", "-500..1000 0.900", "-500..900 0.450", "0..2000 0.025"}},
    // A decimal point no table has shows whole counts and stays stored as it was.
    ScaleCase{"dp 7", {1, 0, 7, -1000, 1000, {-500, 900, 450, 25}},
              {"-1000..1000 -500", "-500..1000 900", "-500..900 450", "0..2000 25"}},
    ScaleCase{"width beyond 16 bits", {1, 0, 0, -20000, 20000, {0, 0, 0, 9999}},
              {"-20000..20000 0", "0..20000 0", "0..0 0", "0..9999 9999"}}));
// clang-format on

// The 9990 display of the EKA 35 steps the four scale spins by tens; the delays step by one.
TEST_F(AlarmPageTest, StepsByTensOnlyOnEKA35With9990)
{
    for (const auto &[modello, step] : {std::pair<qint16, int>{0, 10}, {1, 1}, {2, 1}}) {
        Show({modello, 1, 0, 0, 1000, {100, 300, 200, 50}});
        for (const auto &[text, upDown] : kScaleSpins) {
            const int before = SpinValue(page, upDown);
            StepUp(page, text);
            EXPECT_EQ(SpinValue(page, upDown) - before, step) << text << " model " << modello;
        }
        StepUp(page, "txtRitAttivazione");
        EXPECT_EQ(SpinValue(page, "UpDown5"), 1);
        page.reject();
    }
}

// The title names the alarm of the data copy, any other name none; the colour on alarm is for
// the EKA 40, on the other models it is greyed and passes through.
TEST_F(AlarmPageTest, TitleByNameColourByModel)
{
    for (const auto &[name, modello, title] :
         {std::tuple<const char *, qint16, QString>{"CAlarm1", 1, "1 alarm parameters setting..."},
          {"CAlarm4", 0, "4 alarm parameters setting..."},
          {"CAlarm", 2, ""},
          {"CAlarm5", 1, ""}}) {
        page.SetData(CAlarm()); // renames the page's copy "CAlarm"
        Show({modello, 0, 0, 0, 1000, {0, 0, 0, 0, 0, 0, 0, 1, 3}}, name);
        EXPECT_EQ(page.findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), title) << name;
        EXPECT_EQ(page.findChild<QGroupBox *>(QStringLiteral("AlarmColor"))->isEnabled(), modello == 1)
            << name;
        Click(page, "optAlarmColor0");
        Press(page, IWizardPage::brNext);
        EXPECT_EQ(Left().AlarmColor(), modello == 1 ? 0 : 3) << name;
    }
}

// Every member shown and left as it came; then every control changed by the user, which
// Cancel drops and End takes along.
TEST_F(AlarmPageTest, RoundTripOfEveryMember)
{
    const std::array<qint16, 9> stored{-100, 1500, 700, 35, 12, 200, 4, 0, 1};
    page.SetLastTab(true);
    Show({1, 0, 2, -500, 2000, stored});
    EXPECT_EQ(Spin(page, "txtRitDisattivazione", "UpDown6"), "0..255 200 s.");
    Press(page, IWizardPage::brEnd);
    EXPECT_EQ(Members(Left()), stored);
    EXPECT_EQ(Left().ClassName(), "CAlarm2");

    for (const qint32 button : {IWizardPage::brCancel, IWizardPage::brEnd}) {
        page.show();
        for (const char *text : {"txtMinAlarmScale", "txtMaxAlarmScale", "txtAlarmSetPoint", "txtIsteresi",
                                 "txtRitAttivazione", "txtRitDisattivazione"})
            StepUp(page, text);
        for (const char *option : {"optAlarmType5", "optRelayStatus1", "optAlarmColor2"})
            Click(page, option);
        Press(page, button);
    }
    EXPECT_EQ(Members(Left()), (std::array<qint16, 9>{-99, 1501, 701, 36, 13, 201, 5, 1, 2}));
    EXPECT_EQ(Left().MeasureDigitalPoint(), 2);
}

} // namespace
