#include "FakePage_fixture.h"
#include "model/Configuration.h"
#include "model/ModuleCodes.h"
#include "support/TraceCapture.h"
#include "wizard/ConfigWizardRules.h"

#include <gmock/gmock.h>

#include <algorithm>

namespace {

// The configuration wizard over a CConfiguration, with pages that have no window; the rules
// are wired as the main window wires them, and the user is a function of the position shown.
class ConfigWizardRulesTest : public ::testing::Test
{
protected:
    ConfigWizardRulesTest()
    {
        const auto add = [this](auto *data) {
            wizard.Add(std::make_unique<CFakeDataPage<std::remove_pointer_t<decltype(data)>>>(), data);
        };
        add(&config.ModInstr()), add(&config.RangeVABZOB()), add(&config.RangeQEM()), add(&config.Display());
        add(&config.InOutScale()), add(&config.Linearize());
        for (int n = 1; n <= CConfiguration::kAlarms; ++n)
            add(&config.Alarm(n));
        add(&config.FiltroDigitale()), add(&config.AnalogOut()), add(&config.SerialComm());
        wizard.Add(std::make_unique<CFakePage>());
        const auto checked = [](void (*rule)(qint16 &, CWizardPages &, const QString &)) {
            return [rule](qint16 &Index, CWizardPages &Pages, const QString &ClassName) {
                rule(Index, Pages, ClassName);
                EXPECT_TRUE(Index >= 1 && Index <= 14) << ClassName.toStdString() << " -> " << Index;
            };
        };
        wizard.SetAfterShowNextTabs(checked(m_WizardInstrSetup_AfterShowNextTabs));
        wizard.SetAfterShowBackTabs(checked(m_WizardInstrSetup_AfterShowBackTabs));
    }
    void Run(std::function<qint32(int position)> user)
    {
        SetWizardPageShow([&](IWizardPage &page) {
            int position = 1;
            while (&wizard.Pages()[position] != &page)
                ++position;
            shown.append(position);
            dynamic_cast<CFakePage &>(page).Button =
                shown.size() > 60 ? IWizardPage::brCancel : user(position);
        });
        wizard.Start();
        SetWizardPageShow({});
    }
    void SetModules(qint16 model, qint16 a, qint16 b, qint16 c, qint16 d, qint16 linearizzazione)
    {
        CModInstr &M = config.ModInstr();
        M.SetModelloStrumento(model), M.SetSlotA(a), M.SetSlotB(b), M.SetSlotC(c), M.SetSlotD(d);
        config.InOutScale().SetLinearizzazione(linearizzazione);
    }
    // The positions a configuration needs, page by page.
    static QList<int> NeededPages(qint16 model, qint16 a, qint16 b, qint16 c, qint16 d, qint16 lin)
    {
        const bool qem = a == SlotAModule::QEM, z8z9 = c == SlotCModule::Z8Z9;
        const bool z5up = c == SlotCModule::Z5 || z8z9, relays = c == SlotCModule::Z3 || z5up;
        const bool kq = c == SlotCModule::KQ || b == SlotBModule::KQ || d == SlotDModule::KQ;
        const bool serial = b == SlotBModule::QZ || b == SlotBModule::ZQ;
        const bool need[] = {
            true, !qem,   qem, model != Modello::IXO, true, !qem && lin != 0, relays, z5up, z8z9, z8z9, true,
            kq,   serial, true};
        QList<int> pages;
        for (int k = 1; k <= 14; ++k)
            if (need[k - 1])
                pages.append(k);
        return pages;
    }
    // Next from the module page to the closing page, Back to the module page, Cancel: the
    // pages shown going forward are those the configuration needs, and Back retraces them.
    void SweepSlotC(std::initializer_list<qint16> slotCCodes)
    {
        for (qint16 model = 0; model <= 2; ++model)
            for (qint16 a = 0; a <= 3; ++a)
                for (qint16 b = 0; b <= 3; ++b)
                    for (qint16 c : slotCCodes)
                        for (qint16 d = 0; d <= 1; ++d)
                            for (qint16 lin = 0; lin <= 1; ++lin) {
                                SCOPED_TRACE(testing::Message()
                                             << "model " << model << " A " << a << " B " << b << " C " << c
                                             << " D " << d << " lin " << lin);
                                SetModules(model, a, b, c, d, lin);
                                shown.clear();
                                bool back = false;
                                Run([&](int at) {
                                    back = back || at == 14;
                                    return !back     ? IWizardPage::brNext
                                           : at == 1 ? IWizardPage::brCancel
                                                     : IWizardPage::brBack;
                                });
                                const QList<int> forward = NeededPages(model, a, b, c, d, lin);
                                QList<int> walk = forward;
                                std::copy(forward.rbegin() + 1, forward.rend(), std::back_inserter(walk));
                                ASSERT_EQ(shown, walk);
                            }
    }

