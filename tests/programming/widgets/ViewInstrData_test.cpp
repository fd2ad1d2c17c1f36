// The live view against simulated instruments: one over RS 232, networks over RS 485.
#include "support/LinkFixtures.h"

#include "platform/widgets/UpDownControl.h"
#include "programming/link/InterfaceTypes.h"
#include "programming/widgets/ViewInstrData.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {

constexpr int kValueColumn = 1;
constexpr int kFirstAlarmColumn = 2;
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);

class ViewInstrDataTest : public LinkWindowTest
{
protected:
    // One instrument over RS 232 at 38400 baud and address 255: the automatic search finds it
    // with its first probe.
    SimInstrument &SingleInstrument()
    {
        comm.SetInterfaceType(itRS232);
        network.SetModeConfig(0);
        network.SetSelNetworkAdd(0);
        return line.AddInstrument(255, 38400);
    }
    // A network of instruments at addresses 1 to count, each showing 100 times its address.
    void Network(int count)
    {
        comm.SetInterfaceType(itRS485);
        network.SetModeConfig(1);
        network.SetTotalInstrNetwork(qint16(count));
        for (int address = 1; address <= count; ++address)
            line.AddInstrument(address, 38400).SetLiveValue(qint16(100 * address), 0);
    }

    // Runs the view until `step` answers true, then closes it as the user does unless `close`
    // is false.
    void RunUntil(const std::function<bool()> &step, bool close = true)
    {
        view.Create(comm, network);
        ShowModal(view, [&](QDialog &) {
            if (!step())
                return false;
            if (close)
                view.close();
            return true;
        });
    }

    QString Cell(int address, int column) const
    {
        const auto *grid = view.findChild<QTableView *>(QStringLiteral("dgInstrStatusData"));
        return grid->model()->index(address - 1, column).data().toString();
    }
    QStringList Alarms(int address) const
    {
        QStringList alarms;
        for (int k = 0; k < 4; ++k)
            alarms.append(Cell(address, kFirstAlarmColumn + k));
        return alarms;
    }
    template <class Widget> Widget *Child(const char *name) const
    {
        return view.findChild<Widget *>(QLatin1String(name));
    }
    QLineEdit *ValueBox() const { return Child<QLineEdit>("txtMeasureValue"); }

    FViewInstrData view;
};

struct ShownCase
{
    const char *what;
    qint16 status; // its low four bits are the alarms
    const char *text;
    QColor colour;
};

class ViewInstrDataShown : public ViewInstrDataTest, public ::testing::WithParamInterface<ShownCase>
{};

TEST_P(ViewInstrDataShown, OneInstrumentOverRS232InGridAndZoomPanel)
{
    const ShownCase &c = GetParam();
    SimInstrument &instrument = SingleInstrument();
    instrument.SetLiveValue(1234, c.status);
    instrument.SetDecimalPoint(2);
    RunUntil([&] {
        if (ValueBox()->text() != QLatin1String(c.text))
            return false;
        EXPECT_EQ(Cell(255, kValueColumn), QLatin1String(c.text));
        EXPECT_EQ(ValueBox()->palette().color(QPalette::Text), c.colour);
        for (int k = 0; k < 4; ++k) {
            const bool on = c.status & (1 << k);
            EXPECT_EQ(Alarms(255)[k], on ? QStringLiteral("ON") : QStringLiteral("OFF")) << k;
            const auto *lamp = view.findChild<QLabel *>(QStringLiteral("LedAlarm%1").arg(k + 1));
            EXPECT_EQ(lamp->palette().color(QPalette::Window), on ? kRed : kGreen) << k;
        }
        EXPECT_TRUE(Child<QWidget>("picZoom")->isVisible());
        EXPECT_FALSE(Child<QLineEdit>("Text1")->isEnabled());
        EXPECT_EQ(view.windowTitle(), LoadResStringArgs(222, {255}));
        return true;
    });
    EXPECT_EQ(network.NetworkAdd(), 255);
    EXPECT_TRUE(messages.Shown().isEmpty());
    EXPECT_FALSE(view.ReturnValue());
    // Closed means no more polling.
    const qsizetype requests = line.Requests().size();
    QTest::qWait(300);
    EXPECT_EQ(line.Requests().size(), requests);
}

INSTANTIATE_TEST_SUITE_P(States, ViewInstrDataShown,
                         ::testing::Values(ShownCase{"alarms 1 and 3", 0x0005, "12.34", Qt::black},
                                           ShownCase{"state flag in blue", 0x0010, "12.34",
                                                     QColor(0, 0, 255)},
                                           ShownCase{"over-range in red", 0x0028, "EEEE", kRed},
                                           ShownCase{"negative over-range in red", 0x0062, "-EEEE", kRed}),
                         CaseName());

// The order of the polls is the procedure's (LivePoll_test); the view shows each row and, in
// the zoom panel, the address of the spin.
TEST_F(ViewInstrDataTest, NetworkRowsAndTheZoomPanelFollowingItsAddress)
{
    Network(3);
    QStringList shownAfterSwitch;
    bool switched = false;
    RunUntil(
        [&] {
            if (!switched) {
                if (ValueBox()->text() != QStringLiteral("100"))
                    return false;
                // Over RS 485 the panel waits for its button and drags by the mouse travel; the
                // spin chooses the instrument.
                auto *panel = Child<QWidget>("picZoom");
                EXPECT_FALSE(panel->isVisible());
                Child<QPushButton>("cmdZoom")->click();
                EXPECT_TRUE(panel->isVisible());
                const QPoint before = panel->pos();
                QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(10, 10));
                QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(40, 25));
                EXPECT_EQ(panel->pos(), before + QPoint(30, 15));
                EXPECT_TRUE(Child<QLineEdit>("Text1")->isEnabled());
                Child<UpDownControl>("UpDown1")->SetValue(2);
                QObject::connect(ValueBox(), &QLineEdit::textChanged,
                                 [&](const QString &text) { shownAfterSwitch.append(text); });
                switched = true;
                return false;
            }
            if (line.Requests().size() < 20)
                return false;
            Child<QPushButton>("cmdZoom")->click();
            EXPECT_FALSE(Child<QWidget>("picZoom")->isVisible());
            Child<QPushButton>("cmdClose")->click();
            return true;
        },
        false);
    EXPECT_EQ(shownAfterSwitch.value(0), QStringLiteral("200"));
    EXPECT_EQ(shownAfterSwitch.size(), 1) << shownAfterSwitch.join(QLatin1Char(' ')).toStdString();
    for (int address = 1; address <= 3; ++address)
        EXPECT_EQ(Cell(address, kValueColumn), QString::number(100 * address));
    EXPECT_TRUE(Cell(4, kValueColumn).isEmpty());
}

} // namespace
