#include "App_fixture.h"
#include "app/ConfigurationEdit.h"
#include "app/ProgramFileCommands.h"
#include "app/widgets/RunCommand.h"
#include "support/ArchiveLock.h"

#include <QScopeGuard>
#include <QTemporaryDir>

namespace {

// Damage that the start meets: in the index the list is read by (the list's own read meets it
// before the check begins) or in a configuration table (only the check finds it). Every start
// opens the window all the same, lists every configuration in name order (letter case aside,
// then by id), tells the damage once with what still works and disables the commands it stops.
// The marker of the run before is removed and this run's is kept, so however many starts follow,
// each checks the file whole and says the same, and at most two markers are ever there. Where
// only the index is spoilt, every row reads without it: a configuration exports as from a sound
// copy.
struct CStartCase
{
    const char *what, *part;
    int stillWorks; // the part of message 830 that says what still works
    bool metByList; // the list's read finds the damage while the window loads
    QSet<QString> stopped;
};
const QSet<QString> kStoppedWrites = {"mnuImport", "mnuAddProgramma", "NewProg", "mnuEditProgramma",
                                      "EditProg",  "mnuDelProgramma", "DelProg", "mnuRxEditTxProgramma",
                                      "RxTxProg"};
void PrintTo(const CStartCase &c, std::ostream *os)
{
    *os << c.what;
}
using DamagedAtEveryStart = Cases<AppTest, CStartCase>;

TEST_P(DamagedAtEveryStart, OpensReadOnlyListsEveryConfigurationAndTellsItOnce)
{
    const CStartCase &c = GetParam();
    const qint64 first = AddProgrammi({"forno", "Caldaia", "bruciatore", "caldaia"}).at(2);
    QTemporaryDir files;
    ExportProgramma(first, files.filePath("sound.IXO"));
    g_Connection->Close();
    const QString path = CArchive::DefaultFilePath();
    ASSERT_TRUE(DamageTable(path, c.part));
    const QByteArray damagedFile = ReadFile(path);
    const QString damaged = LoadResStringArgs(830, {path, LoadResString(c.stillWorks)});

    for (int start = 0; start < 4; ++start) {
        const qsizetype earlier = m_Messages.Shown().size();
        window = StartUp(0);
        ASSERT_TRUE(window) << start;
        // At the first start the check begins only once the window shows.
        if (start == 0) {
            EXPECT_EQ(g_Connection->CheckFailed(), c.metByList);
        }
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return m_Messages.Shown().size() > earlier && !g_Connection->Database().Checker().IsRunning();
            },
            5000));
        QTest::qWait(20);
        EXPECT_EQ(m_Messages.Lines(false, earlier), QStringList{"3 " + damaged}) << start;
        EXPECT_EQ(Listed(), QStringList({"bruciatore", "Caldaia", "caldaia", "forno"})) << start;
        EXPECT_EQ(Disabled(*window), c.stopped) << start;
        if (start == 0 && !c.stopped.contains("mnuExport")) {
            FileDialogUser exporting(files.filePath("damaged.IXO"));
            Trigger("mnuExport");
            EXPECT_EQ(ReadFile(files.filePath("damaged.IXO")), ReadFile(files.filePath("sound.IXO")));
        }
        const qsizetype running = Markers(path).size();
        EXPECT_TRUE(running >= 1 && running <= 2) << start << ": " << running;
        window.reset();
        g_Connection->Close();
        EXPECT_EQ(Markers(path).size(), 1) << start;
    }
    EXPECT_EQ(ReadFile(path), damagedFile);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, DamagedAtEveryStart,
    ::testing::Values(CStartCase{"TheListsIndex", "CModInstr_Programmi", 831, true, kStoppedWrites},
                      CStartCase{"AConfigurationTable", "CLinearize", 832, false, kStoppedByDamage}),
    CaseName());

