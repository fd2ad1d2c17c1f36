#include "PageUser_fixture.h"
#include "support/TraceCapture.h"
#include "wizard/widgets/FWInOutScale.h"

namespace {

using namespace Modello;
using namespace SlotAModule;

// A context with the measure minimum at 1234 counts and the given electrical values.
CInOutScale Scale(qint16 model, qint16 slotA, qint16 probe, qint16 range, qint16 measureType = 0,
                  qint16 displayDigit = 0, qint16 minElectric = 0, qint16 maxElectric = 0)
{
    CInOutScale data;
    data.SetModelloStrumento(model);
    data.SetSlotA(slotA);
    data.SetProbeSelect(probe);
    data.SetRange(range);
    data.SetMeasureType(measureType);
    data.SetDisplayDigit(displayDigit);
    data.SetMinElectricScale(minElectric);
    data.SetMaxElectricScale(maxElectric);
    data.SetMinMeasureScale(1234);
    data.SetLinearizzazione(1);
    return data;
}

// The spins by context: electrical limits and text of the stored minimum, measure limits and
// arrow step, whether linearization can be chosen (where it cannot, it leaves as 0). Left with
// Back, unchecked, the stored minimum comes back clamped. One page takes every row, as a wizard
// shows it again: each show follows its own context, never the one before.
TEST(ScalePage, SpinsFollowRangeModelAndDisplay)
{
    struct
    {
        CInOutScale data;
        std::pair<int, int> electric;
        const char *minText;
        int measureLimit, measureStep;
        bool linearization, noRange;
    } const cases[] = {
        {Scale(IXO, VAB, 0, 1, 0, 0, 200), {0, 2000}, "0.200  mA", 9999, 1, true, false},
        {Scale(IXO, VAKVAM, 0, 1, 1, 0, -2000), {-2000, 2000}, "-2.000  mA", 9999, 1, true, false},
        {Scale(IXO, QEM, Probe::RTD, 0, 1, 0, -900), {-200, 850}, "-200  °C", 9999, 1, false, false},
        {Scale(EKA40, QEM, Probe::Thermocouple, 4), {350, 1750}, "350  °C", 9999, 1, false, false},
        {Scale(EKA35, VAB, 0, 3, 0, 0, 1999), {0, 1999}, "199.9  mV", 1999, 1, false, false},
        {Scale(EKA35, ZOB, 0, 5, 0, 1, 600), {0, 500}, "500  V", 9990, 10, false, false},
        {Scale(EKA40, ZOB, 0, 5, 0, 1, 5000), {0, 5000}, "500.0  V", 9999, 1, true, false},
        {Scale(IXO, QEM, 7, 0, 0, 0, 1234), {-32768, 32767}, "1234", 9999, 1, false, true},
        {Scale(IXO, VAB, 0, 6, 1, 0, -32768), {-32768, 32767}, "-32768", 9999, 1, true, true}};
    FWInOutScale page;
    CPageUser user(page);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.minText);
        TraceCapture trace;
        user.Show(c.data);
        EXPECT_EQ(user.Limits("UpDown1"), c.electric);
        EXPECT_EQ(user.Limits("UpDown2"), c.electric);
        EXPECT_EQ(user.Shown("txtMinElectricScale"), QString::fromUtf8(c.minText));
        EXPECT_EQ(user.Limits("UpDown3"), std::pair(-c.measureLimit, c.measureLimit));
        EXPECT_EQ(user.Limits("UpDown4"), std::pair(-c.measureLimit, c.measureLimit));
        user.Key("txtMaxMeasureScale", Qt::Key_Up);
        EXPECT_EQ(user.Arrow("UpDown4"), c.measureStep);
        EXPECT_EQ(user.Enabled("Linearizzazione"), c.linearization);
        EXPECT_EQ(trace.Lines().filter("Nessun campo elettrico").size(), c.noRange ? 1 : 0);
        user.Leave(IWizardPage::brBack);
        const auto left = user.Left<CInOutScale>();
        EXPECT_EQ(left.MinElectricScale(),
                  qBound(c.electric.first, int(c.data.MinElectricScale()), c.electric.second));
        EXPECT_EQ(left.Linearizzazione(), c.linearization ? 1 : 0);
    }
}

// End and Next need the electrical minimum below the maximum, else message 797 and the page
// stays with nothing copied; Back leaves unchecked. The measure scale may fall.
TEST(ScalePage, ElectricalMinimumBelowMaximumOrMessage797)
{
    const std::tuple<CInOutScale, qint32, qint32> cases[] = {
        // data, button, ButtonRet (-1: stays)
        {Scale(IXO, VAB, 0, 1, 0, 0, 0, 0), IWizardPage::brNext, -1},
        {Scale(IXO, VAB, 0, 1, 0, 0, 100, 100), IWizardPage::brEnd, -1},
        {Scale(IXO, VAB, 0, 1, 0, 0, 101, 100), IWizardPage::brNext, -1},
        {Scale(IXO, VAB, 0, 1, 0, 0, 99, 100), IWizardPage::brNext, 2},
        {Scale(IXO, VAB, 0, 1, 1, 0, -2000, 2000), IWizardPage::brEnd, 0},
        {Scale(IXO, VAB, 0, 1, 0, 0, 500, 100), IWizardPage::brBack, 3}};
    for (const auto &[data, button, buttonRet] : cases) {
        MessageRecorder messages;
        FWInOutScale page;
        CPageUser user(page);
        user.Show(data, button == IWizardPage::brEnd);
        user.Key("txtMaxMeasureScale", Qt::Key_Down);
        Press(page, button);
        if (buttonRet == -1)
            ExpectRefusedWith(messages, 797);
        EXPECT_EQ(page.ButtonRet(), buttonRet == -1 ? IWizardPage::brCancel : buttonRet);
        EXPECT_EQ(user.Left<CInOutScale>().MaxMeasureScale(), buttonRet == -1 ? 0 : -1);
    }
}

// Every edited member comes back as it went in, a falling measure scale included; the decimal
// point moves the point of the measure texts only, and one outside the tables shows bare
// counts and is kept.
TEST(ScalePage, RoundTripDecimalPointAndCaptions)
{
    for (const auto &[point, text] : {std::pair{3, "1.234"}, {0, "1234"}, {1, "123.4"}, {7, "1234"}}) {
        CInOutScale data = Scale(EKA40, ZOB, 4, 5, 1, 1, -4000, 4500);
        data.SetMeasureDigitalPoint(qint16(point));
        data.SetMaxMeasureScale(-100);
        FWInOutScale page;
        CPageUser user(page);
        user.Show(data);
        EXPECT_EQ(user.Shown("txtMinMeasureScale"), text);
        EXPECT_EQ(user.Shown("txtMinElectricScale"), "-400.0  V");
        user.ExpectCaptions(
            "lblTitle:490 ElettricScale:480 Label1:482 Label2:481 MeasureScale:483 Label5:484 "
            "Label3:486 Label4:485 Linearizzazione:487 optLinearizzazione0:488 optLinearizzazione1:489");
        user.Leave(IWizardPage::brNext);
        const auto left = user.Left<CInOutScale>();
        EXPECT_EQ(std::tuple(left.MinElectricScale(), left.MaxElectricScale(), left.MeasureDigitalPoint(),
                             left.MinMeasureScale(), left.MaxMeasureScale(), left.Linearizzazione()),
                  std::tuple(-4000, 4500, point, 1234, -100, 1));
    }
}

} // namespace
