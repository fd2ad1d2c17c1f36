#include "model/ModuleCodes.h"
#include "support/Modules_fixture.h"
#include "support/WizardPageUser.h"
#include "wizard/widgets/FWAnalogOut.h"
#include "wizard/widgets/FWDisplay.h"
#include "wizard/widgets/FWModInstr.h"
#include "wizard/widgets/FWNetworkAddMsgSetup.h"
#include "wizard/widgets/FWRangeQEM.h"
#include "wizard/widgets/FWRangeVABZOB.h"
#include "wizard/widgets/FWSerialComm.h"

namespace {

namespace A = SlotAModule;
namespace B = SlotBModule;
namespace C = SlotCModule;
namespace D = SlotDModule;
using namespace Modello;
using namespace Probe;

CModInstr Modules(qint16 c, qint16 d, qint16 model = IXO, qint16 a = A::VAB, qint16 b = B::None)
{
    CModInstr m;
    m.SetNomeProgramma(QStringLiteral("Quadro 7"));
    SetModules(m, model, a, b, c, d);
    return m;
}

// The model is recorded as IXO whatever came; KQ goes in slot C or D, never both, each show
// deciding afresh from its data; the name stops at 50 characters.
TEST(FWModInstr, ModelKQInterlockAndName)
{
    const QString fifty(50, QLatin1Char('x'));
    FWModInstr page;
    // clang-format off
    Play<CModInstr>(page, {
        {"EKA 35", Modules(C::Z5, D::None, EKA35, A::VAKVAM, B::QZ), "", "", "ModelloStrumento=2", kBack},
        {"KQ in slot C", Modules(C::KQ, D::None), "", "optSlotC4* | optSlotD1-"},
        {"slot C without option after KQ", Modules(9, D::KQ), "", "SlotC=none | optSlotC4- | optSlotD1*"},
        {"slot D without option after KQ", Modules(C::None, 9), "", "SlotD=none | optSlotC4"},
        {"KQ in both slots", Modules(C::KQ, D::KQ), "", "SlotC=3 | optSlotC4- | optSlotD1*", "SlotC=3", kEnd},
        {"user checks KQ in slot C", Modules(C::None, D::None), "optSlotC4", "optSlotD1-", "SlotC=4"},
        {"user moves KQ to slot D", Modules(C::KQ, D::None), "optSlotC0 optSlotD1", "optSlotC4-", "SlotC=0 SlotD=1"},
        {"50 characters", Modules(C::None, D::None), "txtProgramName:" + fifty + "yy", "", "NomeProgramma=" + fifty}});
    // clang-format on
}

CRangeVABZOB Signal(qint16 slotA, qint16 range, qint16 integration = 0, qint16 time = 1000,
                    qint16 measure = 0, qint16 function = 0)
{
    CRangeVABZOB v;
    v.SetSlotA(slotA);
    v.SetRange(range);
    v.SetIntegrationTime(integration);
    v.SetIntTime(time);
    v.SetMeasureType(measure);
    v.SetDigitalInFunction(function);
    return v;
}

// The slot-A module picks the title and the range group; the time is set by hand only.
TEST(FWRangeVABZOB, ModuleRangesAndIntegrationTime)
{
    FWRangeVABZOB page;
    // clang-format off
    Play<CRangeVABZOB>(page, {
        {"VAB", Signal(A::VAB, 0), "optRangeVABVAK1", "lblTitle=Parameter settings and use of VAB/VAK/VAM module... | RangeVABVAK=1 | RangeZOB-=none | txtIntTime-=100.0 ms", "Range=1"},
        {"ZOB", Signal(A::ZOB, 2), "optRangeZOB5", "lblTitle=Parameter settings and use of ZOB module... | RangeVABVAK-=none | RangeZOB=5", "Range=5"},
        {"VAK/VAM as VAB", Signal(A::VAKVAM, 4), "", "RangeVABVAK=4 | RangeZOB-=none"},
        {"manual, then automatic keeps the time", Signal(A::VAB, 0), "optIntegrationTime1 txtIntTime+1 optIntegrationTime0", "txtIntTime-=100.1 ms", "IntTime=1001"},
        {"manual stored", Signal(A::ZOB, 0, 1, 9999), "", "txtIntTime=999.9 ms"}});
    // clang-format on
}

CRangeQEM QEM(qint16 probe, qint16 cjc, qint16 temp, qint16 range, qint16 function = 0)
{
    CRangeQEM q;
    q.SetProbeSelect(probe), q.SetCJC(cjc), q.SetTempCJC(temp), q.SetRange(range),
        q.SetDigitalInFunction(function);
    return q;
}

// Only a thermocouple has a cold junction, set by hand only; each probe has its range group,
// and the range of the probe left is the one stored.
TEST(FWRangeQEM, ProbeCompensationAndRanges)
{
    FWRangeQEM page;
    // clang-format off
    Play<CRangeQEM>(page, {
        {"thermocouple", QEM(Thermocouple, 0, 0, 0), "", "CJC=0 | txtTempCJC-=0 °C | RangeTC=0 | RangeRTD-=0 | RangeRES-=0 | cmbFunzione=Display hold"},
        {"RTD, manual", QEM(RTD, 1, 20, 5, 1), "", "CJC-=0 | RangeTC-=5 | RangeRTD=5 | cmbFunzione=Keypad lock", "CJC=0"},
        {"resistance, manual", QEM(Resistance, 1, 20, 0), "", "CJC-=0 | RangeRTD-=0 | RangeRES=0", "CJC=0"},
        {"manual thermocouple to RTD and back", QEM(Thermocouple, 1, 25, 2), "optProbeSelect1 optProbeSelect0", "CJC=0 | txtTempCJC-=25 °C", "CJC=0"},
        {"each group keeps its choice", QEM(Thermocouple, 0, 0, 3), "optRangeTC4 optProbeSelect1 optRangeRTD1 optProbeSelect0", "RangeTC=4 | RangeRTD-=1", "Range=4"},
        {"junction by hand", QEM(Thermocouple, 0, 0, 0), "optCJC1 txtTempCJC+3", "txtTempCJC=3 °C", "CJC=1 TempCJC=3"}});
    // clang-format on
}

CDisplay Display(qint16 model, qint16 digit = 0, qint16 color = 2, qint16 password = 0)
{
    CDisplay d;
    d.SetModelloStrumento(model);
    d.SetDisplayDigit(digit);
    d.SetDisplayColor(color);
    d.SetPassword(password);
    return d;
}

// The display mode is set on the EKA 35 only, the colour on the EKA 40 only.
TEST(FWDisplay, GroupsByModel)
{
    FWDisplay page;
    // clang-format off
    Play<CDisplay>(page, {
        {"EKA 35", Display(EKA35), "optDisplayDigit1 optDisplayColor0", "DisplayDigit=1 | DisplayColor-=2", "DisplayDigit=1"},
        {"EKA 40", Display(EKA40, 1, 0), "optDisplayDigit0 optDisplayColor1", "DisplayDigit-=1 | DisplayColor=1", "DisplayColor=1"},
        {"IXO", Display(IXO, 1, 1), "optDisplayDigit0 optDisplayColor2", "DisplayDigit-=1 | DisplayColor-=1"}});
    // clang-format on
}

template <class Page, class Data> std::unique_ptr<CWizardPage> ShownWith(const Data &data)
{
    auto page = std::make_unique<Page>();
    page->SetData(data);
    page->show();
    return page;
}

// Every spin edit of these pages wraps: Down on its lowest value gives its highest. On the range
// pages a held key takes ten at a time from its 10th step, elsewhere one.
TEST(SpinEdits, WrapAndTheFastStepOfEachPage)
{
    CNetworkAddMsgSetup manual, network;
    manual.SetInterfaceType(1), manual.SetSelNetworkAdd(1);
    network.SetInterfaceType(2), network.SetModeConfig(1);
    const struct
    {
        std::unique_ptr<CWizardPage> page;
        const char *box, *arrows;
        int tenthStep;
    } cases[] = {
        {ShownWith<FWRangeQEM>(QEM(Thermocouple, 1, 0, 0)), "txtTempCJC", "UpDown1", 10},
        {ShownWith<FWRangeVABZOB>(Signal(A::VAB, 0, 1)), "txtIntTime", "UpDown1", 10},
        {ShownWith<FWDisplay>(Display(IXO)), "txtPassword", "UpDown1", 1},
        {ShownWith<FWSerialComm>(CSerialComm()), "txtNetworkAdd", "UpDown1", 1},
        {ShownWith<FWAnalogOut>(CAnalogOut()), "txtMaxOut", "UpDown1", 1},
        {ShownWith<FWAnalogOut>(CAnalogOut()), "txtMinOut", "UpDown2", 1},
        {ShownWith<FWNetworkAddMsgSetup>(manual), "txtNetworkAdd", "UpDown1", 1},
        {ShownWith<FWNetworkAddMsgSetup>(network), "txtTotalInstrNetwork", "UpDown2", 1},
    };
    for (const auto &c : cases) {
        auto *box = c.page->findChild<QLineEdit *>(c.box);
        auto *arrows = c.page->findChild<UpDownControl *>(c.arrows);
        ASSERT_TRUE(box && arrows && box->isEnabled()) << c.box;
        arrows->SetValue(arrows->Minimum());
        QTest::keyClick(box, Qt::Key_Down);
        const int wrapped = arrows->Value();
        arrows->SetValue(arrows->Minimum());
        int ninth = 0;
        for (int press = 1; press <= 10; ++press) {
            ninth = press == 10 ? arrows->Value() : ninth;
            QKeyEvent held(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), press > 1);
            QApplication::sendEvent(box, &held);
        }
        QTest::keyRelease(box, Qt::Key_Up);
        EXPECT_EQ(std::pair(wrapped, arrows->Value() - ninth), std::pair(arrows->Maximum(), c.tenthStep))
            << c.page->metaObject()->className() << ' ' << c.box;
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(ModulePages, EveryPage, ::testing::Values(
    Round<FWModInstr>(Modules(C::Z3, D::None, IXO, A::QEM, B::ZQ), "", "optSlotA1 optSlotB0 optSlotC2 optSlotD1 txtProgramName:Nuovo", "NomeProgramma=Nuovo SlotA=1 SlotB=0 SlotC=2 SlotD=1"),
    Round<FWRangeVABZOB>(Signal(A::ZOB, 4, 1, 9999, 1, 2), "UpDown1=1000..9999", "optRangeZOB3 optMeasureType0 txtIntTime-1 optIntegrationTime0 "
                         "optDigitalInFunction1", "Range=3 MeasureType=0 IntegrationTime=0 IntTime=9998 DigitalInFunction=1"),
    Round<FWRangeQEM>(QEM(Thermocouple, 1, 50, 4, 2), "UpDown1=0..50", "txtTempCJC-1 cmbFunzione=0 optProbeSelect2 optRangeRES5", "ProbeSelect=2 CJC=0 TempCJC=49 Range=5 DigitalInFunction=0"),
    Round<FWDisplay>(Display(IXO, 1, 0, 8888), "UpDown1=0..9000", "txtPassword+1", "Password=8889"),
    Round<FWSerialComm>([] { CSerialComm s; s.SetNetworkAdd(255), s.SetBaudRate(2); return s; }(), "UpDown1=1..255", "txtNetworkAdd-1 optBaudRate3", "NetworkAdd=254 BaudRate=3")));
// clang-format on

} // namespace
