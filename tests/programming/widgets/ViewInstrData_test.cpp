// The live view against simulated instruments: one over RS 232, networks over RS 485.
#include "support/LinkFixtures.h"

#include "platform/widgets/UpDownControl.h"
#include "programming/link/InterfaceTypes.h"
#include "programming/widgets/ViewInstrData.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {

class ViewInstrDataTest : public LinkWindowTest
{
protected:
    // Runs the view until `step` answers true; the step closes it as the user does.
    void RunUntil(const std::function<bool()> &step)
    {
        view.Create(comm, network);
        ShowModal(view, [&](QDialog &) { return step(); });
    }
    QString Cell(int address, int column) const
    {
        const auto *grid = view.findChild<QTableView *>(QStringLiteral("dgInstrStatusData"));
        return grid->model()->index(address - 1, column).data().toString();
    }
    template <class Widget = QWidget> Widget *Child(const QString &name) const
    {
        return view.findChild<Widget *>(name);
    }
    QLineEdit *ValueBox() const { return Child<QLineEdit>("txtMeasureValue"); }

    FViewInstrData view;
};

struct ShownCase
{
    const char *what;
    qint16 status; // its low four bits are the alarms
    const char *text, *colour;
};

using ViewInstrDataShown = Cases<ViewInstrDataTest, ShownCase>;

// The automatic search finds the instrument at 255 with its first probe. Grid and zoom panel
// show value, alarms (lamps red when on) and state colour; closed, the view polls no more.
TEST_P(ViewInstrDataShown, OneInstrumentOverRS232InGridAndZoomPanel)
{
    const ShownCase &c = GetParam();
    comm.SetInterfaceType(itRS232);
    network.SetSelNetworkAdd(0);
    SimInstrument &instrument = line.AddInstrument(255, 38400);
    instrument.SetLiveValue(1234, c.status);
    instrument.SetDecimalPoint(2);
    QStringList shown, expected{c.text, c.colour, LoadResStringArgs(222, {255}), "zoom without spin"};
    RunUntil([&] {
        if (ValueBox()->text() != QLatin1String(c.text))
            return false;
        shown = QStringList{
            Cell(255, 1), ValueBox()->palette().color(QPalette::Text).name(), view.windowTitle(),
            Child("picZoom")->isVisible() && !Child("Text1")->isEnabled() ? "zoom without spin" : "?"};
        for (int k = 0; k < 4; ++k) {
            const QWidget *lamp = Child(QStringLiteral("LedAlarm%1").arg(k + 1));
            shown.append(Cell(255, 2 + k) + ' ' + lamp->palette().color(QPalette::Window).name());
        }
        view.close();
        return true;
    });
    for (int k = 0; k < 4; ++k)
        expected.append(c.status & (1 << k) ? "ON #ff0000" : "OFF #00ff00");
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(std::tuple(network.NetworkAdd(), messages.Shown().size(), view.ReturnValue()),
              std::tuple(qint16(255), qsizetype(0), false));
    const qsizetype requests = line.Requests().size();
    QTest::qWait(300);
    EXPECT_EQ(line.Requests().size(), requests);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(States, ViewInstrDataShown, ::testing::Values(
    ShownCase{"alarms 1 and 3", 0x0005, "12.34", "#000000"},
    ShownCase{"state flag in blue", 0x0010, "12.34", "#0000ff"},
    ShownCase{"over-range in red", 0x0028, "EEEE", "#ff0000"},
    ShownCase{"negative over-range in red", 0x0062, "-EEEE", "#ff0000"}), CaseName());
// clang-format on

// The order of the polls is the procedure's (LivePoll_test); the view shows each row and, in
// the zoom panel, the address of the spin.
TEST_F(ViewInstrDataTest, NetworkRowsAndTheZoomPanelFollowingItsAddress)
{
    comm.SetInterfaceType(itRS485);
    network.SetModeConfig(1);
    network.SetTotalInstrNetwork(3);
    for (int address = 1; address <= 3; ++address)
        line.AddInstrument(address, 38400).SetLiveValue(qint16(100 * address), 0);
    QStringList shownAfterSwitch;
    bool switched = false;
    RunUntil([&] {
        if (!switched) {
            if (ValueBox()->text() != QStringLiteral("100"))
                return false;
            // Over RS 485 the panel waits for its button and drags by the mouse travel; the
            // spin chooses the instrument.
            QWidget *panel = Child("picZoom");
            EXPECT_FALSE(panel->isVisible());
            Child<QPushButton>("cmdZoom")->click();
            const QPoint before = panel->pos();
            QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(10, 10));
            QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(40, 25));
            EXPECT_EQ(std::tuple(panel->isVisible(), panel->pos(), Child("Text1")->isEnabled()),
                      std::tuple(true, before + QPoint(30, 15), true));
            Child<UpDownControl>("UpDown1")->SetValue(2);
            QObject::connect(ValueBox(), &QLineEdit::textChanged,
                             [&](const QString &text) { shownAfterSwitch.append(text); });
            switched = true;
            return false;
        }
        if (line.Requests().size() < 20)
            return false;
        Child<QPushButton>("cmdZoom")->click();
        EXPECT_FALSE(Child("picZoom")->isVisible());
        Child<QPushButton>("cmdClose")->click();
        return true;
    });
    EXPECT_EQ(shownAfterSwitch, QStringList{"200"});
    EXPECT_EQ(QStringList({Cell(1, 1), Cell(2, 1), Cell(3, 1), Cell(4, 1)}),
              QStringList({"100", "200", "300", ""}));
}

} // namespace
