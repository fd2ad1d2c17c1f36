#include "App_fixture.h"
#include "app/widgets/ArchiveCheck.h"
#include "app/widgets/FSplash.h"
#include "app/widgets/RunCommand.h"
#include "platform/SettingsStore.h"
#include "support/ArchiveLock.h"
#include "support/ReadOnlyPath.h"
#include "support/TraceCapture.h"

namespace {

// The commands that change the archive, each refused before anything of it opens: no page, no
// file dialog, no question; the message names the command (and the configuration it works on)
// and says why in the archive's words. The list stays as it was.
void ExpectRefusedBeforeTheirWindows(const QString &why, const std::function<void(const char *)> &trigger,
                                     const MessageRecorder &messages)
{
    const qsizetype earlier = messages.Shown().size();
    PageScript noPage({});
    FileDialogUser noFile;
    for (const char *command : {"NewProg", "EditProg", "DelProg", "mnuImport", "RxTxProg"})
        trigger(command);
    EXPECT_TRUE(noPage.Pages.isEmpty() && noFile.Shown.isEmpty());
    EXPECT_EQ(messages.Lines(false, earlier),
              QStringList({"3 " + LoadResStringArgs(821, {"New file", why}),
                           "3 " + LoadResStringArgs(820, {"Modify file", "Caldaia", why}),
                           "3 " + LoadResStringArgs(820, {"Delete file", "Caldaia", why}),
                           "3 " + LoadResStringArgs(821, {"Import file", why}),
                           "3 " + LoadResStringArgs(821, {"Modify instrument parameters", why})}));
}

// One page of CLinearize damaged where only the check sees it. A command that changes the archive,
// given as soon as the window shows, waits for the check under the hourglass and is refused; the
// commands the damage stops are disabled from the verdict on. The damage is told at every later
// start alike, saying what still works, and the list stays.
TEST_F(AppTest, ADamagedArchiveRefusesChangesBeforeTheirWindowsAndIsToldAtEveryStart)
{
    AddProgrammi({"Caldaia"});
    g_Connection->Close();
    const QString path = CArchive::DefaultFilePath();
    ASSERT_TRUE(DamageTable(path, "CLinearize"));
    const QByteArray damagedFile = ReadFile(path);
    const QString damaged = LoadResStringArgs(830, {path, LoadResString(832)});

    window = StartUp(0);
    ASSERT_TRUE(window && g_Connection->CheckPending());
    EXPECT_TRUE(Disabled(*window).isEmpty());
    Qt::CursorShape waiting = Qt::ArrowCursor;
    QObject::connect(
        &g_Connection->Database().Checker(), &Platform::CArchiveChecker::Finished, window.get(),
        [&] { waiting = window->cursor().shape(); }, Qt::SingleShotConnection);
    {
        PageScript noPage({});
        FileDialogUser noFile;
        Trigger("mnuEditProgramma");
        EXPECT_TRUE(noPage.Pages.isEmpty() && noFile.Shown.isEmpty());
    }
    EXPECT_EQ(waiting, Qt::WaitCursor);
    EXPECT_EQ(m_Messages.Lines(),
              QStringList{"3 " + LoadResStringArgs(820, {"Modify file", "Caldaia", damaged})});
    QTest::qWait(20);
    EXPECT_EQ(m_Messages.Shown().size(), 1); // the refusal told it already
    EXPECT_EQ(Listed(), QStringList{"Caldaia"});
    EXPECT_EQ(Disabled(*window), kStoppedByDamage);

    for (int start = 0; start < 2; ++start) {
        window.reset();
        g_Connection->Close();
        const qsizetype earlier = m_Messages.Shown().size();
        window = StartUp(0);
        ASSERT_TRUE(window);
        EXPECT_TRUE(QTest::qWaitFor([&] { return m_Messages.Shown().size() > earlier; }, 5000));
        EXPECT_EQ(m_Messages.Lines(false, earlier), QStringList{"3 " + damaged});
        EXPECT_TRUE(window->isVisible() && Listed() == QStringList{"Caldaia"});
        EXPECT_EQ(Disabled(*window), kStoppedByDamage);
    }
    window.reset();
    g_Connection->Close();
    EXPECT_EQ(ReadFile(path), damagedFile);
}

// A command on the archive given as soon as the window shows, over an archive damaged where
// only the check sees it (a configuration table, or outside them: damaged, what still works).
// It waits for the check under the hourglass. A command the damage stops is refused before
// anything of it opens, in the user's words, nothing of the engine's; one that still works
// tells the damage, as the start would have, and goes on.
struct CVerdictCase
{
    const char *what, *command, *table;
    int stillWorks; // the part of message 830 that says what still works
    bool refused;
};
void PrintTo(const CVerdictCase &c, std::ostream *os)
{
    *os << c.what;
}
using CommandBeforeTheVerdict = Cases<AppTest, CVerdictCase>;

TEST_P(CommandBeforeTheVerdict, WaitsForTheCheckAndIsRefusedBeforeItsWindowElseToldTheDamage)
{
    const CVerdictCase &c = GetParam();
    const QString command = c.command;
    AddProgrammi({"Caldaia"});
    g_Connection->Close();
    const QString path = CArchive::DefaultFilePath();
    ASSERT_TRUE(DamageTable(path, c.table));
    window = StartUp(0);
    ASSERT_TRUE(window && g_Connection->CheckPending());
    Qt::CursorShape waiting = Qt::ArrowCursor;
    QObject::connect(
        &g_Connection->Database().Checker(), &Platform::CArchiveChecker::Finished, window.get(),
        [&] { waiting = window->cursor().shape(); }, Qt::SingleShotConnection);
    const QString damaged = LoadResStringArgs(830, {path, LoadResString(c.stillWorks)});
    const QString name = Action(qPrintable(command))->iconText();
    {
        PageScript noPage({});
        FileDialogUser noFile;
        Trigger(qPrintable(command));
        EXPECT_EQ(noPage.Pages.isEmpty() && noFile.Shown.isEmpty(), c.refused);
    }
    EXPECT_EQ(waiting, Qt::WaitCursor);
    const bool onConfiguration =
        command != "mnuImport" && command != "mnuAddProgramma" && command != "mnuRxEditTxProgramma";
    const QString refusal = onConfiguration ? LoadResStringArgs(820, {name, "Caldaia", damaged})
                                            : LoadResStringArgs(821, {name, damaged});
    EXPECT_EQ(m_Messages.Lines(true), QStringList("3 IxoSoft " + (c.refused ? refusal : damaged)));
    QTest::qWait(20);
    EXPECT_EQ(m_Messages.Shown().size(), 1);
    EXPECT_EQ(Action(qPrintable(command))->isEnabled(), !c.refused);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandBeforeTheVerdict,
    ::testing::Values(CVerdictCase{"New", "mnuAddProgramma", "CLinearize", 832, true},
                      CVerdictCase{"Delete", "mnuDelProgramma", "CLinearize", 832, true},
                      CVerdictCase{"Import", "mnuImport", "CLinearize", 832, true},
                      CVerdictCase{"ReceiveEditTransmit", "mnuRxEditTxProgramma", "CLinearize", 832, true},
                      CVerdictCase{"Transmit", "mnuSendProgramma", "CLinearize", 832, true},
                      CVerdictCase{"Export", "mnuExport", "CLinearize", 832, true},
                      CVerdictCase{"Print", "mnuPrint", "CLinearize", 832, true},
                      CVerdictCase{"ExportOutsideTheConfigurations", "mnuExport", "CounterProgrammi", 831,
                                   false}),
    CaseName());

// A file or folder that cannot be written is known at the start: the commands that would change
// the archive are refused before their windows open, saying why; nothing is told before.
TEST_F(AppTest, AnArchiveThatCannotBeWrittenRefusesChangesBeforeTheirWindows)
{
    AddProgrammi({"Caldaia"});
    g_Connection->Close();
    const QString path = CArchive::DefaultFilePath(), folder = QFileInfo(path).absolutePath();
    for (const QString &readOnly : {path, folder}) {
        const ReadOnlyPath locked(readOnly);
        if (!locked.Made())
            GTEST_SKIP() << "no read-only path here";
        window = StartUp(0);
        ASSERT_TRUE(window);
        const QString reason = g_Connection->Database().ReadOnlyReason();
        const QString why =
            LoadResStringArgs(834, {path, readOnly == path ? LoadResStringArgs(835, {reason})
                                                           : LoadResStringArgs(836, {folder, reason})});
        ExpectRefusedBeforeTheirWindows(
            why, [this](const char *command) { Trigger(command); }, m_Messages);
        window.reset();
        g_Connection->Close();
    }
    EXPECT_EQ(m_Messages.Shown().size(), 10);
}

// After a crash the whole file is checked while the splash still shows, before the window;
// otherwise the window shows first and the check runs beside it.
TEST_F(AppTest, TheCheckRunsWhileTheUserSeesSomething)
{
    AddProgrammi({"Caldaia"});
    g_Connection->Close();
    const QString path = CArchive::DefaultFilePath();
    for (const bool crashed : {true, false}) {
        if (crashed)
            WriteFile(path + "-open-1-abandoned", {});
        QStringList seen;
        QObject context;
        QObject::connect(&g_Connection->Database().Checker(), &Platform::CArchiveChecker::Finished, &context,
                         [&] {
                             for (const QWidget *shown : QApplication::topLevelWidgets())
                                 if (shown->isVisible())
                                     seen << shown->metaObject()->className();
                         });
        window = StartUp(0);
        ASSERT_TRUE(window);
        EXPECT_EQ(g_Connection->CheckPending(), !crashed);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !seen.isEmpty(); }, 5000));
        EXPECT_EQ(seen, QStringList{crashed ? "FSplash" : "FMain"});
        window.reset();
        g_Connection->Close();
    }
    EXPECT_TRUE(m_Messages.Shown().isEmpty());
}

