#include "WidgetForm_fixture.h"

#include "common/widgets/TextSpin.h"
#include "platform/widgets/UpDownControl.h"

#include <QLineEdit>
#include <QSignalSpy>

namespace {

class TextSpinTest : public WidgetForm
{
protected:
    // Every change of the value is recorded, so the steps can be read back.
    void Make(qint16 min, qint16 max, qint16 slow, qint16 fast, bool wrap = true)
    {
        spin.Create(box, arrows, min, max, slow, fast, wrap, false);
        QObject::connect(&spin, &CTextSpin::Change, [this] { values.push_back(spin.Value()); });
        values = {spin.Value()};
    }
    std::vector<int> Steps(size_t count) const
    {
        std::vector<int> steps;
        for (size_t i = 1; i < values.size() && steps.size() < count; ++i)
            steps.push_back(values[i] - values[i - 1]);
        return steps;
    }
    static std::vector<int> Runs(std::initializer_list<std::pair<int, int>> runs)
    {
        std::vector<int> steps;
        for (const auto &[count, step] : runs)
            steps.insert(steps.end(), count, step);
        return steps;
    }
    QPoint Arrow(bool up) const { return {arrows->width() / 2, up ? 2 : arrows->height() - 2}; }

    QLineEdit *box = new QLineEdit(&form), *other = new QLineEdit(&form);
    UpDownControl *arrows = new UpDownControl(&form);
    CTextSpin spin;
    std::vector<int> values;
};

TEST_F(TextSpinTest, PullsValuesInsideTheLimits)
{
    Make(0, 9000, 1, 10);
    spin.SetValue(-5);
    EXPECT_EQ(spin.Value(), 0);
    spin.SetValue(800);
    QSignalSpy changes(&spin, &CTextSpin::Change);
    spin.SetMax(500);
    EXPECT_EQ(spin.Value(), 500);
    EXPECT_EQ(changes.count(), 1);
    spin.SetMin(600); // crossed limits: Min wins
    spin.SetValue(550);
    EXPECT_EQ(spin.Value(), 600);
    EXPECT_EQ(box->text(), "600");
}

TEST(TextSpin, KeysWrapOrStopAtBothEndsIn32Bits)
{
    // wrap, min, max, slow step, start, key, value after the key
    const std::tuple<bool, qint16, qint16, qint16, qint16, Qt::Key, qint16> cases[] = {
        {true, -100, 100, 7, 95, Qt::Key_Up, -100},
        {true, -100, 100, 7, -95, Qt::Key_Down, 100},
        {false, -100, 100, 7, 95, Qt::Key_Up, 100},
        {false, -100, 100, 7, -95, Qt::Key_Down, -100},
        {false, -32768, 32767, 30000, 32000, Qt::Key_Up, 32767},
        {true, -32768, 32767, 30000, -32000, Qt::Key_Down, 32767},
        {true, -32768, 32767, 30000, 2767, Qt::Key_Up, 32767},
    };
    for (const auto &[wrap, min, max, slow, start, key, expected] : cases) {
        QWidget form;
        CTextSpin spin;
        spin.Create(new QLineEdit(&form), new UpDownControl(&form), min, max, slow, 10, wrap);
        spin.SetValue(start);
        QTest::keyClick(form.findChild<QLineEdit *>(), key);
        EXPECT_EQ(spin.Value(), expected) << start << (wrap ? " wrapping" : " stopping");
    }
}

TEST_F(TextSpinTest, HeldKeyAcceleratesTwiceAndStartsSlowAgain)
{
    Make(-9999, 9999, 1, 10);
    HoldKey(box, Qt::Key_Up, 25);
    EXPECT_EQ(Steps(99), Runs({{9, 1}, {10, 10}, {6, 100}}));
    values = {spin.Value()};
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(Steps(99), Runs({{1, -1}}));
}

TEST_F(TextSpinTest, SmallMaximumGrowsTheStepOnce)
{
    Make(0, 50, 1, 2);
    HoldKey(box, Qt::Key_Up, 25);
    EXPECT_EQ(Steps(99), Runs({{9, 1}, {16, 2}}));
}

TEST_F(TextSpinTest, HeldMouseButtonAcceleratesAndFocusesTheTextBox)
{
    ShowForm();
    Make(-9999, 9999, 1, 10);
    arrows->SetAutoRepeat(1, 1);
    FocusByUser(other);
    QTest::mousePress(arrows, Qt::LeftButton, {}, Arrow(true));
    EXPECT_EQ(QApplication::focusWidget(), box);
    QTRY_VERIFY(values.size() > 26);
    QTest::mouseRelease(arrows, Qt::LeftButton, {}, Arrow(true));
    EXPECT_EQ(Steps(26), Runs({{10, 1}, {10, 10}, {6, 100}}));
    values = {spin.Value()};
    QTest::mouseClick(arrows, Qt::LeftButton, {}, Arrow(false)); // a new press starts slow
    EXPECT_EQ(Steps(99), Runs({{1, -1}}));
}

TEST_F(TextSpinTest, TypingAndTheWheelChangeNothing)
{
    Make(0, 100, 1, 10);
    spin.SetValue(42);
    QTest::keyClicks(box, "7-");
    QWheelEvent wheel(QPointF(2, 2), QPointF(2, 2), {}, QPoint(0, 120), Qt::NoButton, {}, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(arrows, &wheel);
    EXPECT_EQ(spin.Value(), 42);
    EXPECT_EQ(box->text(), "42");
}

TEST_F(TextSpinTest, ShowsFactorFormatAndUnitInTheUsersLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    Make(0, 1000, 1, 10);
    spin.SetMoltiplicatore(0.1f);
    spin.SetDataFormat("##0.0");
    spin.SetUnitaMisura("s.");
    QString seenByChange;
    QObject::connect(&spin, &CTextSpin::Change, [&] { seenByChange = box->text(); });
    spin.SetValue(125);
    EXPECT_EQ(box->text(), "12,5 s.");
    EXPECT_EQ(seenByChange, "0,0 s."); // Change comes before the text is rewritten
    QObject::connect(&spin, &CTextSpin::ViewText, [](QString &text) { text += "!"; });
    spin.SetEnableEvent(false); // no signals, but the text still follows the value
    spin.SetValue(7);
    EXPECT_EQ(box->text(), "0,7 s.");
    EXPECT_EQ(seenByChange, "0,0 s.");
    spin.SetEnableEvent(true);
    spin.SetValue(8);
    EXPECT_EQ(box->text(), "0,8 s.!");
    QLocale::setDefault(saved);
}

TEST_F(TextSpinTest, ToolTipShowsTheLimitsWhenAsked)
{
    Make(0, 9000, 1, 10);
    arrows->setToolTip("designed");
    spin.SetMax(8000);
    EXPECT_EQ(arrows->toolTip(), "designed");
    spin.SetViewToolTipText(true);
    QObject::connect(&spin, &CTextSpin::ViewToolTip, [](QString &text) { text.prepend("Range "); });
    spin.SetMoltiplicatore(0.5f);
    EXPECT_EQ(arrows->toolTip(), "Range Min:0 Max:4000");
}

TEST_F(TextSpinTest, RefusedValidationKeepsTheFocus)
{
    ShowForm();
    Make(0, 100, 1, 10);
    int asked = 0;
    QObject::connect(&spin, &CTextSpin::ChangeValidate, [&](bool &cancel) { cancel = ++asked == 1; });
    FocusByUser(box);
    FocusByUser(other);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(QApplication::focusWidget(), box);
    FocusByUser(other);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(QApplication::focusWidget(), other);
}

} // namespace