    CConfiguration config;
    CWizardTabs wizard;
    QList<int> shown;
};

TEST_F(ConfigWizardRulesTest, EveryModuleCombinationShowsItsPagesAndBackRetracesThem)
{
    SweepSlotC({SlotCModule::None, SlotCModule::Z3, SlotCModule::Z5, SlotCModule::Z8Z9, SlotCModule::KQ});
}

// A slot-C value of no module (a damaged record) shows no alarm page going back either: the
// page would lack the scale that only Next carries, and clamp its values to 0.
TEST_F(ConfigWizardRulesTest, SlotCOutsideItsCodesShowsNoAlarmPageEitherWay)
{
    SweepSlotC({-1, 5});
}

// VAB on an IXO, no linearization, Z5, slots B and D empty: Next to the closing page, one Back.
TEST_F(ConfigWizardRulesTest, CombinedExampleRaisesExactlyTheseEvents)
{
    SetModules(Modello::IXO, SlotAModule::VAB, SlotBModule::None, SlotCModule::Z5, SlotDModule::None, 0);
    TraceCapture trace;
    QList<qint32> buttons(6, IWizardPage::brNext);
    buttons << IWizardPage::brBack << IWizardPage::brCancel;
    Run([&](int) { return buttons.takeFirst(); });

    QStringList expected;
    for (const char *next :
         {"CRangeVABZOB", "CRangeQEM", "CDisplay", "CInOutScale", "CLinearize", "CAlarm1", "CAlarm2",
          "CAlarm3", "CAlarm4", "CFiltroDigitale", "CAnalogOut", "CSerialComm", ""})
        expected << QStringLiteral("m_WizardInstrSetup_AfterShowNextTabs ") + next;
    for (const char *back : {"CSerialComm", "CAnalogOut", "CFiltroDigitale"})
        expected << QStringLiteral("m_WizardInstrSetup_AfterShowBackTabs ") + back;
    EXPECT_EQ(trace.Lines().filter(QStringLiteral("m_WizardInstrSetup_")), expected);
    EXPECT_EQ(shown, QList<int>({1, 2, 5, 7, 8, 11, 14, 11}));
}

// Every carried source field holds a value of its own; Next through every page, then End.
// VAK/VAM on an IXO with Z8/Z9: the QEM range and display pages are passed over and still
// feed probe and display mode. QEM on an EKA 40 with Z3: the VAB/ZOB range, linearization and
// alarm 2-4 pages are passed over and never written.
class ConfigWizardCarries : public ConfigWizardRulesTest, public ::testing::WithParamInterface<int>
{};

TEST_P(ConfigWizardCarries, FillTheContextOfThePagesShownOnly)
{
    const bool qem = GetParam() == 1;
    SetModules(qem ? Modello::EKA40 : Modello::IXO, qem ? SlotAModule::QEM : SlotAModule::VAKVAM,
               SlotBModule::None, qem ? SlotCModule::Z3 : SlotCModule::Z8Z9, SlotDModule::None, 1);
    config.RangeVABZOB().SetRange(21), config.RangeVABZOB().SetMeasureType(22);
    config.RangeQEM().SetProbeSelect(31), config.RangeQEM().SetRange(32);
    config.Display().SetDisplayDigit(41);
    CInOutScale &S = config.InOutScale();
    S.SetMinElectricScale(51), S.SetMaxElectricScale(52), S.SetMeasureDigitalPoint(53);
    S.SetMinMeasureScale(54), S.SetMaxMeasureScale(55);
    Run([](int at) { return at == 14 ? IWizardPage::brEnd : IWizardPage::brNext; });

    const struct
    {
        const char *field;
        qint16 actual, vakIxo, qemEka40;
    } rows[] = {
        {"V.SlotA", config.RangeVABZOB().SlotA(), SlotAModule::VAKVAM, 0},
        {"D.ModelloStrumento", config.Display().ModelloStrumento(), 0, Modello::EKA40},
        {"S.SlotA", S.SlotA(), SlotAModule::VAKVAM, SlotAModule::QEM},
        {"S.ModelloStrumento", S.ModelloStrumento(), Modello::IXO, Modello::EKA40},
        {"S.MeasureType", S.MeasureType(), 22, 22},
        {"S.DisplayDigit", S.DisplayDigit(), 41, 41},
        {"S.ProbeSelect", S.ProbeSelect(), 31, 31},
        {"S.Range", S.Range(), 21, 32},
        {"L.MinElectricScale", config.Linearize().MinElectricScale(), 51, 0},
        {"L.MaxElectricScale", config.Linearize().MaxElectricScale(), 52, 0},
        {"L.SlotA", config.Linearize().SlotA(), SlotAModule::VAKVAM, 0},
        {"L.ProbeSelect", config.Linearize().ProbeSelect(), 31, 0},
        {"L.Range", config.Linearize().Range(), 21, 0},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.actual, qem ? row.qemEka40 : row.vakIxo) << row.field;

    const QList<CMeasureContext *> measured = {&config.Linearize(), &config.Alarm(1),
                                               &config.Alarm(2),    &config.Alarm(3),
                                               &config.Alarm(4),    &config.FiltroDigitale()};
    const QList<bool> shownWithQEM = {false, true, false, false, false, true};
    for (int i = 0; i < measured.size(); ++i) {
        const CMeasureContext &m = *measured[i];
        const QList<int> expected = !qem              ? QList<int>{53, 54, 55, Modello::IXO, 41}
                                    : shownWithQEM[i] ? QList<int>{53, 54, 55, Modello::EKA40, 41}
                                                      : QList<int>{0, 0, 0, 0, 0};
        EXPECT_EQ(QList<int>({m.MeasureDigitalPoint(), m.MinMeasureScale(), m.MaxMeasureScale(),
                              m.ModelloStrumento(), m.DisplayDigit()}),
                  expected)
            << "page " << 6 + i;
    }
    // The values the user edits pass through the carries unchanged.
    EXPECT_EQ(config.InOutScale().MinElectricScale(), 51);
    EXPECT_EQ(config.RangeVABZOB().Range(), 21);
}

INSTANTIATE_TEST_SUITE_P(VakIxoAndQemEka40, ConfigWizardCarries, ::testing::Values(0, 1));

} // namespace