// Another program holding the archive past the busy time-out keeps the check from reading it: a
// command that changes the archive is refused as busy, and the archive is never told damaged.
TEST_F(AppTest, AnArchiveAnotherProgramHoldsIsToldBusyNeverDamaged)
{
    AddProgrammi({"Caldaia"});
    g_Connection->Close();
    const QString path = CArchive::DefaultFilePath();
    const ShortBusyTimeout shortWait;
    window = StartUp(0);
    ASSERT_TRUE(window && g_Connection->CheckPending());
    auto write = std::make_unique<AnotherProgramsWrite>(path);
    // The other program's write ends while the refusal is shown, so the list reads again after it.
    QStringList shown;
    SetMessageBox([&](QWidget *, const CMessage &message) {
        shown << message.Text;
        write.reset();
        return QMessageBox::Ok;
    });
    Trigger("NewProg");
    EXPECT_EQ(shown, QStringList{LoadResStringArgs(821, {"New file", LoadResStringArgs(841, {path})})});
    QTest::qWait(20);
    EXPECT_EQ(shown.size(), 1);
    EXPECT_FALSE(g_Connection->CheckFailed());
    EXPECT_EQ(Listed(), QStringList{"Caldaia"});
}

// Held on past the refusal, the other program's lock keeps the list from being read again too:
// one box for one click, in words that say trying again will work, and the list stays as shown.
TEST_F(AppTest, AListThatCannotBeReadAgainAfterARefusalStaysAsShown)
{
    AddProgrammi({"Caldaia"});
    g_Connection->Close();
    const ShortBusyTimeout shortWait;
    window = StartUp(0);
    ASSERT_TRUE(window && g_Connection->CheckPending());
    const TraceCapture trace;
    {
        const AnotherProgramsWrite write(CArchive::DefaultFilePath());
        Trigger("NewProg");
    }
    EXPECT_EQ(
        m_Messages.Lines(),
        QStringList{"3 " + LoadResStringArgs(
                               821, {"New file", LoadResStringArgs(841, {CArchive::DefaultFilePath()})})});
    EXPECT_TRUE(trace.Lines().filter("Lista delle configurazioni non riletta").size() == 1);
    EXPECT_EQ(Listed(), QStringList{"Caldaia"});
}

