// What the link windows add to their procedures: the work of the first activation, the
// status lines, the messages as boxes, the return value, Cancel, the close box and Escape
// turned into a cancel, errors that escape the work.
#include "support/LinkFixtures.h"

#include "common/Error.h"
#include "programming/link/InterfaceTypes.h"
#include "programming/widgets/AuxProgSetup.h"
#include "programming/widgets/SerialProgSetup.h"
#include "support/MemMapArchive_fixture.h"
#include "support/SimAuxLine.h"

#include <QLabel>
#include <QPushButton>

namespace {

// A link window whose work is a run of probe reads at 9600 baud, address 1.
class ProbeWindow : public CLinkWindow
{
public:
    int reads = 1;
    bool throwAfterOpen = false;
    int runs = 0;

protected:
    void RunLink() override
    {
        ++runs;
        if (!CreateLink().OpenRs232(1, 3, 0))
            return;
        if (throwAfterOpen)
            throw CError(MakeUserError(13000), QStringLiteral("IxoSoft.Test"), QStringLiteral("boom"));
        CRegisterExchange exchange(Rs232());
        qint16 value = 0;
        for (int i = 0; i < reads && exchange.ReadRegister(1, kProbeRegister, value) == leNone; ++i) {
        }
        SetReturnValue(Rs232().Error() == leNone);
    }
};

using ProbeWindowTest = LinkWindowTest;

TEST_F(ProbeWindowTest, WorkRunsOnceAtTheFirstShow)
{
    line.AddInstrument(1);
    ProbeWindow window;
    window.reads = 3;
    ShowModal(window);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_TRUE(window.ReturnValue());
    EXPECT_EQ(line.Requests().size(), 3);
    // Shown again it only waits for its close box.
    ShowModal(window, [](QDialog &shown) { return shown.close(); });
    EXPECT_EQ(window.runs, 1);
}

TEST_F(ProbeWindowTest, AnErrorEscapingTheWorkIsShownAndClosesThePort)
{
    ProbeWindow window;
    window.throwAfterOpen = true;
    ShowModal(window);
    EXPECT_FALSE(window.ReturnValue());
    ASSERT_EQ(messages.Shown().size(), 1);
    EXPECT_EQ(messages.Shown().front().Icon, QMessageBox::Critical);
    EXPECT_EQ(messages.Shown().front().Text, QStringLiteral("boom"));
    CTapiComm other; // the port is free again
    other.Create();
    EXPECT_TRUE(other.OpenRs232(1, 3, 0));
}

// What happens to a serial write once its first words are written.
struct WindowCase
{
    const char *what;
    std::function<void(QDialog &, InstrumentSimulator &)> act;
    int messageId; // 0: none
};

class SerialWindowTest : public LinkWindowTest, public ::testing::WithParamInterface<WindowCase>
{};

TEST_P(SerialWindowTest, ShowsTheTransferAndEndsAsItsProcedureDoes)
{
    const WindowCase &c = GetParam();
    comm.SetInterfaceType(itRS232);
    network.SetSelNetworkAdd(1);
    network.SetNetworkAdd(1);
    const qint32 id = AddDistinct(MemMap::EFamily::VABZOB);
    CConfiguration stored;
    stored.Load(id);
    SimInstrument &instrument = line.AddInstrument(1, 38400);
    instrument.SetModuleCode(stored.ModInstr().CodificaModuli());
    instrument.SetProbe(kProbeSignalModule);
    FSerialProgSetup window;
    window.SetAction(CTransferWindow::kActionWrite);
    window.SetIDProgramma(id);
    window.Create(comm, nullptr, network);
    QString label1, label5;
    ShowModal(window, [&](QDialog &shown) {
        if (instrument.Writes().size() < 20)
            return false;
        label1 = shown.findChild<QLabel *>(QStringLiteral("Label1"))->text();
        label5 = shown.findChild<QLabel *>(QStringLiteral("Label5"))->text();
        if (c.act)
            c.act(shown, line);
        EXPECT_TRUE(shown.isVisible()); // until the procedure has ended
        return true;
    });
    EXPECT_EQ(label1, LoadResStringArgs(222, {1}));
    EXPECT_EQ(label5, LoadResString(201));
    EXPECT_EQ(window.ReturnValue(), c.act == nullptr);
    EXPECT_EQ(messages.Ids(), c.messageId ? QList<int>{c.messageId} : QList<int>{});
    EXPECT_TRUE(AllLinkMessages());
}

INSTANTIATE_TEST_SUITE_P(
    Ends, SerialWindowTest,
    ::testing::Values(WindowCase{"written", {}, 0},
                      WindowCase{"line error", [](QDialog &, InstrumentSimulator &line) { line.HangUp(); },
                                 206},
                      WindowCase{"cancel button",
                                 [](QDialog &w, InstrumentSimulator &) {
                                     w.findChild<QPushButton *>(QStringLiteral("cmdCancel"))->click();
                                 },
                                 0},
                      WindowCase{"close box", [](QDialog &w, InstrumentSimulator &) { w.close(); }, 0},
                      WindowCase{"Escape", [](QDialog &w, InstrumentSimulator &) { w.reject(); }, 0}),
    CaseName());

TEST_F(LinkWindowTest, TheAuxiliaryWindowHasNoAddressLineAndTellsARefusal)
{
    SimAuxLine sim; // COM1 from now on
    sim.Aux().RefuseCommand(QStringLiteral("SCAL>Hi.d="));
    FAuxProgSetup window;
    window.SetAction(CTransferWindow::kActionWrite);
    window.SetIDProgramma(AddDistinct(MemMap::EFamily::VABZOB));
    window.Create(comm, nullptr, network);
    ShowModal(window);
    EXPECT_FALSE(window.findChild<QLabel *>(QStringLiteral("Label1"))->isVisibleTo(&window));
    EXPECT_EQ(window.findChild<QLabel *>(QStringLiteral("Label5"))->text(), LoadResString(201));
    EXPECT_FALSE(window.ReturnValue());
    EXPECT_EQ(messages.Ids(), QList<int>{0}); // 210 with the command in it
    EXPECT_EQ(messages.Shown().value(0).Text, LoadResStringArgs(210, {QStringLiteral("SCAL>Hi.d=8.765")}));
    EXPECT_TRUE(AllLinkMessages());
}

} // namespace
