#include "PageUser_fixture.h"
#include "model/ModuleCodes.h"
#include "support/TraceCapture.h"
#include "wizard/widgets/FWLinearize.h"

namespace {

using namespace Modello;

const auto In = [](int row) { return QStringLiteral("txtLinearizeIn%1").arg(row); };
const auto Out = [](int row) { return QStringLiteral("txtLinearizeOut%1").arg(row); };

// `count` points on an electrical scale of -500..500 counts of a 2 mA range (VAB range 1) and a
// measure scale of -1999..9999 with one decimal, of an IXO; inputs from row 0 on.
CLinearize Points(qint16 count, std::initializer_list<int> inputs = {})
{
    CLinearize data;
    data.SetModelloStrumento(IXO);
    data.SetRange(1);
    data.SetMinElectricScale(-500);
    data.SetMaxElectricScale(500);
    data.SetMeasureDigitalPoint(1);
    data.SetMinMeasureScale(-1999);
    data.SetMaxMeasureScale(9999);
    data.SetNumSpezzate(count);
    int row = 0;
    for (int value : inputs)
        data.SetCoordinateIn(row++, qint16(value));
    return data;
}

// Limits, arrow steps and texts of the spins by the scale context (a VAB range 9 has no table
// row), with input 250 and output 1234 stored in row 0; one page shown again for every row.
TEST(LinearizePage, SpinsFollowTheScalePage)
{
    struct
    {
        qint16 model, displayDigit, point, minMeasure, maxMeasure, range;
        std::pair<int, int> outLimits;
        int outStep;
        const char *outText, *inText;
    } const cases[] = {{IXO, 1, 2, -1999, 9999, 1, {-1999, 9999}, 1, "12.34", "0.250  mA"},
                       {EKA40, 0, 0, 1000, 0, 4, {0, 1000}, 1, "1000", "0.250  V"},
                       {EKA35, 1, 1, -1999, 9999, 1, {-1999, 9999}, 10, "123.4", "0.250  mA"},
                       {EKA35, 0, 3, 9999, -1999, 4, {-1999, 9999}, 1, "1.234", "0.250  V"},
                       {IXO, 0, 9, -1999, 9999, 9, {-1999, 9999}, 1, "1234", "250"}};
    FWLinearize page;
    CPageUser user(page);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.outText);
        TraceCapture trace;
        CLinearize data = Points(2, {250});
        data.SetModelloStrumento(c.model);
        data.SetDisplayDigit(c.displayDigit);
        data.SetMeasureDigitalPoint(c.point);
        data.SetMinMeasureScale(c.minMeasure);
        data.SetMaxMeasureScale(c.maxMeasure);
        data.SetRange(c.range);
        data.SetCoordinateOut(0, 1234);
        user.Show(data);
        EXPECT_EQ(user.Limits("UpDownOut15"), c.outLimits);
        EXPECT_EQ(user.Limits("UpDownIn15"), std::pair(-500, 500));
        EXPECT_EQ(user.Shown(Out(0)), c.outText);
        EXPECT_EQ(user.Shown(In(0)), c.inText);
        EXPECT_EQ(trace.Lines().filter("Nessun campo elettrico").size(), c.range == 9 ? 1 : 0);
        const int out = user.Arrow("UpDownOut0");
        user.Key(Out(0), Qt::Key_Down);
        EXPECT_EQ(out - user.Arrow("UpDownOut0"), c.outStep);
        user.Key(In(0), Qt::Key_Up);
        EXPECT_EQ(user.Arrow("UpDownIn0"), 251);
        user.Leave(IWizardPage::brBack);
    }
}