// The disk fails under the running program, after the start's check has passed: a page of
// CLinearize, which the window's connection has not read since it opened the file (so no page of
// it is held in memory), is overwritten. The first command that reads it, before any window of
// its own, in the transaction that loads the configuration or among the changes of a delete, is
// refused saying what still works; from then on the commands the damage stops are disabled (also
// when another program holds the file by then, so that the list is not read again) and every
// change is refused. Nothing reaches the file, and no transaction is left open: another program
// can write at once.
struct CRunCase
{
    const char *what, *command;
    bool asks;          // the command asks before it changes anything (answered Yes)
    bool anotherWrites; // another program begins a write while the refusal is shown
};
void PrintTo(const CRunCase &c, std::ostream *os)
{
    *os << c.what;
}
using DamageMetWhileRunning = Cases<AppTest, CRunCase>;

TEST_P(DamageMetWhileRunning, RefusesTheCommandAndEveryChangeAfterIt)
{
    const CRunCase &c = GetParam();
    AddProgrammi({"Caldaia"});
    g_Connection->Close();
    const QString path = CArchive::DefaultFilePath();
    window = StartUp(0);
    ASSERT_TRUE(window && g_Connection->WaitForCheck());
    ASSERT_TRUE(!g_Connection->CheckPending() && !g_Connection->CheckFailed() && Disabled(*window).isEmpty());
    ASSERT_TRUE(DamageTable(path, "CLinearize"));
    const QByteArray damagedFile = ReadFile(path);
    const QString damaged = LoadResStringArgs(830, {path, LoadResString(832)});

    QStringList told;
    std::unique_ptr<AnotherProgramsWrite> write;
    bool anotherWrites = c.anotherWrites;
    SetMessageBox([&](QWidget *, const CMessage &message) {
        told << QString::number(message.Icon) + ' ' + message.Text;
        if (message.Icon == QMessageBox::Critical && std::exchange(anotherWrites, false))
            write = std::make_unique<AnotherProgramsWrite>(path);
        return message.Icon == QMessageBox::Critical ? QMessageBox::Ok : QMessageBox::Yes;
    });
    const auto boxesBack = qScopeGuard([] { SetMessageBox({}); });
    {
        PageScript noPage({});
        FileDialogUser noFile;
        Trigger(c.command);
        EXPECT_TRUE(noPage.Pages.isEmpty() && noFile.Shown.isEmpty());
    }
    write.reset();
    EXPECT_EQ(
        told.mid(c.asks ? 1 : 0),
        QStringList{"3 " + LoadResStringArgs(820, {Action(c.command)->iconText(), "Caldaia", damaged})});
    EXPECT_EQ(g_Connection->DamagedParts(), QStringList{"CLinearize"});
    EXPECT_EQ(Disabled(*window), kStoppedByDamage);
    EXPECT_EQ(Listed(), QStringList{"Caldaia"});
    // A change that began before the damage was met, past the window's enabling (the copy that
    // receive-edit-transmit offers), is refused by the archive in the same words.
    told.clear();
    EXPECT_FALSE(RunCommand(window.get(), [] {
        CConfiguration copy;
        StoreCopy(copy);
    }));
    EXPECT_EQ(told, QStringList{"3 " + damaged});
    EXPECT_EQ(ReadFile(path), damagedFile);
    {
        const ShortBusyTimeout shortWait;
        const AnotherProgramsWrite another(path);
    }
    window.reset();
    g_Connection->Close();
    EXPECT_EQ(ReadFile(path), damagedFile);
    EXPECT_EQ(Markers(path).size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Commands, DamageMetWhileRunning,
                         ::testing::Values(CRunCase{"Export", "mnuExport", false, false},
                                           CRunCase{"Modify", "mnuEditProgramma", false, false},
                                           CRunCase{"Delete", "mnuDelProgramma", true, false},
                                           CRunCase{"ExportWhileAnotherProgramBeginsAWrite", "mnuExport",
                                                    false, true}),
                         CaseName());

} // namespace
