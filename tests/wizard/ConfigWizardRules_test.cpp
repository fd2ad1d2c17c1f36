#include "FakePage_fixture.h"
#include "model/Configuration.h"
#include "model/ModuleCodes.h"
#include "support/Modules_fixture.h"
#include "support/TraceCapture.h"
#include "wizard/ConfigWizardRules.h"

#include <gmock/gmock.h>

namespace {

using namespace SlotCModule;

// The configuration wizard over a CConfiguration, with pages that have no window; the rules
// are wired as the main window wires them.
class ConfigWizardRulesTest : public ::testing::Test
{
protected:
    ConfigWizardRulesTest()
    {
        const auto add = [this](auto *data) {
            wizard.Add(std::make_unique<CFakeDataPage<std::remove_pointer_t<decltype(data)>>>(), data);
        };
        add(&config.ModInstr());
        add(&config.RangeVABZOB());
        add(&config.RangeQEM());
        add(&config.Display());
        add(&config.InOutScale());
        add(&config.Linearize());
        for (int n = 1; n <= CConfiguration::kAlarms; ++n)
            add(&config.Alarm(n));
        add(&config.FiltroDigitale());
        add(&config.AnalogOut());
        add(&config.SerialComm());
        wizard.Add(std::make_unique<CFakePage>());
        wizard.SetAfterShowNextTabs(m_WizardInstrSetup_AfterShowNextTabs);
        wizard.SetAfterShowBackTabs(m_WizardInstrSetup_AfterShowBackTabs);
    }
    CConfiguration config;
    CWizardTabs wizard;
};

// Next from the module page to the closing page, Back to the module page, Cancel, for every
// model, module and linearization: going forward the pages the configuration needs, which Back
// retraces. A slot-C code of no module (-1, 5: a damaged record) shows no alarm page either
// way: the page would lack the scale that only Next carries.
TEST_F(ConfigWizardRulesTest, EveryCombinationShowsItsPagesAndBackRetracesThem)
{
    const qint16 slotC[] = {-1, None, Z3, Z5, Z8Z9, KQ, 5};
    for (int n = 0; n < 3 * 4 * 4 * 7 * 2 * 2; ++n) {
        const qint16 model = n % 3, a = n / 3 % 4, b = n / 12 % 4, c = slotC[n / 48 % 7], d = n / 336 % 2,
                     lin = n / 672;
        SCOPED_TRACE(testing::Message()
                     << model << " " << a << " " << b << " " << c << " " << d << " " << lin);
        SetModules(config, model, a, b, c, d, lin);
        // Bit k: position k is needed.
        const bool qem = a == SlotAModule::QEM, kq = b == SlotBModule::KQ || c == KQ || d == SlotDModule::KQ;
        const int alarms = c == Z3 ? 1 : c == Z5 ? 2 : c == Z8Z9 ? 4 : 0;
        const int needed = 1 << 1 | 1 << (qem ? 3 : 2) | (model != Modello::IXO) << 4 | 1 << 5 |
                           (!qem && lin) << 6 | ((1 << alarms) - 1) << 7 | 1 << 11 | kq << 12 |
                           (b == SlotBModule::QZ || b == SlotBModule::ZQ) << 13 | 1 << 14;
        QList<int> walk;
        for (int k = 1; k <= 14; ++k) {
            if (needed >> k & 1)
                walk << k;
        }
        for (qsizetype i = walk.size() - 2; i >= 0; --i)
            walk.append(walk[i]);
        bool back = false;
        FakeUser user(wizard, [&](int at, CFakePage &) {
            back = back || at == 14;
            return !back ? IWizardPage::brNext : at == 1 ? IWizardPage::brCancel : IWizardPage::brBack;
        });
        wizard.Start();
        ASSERT_EQ(user.Shown, walk);
    }
}

// VAB on an IXO, no linearization, Z5, slots B and D empty: Next to the closing page, one Back;
// the rules trace every index tried.
TEST_F(ConfigWizardRulesTest, CombinedExampleRaisesExactlyTheseEvents)
{
    SetModules(config, Modello::IXO, SlotAModule::VAB, SlotBModule::None, Z5, SlotDModule::None, 0);
    TraceCapture trace;
    FakeUser user(wizard, Pressing(QList<qint32>(6, IWizardPage::brNext) << IWizardPage::brBack));
    wizard.Start();
    EXPECT_EQ(trace.Lines().filter("m_WizardInstrSetup_").join(", ").remove("m_WizardInstrSetup_AfterShow"),
              "NextTabs CRangeVABZOB, NextTabs CRangeQEM, NextTabs CDisplay, NextTabs CInOutScale, "
              "NextTabs CLinearize, NextTabs CAlarm1, NextTabs CAlarm2, NextTabs CAlarm3, NextTabs CAlarm4, "
              "NextTabs CFiltroDigitale, NextTabs CAnalogOut, NextTabs CSerialComm, NextTabs , "
              "BackTabs CSerialComm, BackTabs CAnalogOut, BackTabs CFiltroDigitale");
}

// Next through every page, then End: QEM on an EKA 40 with Z3 and linearization on. The pages
// shown take their context; the VAB/ZOB range, linearization and alarm 2-4 pages are passed
// over and never written. The values the user edits pass through.
TEST_F(ConfigWizardRulesTest, CarriesIntoThePagesShownOnly)
{
    SetModules(config, Modello::EKA40, SlotAModule::QEM, SlotBModule::None, Z3, SlotDModule::None, 1);
    config.RangeQEM().SetRange(4);
    CInOutScale &S = config.InOutScale();
    S.SetMinElectricScale(51);
    S.SetMeasureDigitalPoint(3);
    FakeUser user(wizard,
                  [](int at, CFakePage &) { return at == 14 ? IWizardPage::brEnd : IWizardPage::brNext; });
    wizard.Start();

    EXPECT_EQ(QList<int>({config.Display().ModelloStrumento(), S.SlotA(), S.Range(), S.MinElectricScale(),
                          config.RangeVABZOB().SlotA(), config.Linearize().SlotA()}),
              QList<int>({Modello::EKA40, SlotAModule::QEM, 4, 51, 0, 0}));
    QList<int> points;
    for (const CMeasureContext *m : std::initializer_list<const CMeasureContext *>{
             &config.Linearize(), &config.Alarm(1), &config.Alarm(2), &config.Alarm(3), &config.Alarm(4),
             &config.FiltroDigitale()})
        points << m->MeasureDigitalPoint();
    EXPECT_EQ(points, QList<int>({0, 3, 0, 0, 0, 3}));
}

} // namespace