// The count greys the rows past it; every row still shows, and leaves with, its own stored
// point. A count outside 2-16 is traced, bounded to the rows there are and kept.
TEST(LinearizePage, CountEnablesRowsAndEveryPointRoundTrips)
{
    for (const auto &[count, rows] : {std::pair{2, 2}, {7, 7}, {16, 16}, {20, 16}, {1, 1}, {0, 0}, {-3, 0}}) {
        TraceCapture trace;
        CLinearize data = Points(qint16(count));
        for (int i = 0; i < CLinearize::kPoints; ++i) {
            data.SetCoordinateIn(i, qint16(-490 + 61 * i));
            data.SetCoordinateOut(i, qint16(1990 - 131 * i));
        }
        FWLinearize page;
        CPageUser user(page);
        user.Show(data);
        for (int i = 0; i < CLinearize::kPoints; ++i) {
            EXPECT_EQ(user.Enabled(In(i)), i < rows) << count << " row " << i;
            EXPECT_EQ(user.Enabled(Out(i)), i < rows) << count << " row " << i;
        }
        const bool outside = count < 2 || count > 16;
        EXPECT_EQ(trace.Lines().filter(QStringLiteral("NumSpezzate=%1 fuori").arg(count)).size(),
                  outside ? 1 : 0);
        if (count == 7)
            user.ExpectCaptions("lblTitle:473 Label1:470 Label2:471 Label3:471 Label4:472 Label5:472");
        user.Leave(IWizardPage::brNext);
        const auto left = user.Left<CLinearize>();
        EXPECT_EQ(left.NumSpezzate(), count);
        for (int i = 0; i < CLinearize::kPoints; ++i) {
            EXPECT_EQ(left.CoordinateIn(i), -490 + 61 * i) << count << " row " << i;
            EXPECT_EQ(left.CoordinateOut(i), 1990 - 131 * i) << count << " row " << i;
        }
    }
}

// A count the user picks zeroes every row past it (or sets the limit nearest to 0); the rows it
// opens show what they hold.
TEST(LinearizePage, ChangedCountZeroesTheRowsPastIt)
{
    CLinearize data = Points(5);
    data.SetMinElectricScale(100);
    data.SetMaxElectricScale(1000);
    for (int i = 0; i < CLinearize::kPoints; ++i) {
        data.SetCoordinateIn(i, qint16(100 + 50 * i));
        data.SetCoordinateOut(i, qint16(1 + i));
    }
    FWLinearize page;
    CPageUser user(page);
    user.Show(data);
    user.Pick("cmbNumSpezzate", 1); // 3 points
    EXPECT_FALSE(user.Enabled(In(3)));
    user.Pick("cmbNumSpezzate", 3); // 5 points again: rows 3 and 4 open with what they hold now
    EXPECT_TRUE(user.Enabled(In(4)));
    user.Leave(IWizardPage::brBack); // Next would refuse rows 3 and 4 below row 2
    const auto left = user.Left<CLinearize>();
    EXPECT_EQ(left.NumSpezzate(), 5);
    for (int i = 0; i < CLinearize::kPoints; ++i) {
        EXPECT_EQ(left.CoordinateIn(i), i < 3 ? 100 + 50 * i : 100) << i;
        EXPECT_EQ(left.CoordinateOut(i), i < 3 ? 1 + i : 0) << i;
    }
}

// End and Next refuse an input below the one before it among the points in use (message 798,
// nothing copied); equal inputs, falling outputs and rows past the count pass; Back leaves.
TEST(LinearizePage, FallingInputsOrMessage798)
{
    const std::tuple<CLinearize, qint32, qint32> cases[] = {
        // data, button, ButtonRet (-1: stays)
        {Points(2), IWizardPage::brNext, 2},
        {Points(3, {100, 100, 200}), IWizardPage::brNext, 2},
        {Points(2, {100, 50}), IWizardPage::brNext, -1},
        {Points(2, {100, 200, 50}), IWizardPage::brEnd, 0},
        {Points(20, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 13}), IWizardPage::brEnd, -1},
        {Points(2, {100, 50}), IWizardPage::brBack, 3}};
    for (const auto &[data, button, buttonRet] : cases) {
        MessageRecorder messages;
        FWLinearize page;
        CPageUser user(page);
        user.Show(data, button == IWizardPage::brEnd);
        user.Key(Out(0), Qt::Key_Down);
        Press(page, button);
        if (buttonRet == -1)
            ExpectRefusedWith(messages, 798);
        EXPECT_EQ(page.ButtonRet(), buttonRet == -1 ? IWizardPage::brCancel : buttonRet);
        EXPECT_EQ(user.Left<CLinearize>().CoordinateOut(0), buttonRet == -1 ? 0 : -1);
    }
}

} // namespace
