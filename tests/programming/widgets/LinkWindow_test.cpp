// What the link windows add to their procedures: the work of the first activation, the
// status lines, the messages as boxes, the return value, Cancel, the close box and Escape
// turned into a cancel, errors that escape the work.
#include "support/LinkFixtures.h"

#include "programming/link/InterfaceTypes.h"
#include "programming/widgets/AuxProgSetup.h"
#include "programming/widgets/SerialProgSetup.h"
#include "support/SimAuxLine.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

// What happens to a serial write once its first words are written.
struct WindowCase
{
    const char *what;
    std::function<void(QDialog &, InstrumentSimulator &)> act;
    int messageId; // 0: none
};

using SerialWindowTest = Cases<LinkWindowTest, WindowCase>;

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
    QStringList shown;
    qsizetype heardWhenTold = -1;
    messages.WhenShown = [&](const CMessage &) { heardWhenTold = line.Requests().size(); };
    ShowModal(window, [&](QDialog &up) {
        if (instrument.Writes().size() < 20)
            return false;
        for (const char *label : {"Label1", "Label5"})
            shown.append(up.findChild<QLabel *>(QLatin1String(label))->text());
        if (c.act)
            c.act(up, line);
        shown.append(up.isVisible() ? "up" : "closed"); // until the procedure has ended
        return true;
    });
    EXPECT_EQ(shown, QStringList({LoadResStringArgs(222, {1}), LoadResString(201), "up"}));
    EXPECT_EQ(window.ReturnValue(), c.act == nullptr);
    // A link message: exclamation icon (2), title 208; the write had begun, so the instrument may
    // hold part of it. It comes once the write has stopped: nothing goes out after it.
    EXPECT_EQ(messages.Lines(true),
              c.messageId ? QStringList{"2 " + LoadResString(208) + ' ' + LoadResString(c.messageId) +
                                        "\n\r" + LoadResString(891)}
                          : QStringList{});
    EXPECT_EQ(heardWhenTold, c.messageId ? line.Requests().size() : -1);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Ends, SerialWindowTest, ::testing::Values(
    WindowCase{"written", {}, 0},
    WindowCase{"CRC error", [](auto &, auto &line) { line.InjectFault(SimFault::BadCrc, InstrumentSimulator::kAlways); }, 215},
    WindowCase{"cancel button", [](QDialog &w, auto &) { w.findChild<QPushButton *>("cmdCancel")->click(); }, 903},
    WindowCase{"close box", [](QDialog &w, auto &) { CloseAsTheWindowManagerDoes(w); }, 903},
    WindowCase{"Escape", [](QDialog &w, auto &) { QTest::keyClick(&w, Qt::Key_Escape); }, 903}), CaseName());
// clang-format on

// No search, so no address line. The work runs once, at the first show: shown again, the
// window only waits for its close box. A refusal is the procedure's message; a CError escaping
// the work (a listing that lacks a key) is shown as it is, and the port is closed.
TEST_F(LinkWindowTest, TheAuxiliaryWindowShowsRefusalsAndEscapingErrors)
{
    SimAuxLine sim; // COM1 from now on
    sim.Aux().RefuseCommand(QStringLiteral("SCAL>Hi.d="));
    sim.Aux().OmitFromListing(QStringLiteral("SCAL>Hi.d="));
    CModInstr declared;
    declared.SetCodificaModuli(IxoCode(SlotAModule::ZOB));
    for (const qint32 action : {CTransferWindow::kActionWrite, CTransferWindow::kActionRead}) {
        FAuxProgSetup window;
        window.SetAction(action);
        window.SetIDProgramma(AddDistinct(MemMap::EFamily::VABZOB));
        window.Create(comm, action == CTransferWindow::kActionRead ? &declared : nullptr, network);
        ShowModal(window);
        const auto label = [&](const char *name) { return window.findChild<QLabel *>(QLatin1String(name)); };
        EXPECT_EQ(
            std::tuple(label("Label1")->isVisibleTo(&window), label("Label5")->text(), window.ReturnValue()),
            std::tuple(false, LoadResString(action == CTransferWindow::kActionRead ? 203 : 201), false));
        const qsizetype requests = sim.Line().Requests().size();
        ShowModal(window, [](QDialog &shown) { return shown.close(); });
        EXPECT_EQ(sim.Line().Requests().size(), requests);
    }
    EXPECT_EQ(messages.Lines(),
              QStringList({"2 " + LoadResStringArgs(210, {QStringLiteral("SCAL>Hi.d=8.765")}) + "\n\r" +
                               LoadResString(891),
                           QStringLiteral("3 Comando SCAL>Hi.d= non presente!!!")}));
    CTapiComm other; // the port is free again
    other.Create();
    EXPECT_TRUE(other.OpenRs232(1, 3, 0));
}

} // namespace