// The window closes (from code, a timer, the session's end) while a command waits for the check,
// which another program's lock holds up: the wait ends, the command is refused without a message,
// the window's close stores its placement as always and the program's loop ends.
TEST_F(AppTest, ClosingTheWindowWhileACommandWaitsForTheCheckEndsTheProgram)
{
    AddProgrammi({"Caldaia"});
    g_Connection->Close();
    window = StartUp(0);
    ASSERT_TRUE(window && g_Connection->CheckPending());
    const QStringList rows = Dump();
    ASSERT_EQ(Platform::ReadSetting("Settings", "MainWidth", "-"), "-");
    std::optional<bool> done;
    bool changed = false;
    {
        const AnotherProgramsWrite write(CArchive::DefaultFilePath());
        QTimer::singleShot(0, window.get(), [&] {
            QTimer::singleShot(0, window.get(), [&] { window->close(); });
            done = RunCommand(window.get(), [&] {
                RequireWritableArchive(window.get());
                changed = true;
            });
        });
        QApplication::exec();
    }
    EXPECT_EQ(std::pair(done, changed), std::pair(std::optional(false), false));
    EXPECT_TRUE(m_Messages.Shown().isEmpty());
    EXPECT_FALSE(g_Connection->CheckFailed());
    EXPECT_NE(Platform::ReadSetting("Settings", "MainWidth", "-"), "-");
    EXPECT_EQ(Dump(), rows);
}

} // namespace
