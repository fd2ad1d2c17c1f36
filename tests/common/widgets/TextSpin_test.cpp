#include "common/widgets/TextSpin.h"
#include "platform/widgets/UpDownControl.h"
#include "support/DataTable.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace {

// Runs of equal steps, given as {count, step} pairs, spelled out.
std::vector<int> Runs(std::initializer_list<std::pair<int, int>> runs)
{
    std::vector<int> steps;
    for (const auto &[count, step] : runs)
        steps.insert(steps.end(), count, step);
    return steps;
}

class TextSpinTest : public ::testing::Test
{
protected:
    // The focus moved as the user moves it (Tab, a click).
    static void FocusByUser(QWidget *control)
    {
        control->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
    // Every change of the value is recorded as a step.
    void Make(qint16 min, qint16 max, qint16 slow, qint16 fast, bool wrap = true)
    {
        spin.Create(box, arrows, min, max, slow, fast, wrap, false);
        last = spin.Value();
        QObject::connect(&spin, &CTextSpin::Change,
                         [this] { steps.push_back(spin.Value() - std::exchange(last, spin.Value())); });
    }
    QPoint Arrow(bool up) const { return {arrows->width() / 2, up ? 2 : arrows->height() - 2}; }

    QWidget form;
    QLineEdit *box = new QLineEdit(&form), *other = new QLineEdit(&form);
    UpDownControl *arrows = new UpDownControl(&form);
    CTextSpin spin;
    qint16 last = 0;
    std::vector<int> steps;
};

// Typing and the wheel change nothing; values set are pulled inside the limits (crossed limits:
// Min wins).
TEST_F(TextSpinTest, OnlyTheArrowsAndSetValueChangeTheValueAndItStaysInsideTheLimits)
{
    Make(0, 9000, 1, 10);
    QTest::keyClicks(box, "7-");
    QWheelEvent wheel(QPointF(2, 2), QPointF(2, 2), {}, QPoint(0, 120), Qt::NoButton, {}, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(arrows, &wheel);
    EXPECT_EQ(std::pair(box->text(), steps), std::pair(QString("0"), std::vector<int>()));
    spin.SetValue(-5);
    EXPECT_EQ(spin.Value(), 0);
    spin.SetValue(800);
    spin.SetMax(500);
    EXPECT_EQ(steps.back(), -300);
    spin.SetMin(600);
    spin.SetValue(550);
    EXPECT_EQ(box->text(), "600");
}

TEST(TextSpin, KeysWrapOrStopAtBothEndsIn32Bits)
{
    for (const QStringList &f : ReadDataTable(QStringLiteral("spin_key_ends.tsv"))) {
        QWidget form;
        CTextSpin spin;
        spin.Create(new QLineEdit(&form), new UpDownControl(&form), f[1].toShort(), f[2].toShort(),
                    f[3].toShort(), 10, f[0] == "wrap");
        spin.SetValue(f[4].toShort());
        QTest::keyClick(form.findChild<QLineEdit *>(), f[5] == "Up" ? Qt::Key_Up : Qt::Key_Down);
        EXPECT_EQ(spin.Value(), f[6].toShort()) << f.join(' ').toStdString();
    }
}

// A held key takes nine slow steps, then fast ones and, from the 20th, tenfold fast ones unless
// the maximum is small; a new press starts slow. The display system's repeats count as one
// press whether Qt marked them as auto-repeat or, its release read before its press arrived,
// left them unmarked.
TEST_F(TextSpinTest, HeldKeyAcceleratesAndANewPressStartsSlow)
{
    Make(-9999, 9999, 1, 10);
    for (const auto &[marked, max, fast, expected] :
         {std::tuple(true, 9999, 10, Runs({{9, 1}, {10, 10}, {6, 100}, {1, -1}})),
          std::tuple(false, 50, 2, Runs({{9, 1}, {16, 2}, {1, -1}}))}) {
        spin.SetMax(qint16(max));
        spin.SetIncrementoVeloce(qint16(fast));
        spin.SetValue(0);
        steps.clear();
        // Up held down: a press, then release and press pairs of one moment 40 ms apart, then the
        // real release.
        for (int i = 0; i <= 25; ++i) {
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Up, Qt::NoModifier, QString(), marked && i < 25);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), marked && i > 0);
            release.setTimestamp(quint64(1000 + 40 * i + (i == 25 ? 15 : 0)));
            press.setTimestamp(quint64(1000 + 40 * i));
            if (i > 0)
                QApplication::sendEvent(box, &release);
            if (i < 25)
                QApplication::sendEvent(box, &press);
        }
        QTest::keyClick(box, Qt::Key_Down);
        EXPECT_EQ(steps, expected) << max << (marked ? " marked" : " unmarked");
    }
}

// Leaving the text box asks the owner, even without a change; a refusal keeps the focus there.
TEST_F(TextSpinTest, HeldMouseButtonAcceleratesFocusesTheTextBoxAndLeavingItAsks)
{
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    Make(-9999, 9999, 1, 10);
    arrows->SetAutoRepeat(1, 1);
    FocusByUser(other);
    QTest::mousePress(arrows, Qt::LeftButton, {}, Arrow(true));
    EXPECT_EQ(QApplication::focusWidget(), box);
    QTRY_VERIFY(steps.size() > 26);
    QTest::mouseRelease(arrows, Qt::LeftButton, {}, Arrow(true));
    steps.resize(26);
    QTest::mouseClick(arrows, Qt::LeftButton, {}, Arrow(false)); // a new press starts slow
    EXPECT_EQ(steps, Runs({{10, 1}, {10, 10}, {6, 100}, {1, -1}}));

    bool refuse = true;
    int asked = 0;
    QObject::connect(&spin, &CTextSpin::ChangeValidate, [&](bool &cancel) { cancel = (++asked, refuse); });
    FocusByUser(other);
    EXPECT_EQ(QApplication::focusWidget(), box);
    refuse = false;
    FocusByUser(other);
    EXPECT_EQ(std::pair(asked, QApplication::focusWidget()), std::pair(2, static_cast<QWidget *>(other)));
}

// The factor, format and unit are shown in the user's locale; the limits go into the tooltip
// only when asked.
TEST_F(TextSpinTest, ShowsFactorFormatAndUnitInTheUsersLocaleAndTheLimitsOnRequest)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    Make(0, 1000, 1, 10);
    arrows->setToolTip("designed");
    spin.SetMoltiplicatore(0.1f);
    spin.SetDataFormat("##0.0");
    spin.SetUnitaMisura("s.");
    QString seenByChange, designed = arrows->toolTip();
    QObject::connect(&spin, &CTextSpin::Change, [&] { seenByChange = box->text(); });
    QObject::connect(&spin, &CTextSpin::ViewText, [](QString &text) { text += "!"; });
    QObject::connect(&spin, &CTextSpin::ViewToolTip, [](QString &text) { text.prepend("Range "); });
    spin.SetEnableEvent(false); // no signals, but the text still follows the value
    spin.SetValue(7);
    const QString quiet = box->text();
    spin.SetEnableEvent(true);
    spin.SetValue(125);
    const QString shown = box->text();
    spin.SetViewToolTipText(true);
    spin.SetMoltiplicatore(0.5f);
    // Change comes before the text is rewritten.
    EXPECT_EQ(QStringList({designed, quiet, shown, seenByChange, arrows->toolTip()}),
              QStringList({"designed", "0,7 s.", "12,5 s.!", "0,7 s.", "Range Min:0,0 Max:500,0"}));
    QLocale::setDefault(saved);
}

} // namespace
