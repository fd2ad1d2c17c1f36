#include "App_fixture.h"
#include "support/ArchiveLock.h"

namespace {

// New, Modify, Delete and the configuration wizard on record 2, one case of
// tests/data/archive_commands.tsv each.
using ArchiveCommand = Cases<AppTest, QStringList>;

TEST_P(ArchiveCommand, StoresWhatTheWizardEndedWithElseNothing)
{
    const QStringList &c = GetParam();
    const bool record2 = c[1] == "2";
    ASSERT_EQ(AddProgrammi({"Caldaia"}), QList<qint64>{3});
    Open();
    if (c[2] != "-")
        g_Connection->Run(c[2]);
    const QStringList before = Dump();
    MessageRecorder messages({c[5] == "Yes" ? QMessageBox::Yes : QMessageBox::No});
    WizardUser user({}, c[4] == "End" ? IWizardPage::brEnd : IWizardPage::brCancel);
    user.Options = c[3].split(' ');
    if (record2)
        EXPECT_EQ(window->EditNewProgramma(2), c[7] != "-");
    else
        Trigger(qPrintable(c[1]));

    // Every page under the caption of its mode: new, the name of the one modified, record 2.
    const QString caption = record2                 ? LoadResString(792)
                            : c[1].contains("Edit") ? LoadResStringArgs(790, {"Caldaia"})
                                                    : LoadResString(791);
    QString pages;
    for (const QString &page : user.Pages)
        pages += (page.endsWith(' ' + caption) ? page.section(' ', 0, 0) : '<' + page + '>') + ' ';
    EXPECT_TRUE(c[6] == "*" ? !pages.contains('<') : pages.trimmed() == QString(c[6]).remove('-'))
        << qPrintable(pages);
    EXPECT_TRUE(user.Pages.isEmpty() || user.ModInstrAction == (record2 ? 1 : 0));

    QStringList changed = Dump().filter(QRegularExpression("^CModInstr"));
    changed.removeIf([&](const QString &row) { return before.contains(row); });
    const QString outcome = QString("%1|%2|%3|")
                                .arg(Listed().join(','), window->NomeProgramma())
                                .arg(Dump().size() - before.size());
    EXPECT_EQ(outcome + changed.join(','), c[7] == "-" ? "Caldaia|Caldaia|0|" : c[7]);
    EXPECT_TRUE(c[7] != "-" || Dump() == before);
    EXPECT_EQ(Action("EditProg")->isEnabled(), !Listed().isEmpty());

    QStringList expected, shown;
    for (const QString &id : QString(c[8]).remove('-').split(' ', Qt::SkipEmptyParts))
        expected << (id == "823"   ? "3 823"
                     : id == "846" ? "3 " + LoadResStringArgs(846, {LoadResString(823)})
                     : id == "id"  ? "3 " + LoadResStringArgs(821, {"New file", LoadResString(824)})
                     // Record 2 in the wizard's own words; Modify refused as every command on
                     // the current configuration is.
                     : id == "808" && record2 ? "3 " + LoadResStringArgs(808, {LoadResString(617)})
                     : id == "808"            ? "3 " + LoadResStringArgs(820, {"Modify file", "Caldaia",
                                                                               LoadResStringArgs(808, {"Caldaia"})})
                     : id == "822"
                         ? "3 " + LoadResStringArgs(820, {"Modify file", "Caldaia", LoadResString(822)})
                         : QString(id == "799" ? "4 " : "1 ") + LoadResString(id.toInt()) + " Yes|No");
    for (const CMessage &m : messages.Shown())
        shown << QString::number(m.Icon) + ' ' + (m.Text.endsWith(LoadResString(823)) ? "823" : m.Text) +
                     (m.Buttons == (QMessageBox::Yes | QMessageBox::No) ? " Yes|No" : "");
    EXPECT_EQ(shown, c[8] == "-" ? QStringList() : expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ArchiveCommand, ::testing::ValuesIn(ReadDataTable("archive_commands.tsv")),
                         CaseName());

// Another program holding the archive when the wizard's store runs (at End, or at the copy after
// 799, answered Yes): the user is asked in words that say what Retry and Cancel do with what he
// confirmed; the other program lets go inside the last answer.
struct CBusyStore
{
    const char *Name, *Command; // a toolbar button; "2": EditNewProgramma(2)
    bool Reader, AtCopy;        // the other program reads (only the commit refused), else writes; at 799
    int LockedRetries;          // Retry answered while the lock holds
    QMessageBox::StandardButton Last;
    QString Boxes;   // the boxes' numbers, apart by ";"
    QString Changed; // "listed|rows added|CModInstr and counter rows new or changed"; "" nothing
};
class BusyArchiveAtEnd : public AppTest, public ::testing::WithParamInterface<CBusyStore>
{};

TEST_P(BusyArchiveAtEnd, RetryStoresOnceAndCancelNothing)
{
    const CBusyStore &c = GetParam();
    const ShortBusyTimeout shortWait;
    AddProgrammi({"Caldaia"});
    Open();
    const QStringList before = Dump();
    const QString path = CArchive::DefaultFilePath();
    std::shared_ptr<void> lock;
    const auto take = [&] {
        lock = c.Reader ? std::shared_ptr<void>(std::make_shared<AnotherProgramsRead>(path))
                        : std::make_shared<AnotherProgramsWrite>(path);
    };
    QStringList shown;
    int retries = c.LockedRetries;
    SetMessageBox([&](QWidget *, const CMessage &m) {
        if (m.Buttons != (QMessageBox::Retry | QMessageBox::Cancel)) {
            shown << "799";
            if (c.AtCopy)
                take();
            return QMessageBox::Yes;
        }
        shown << QString::number(m.Icon) + ' ' + m.Text;
        if (retries-- > 0)
            return QMessageBox::Retry;
        lock.reset();
        return c.Last;
    });
    WizardUser user;
    user.AtClosing = c.AtCopy ? std::function<void()>() : take;
    // Record 2 goes on to the instrument whatever the archive could store.
    if (QString(c.Command) == "2")
        EXPECT_TRUE(window->EditNewProgramma(2));
    else
        Trigger(c.Command);

    QStringList expected;
    for (const QString &box : c.Boxes.split(';'))
        for (int i = 0; i <= (box == "799" ? 0 : c.LockedRetries); ++i)
            expected << (box == "799" ? box : "2 " + LoadResStringArgs(box.toInt(), {path}));
    EXPECT_EQ(shown, expected);
    // What reached the file: a transaction left open would show only to this connection.
    const QString listed = Listed().join(',');
    g_Connection->Close();
    g_Connection->Open();
    QStringList changed = Dump().filter(QRegularExpression("^(CModInstr|sqlite_sequence) "));
    changed.removeIf([&](const QString &row) { return before.contains(row); });
    EXPECT_EQ(QString("%1|%2|").arg(listed).arg(Dump().size() - before.size()) + changed.join(','),
              c.Changed.isEmpty() ? "Caldaia|0|" : c.Changed);
    EXPECT_TRUE(!c.Changed.isEmpty() || Dump() == before);
}

// The new configuration, and the counter advanced once.
const QString kAdded = "CModInstr 4 Forno 2 0 0 0 0,sqlite_sequence CounterProgrammi 4";
INSTANTIATE_TEST_SUITE_P(
    Cases, BusyArchiveAtEnd,
    ::testing::Values(
        CBusyStore{"NewRetried", "NewProg", false, false, 0, QMessageBox::Retry, "848",
                   "Caldaia,Forno|14|" + kAdded},
        CBusyStore{"NewCommitRetriedTwice", "NewProg", true, false, 1, QMessageBox::Retry, "848",
                   "Caldaia,Forno|14|" + kAdded},
        CBusyStore{"NewCancelled", "NewProg", false, false, 0, QMessageBox::Cancel, "848", ""},
        CBusyStore{"ModifyRetried", "EditProg", false, false, 0, QMessageBox::Retry, "848",
                   "Forno|0|CModInstr 3 Forno 2 0 0 0 0"},
        CBusyStore{"ModifyCommitCancelled", "EditProg", true, false, 0, QMessageBox::Cancel, "848", ""},
        // Record 2 is not stored; the copy of what the user confirmed is, once the lock has gone.
        CBusyStore{"Record2Cancelled", "2", false, false, 0, QMessageBox::Cancel, "844;799",
                   "Caldaia|14|" + kAdded},
        CBusyStore{"CopyRetried", "2", false, true, 0, QMessageBox::Retry, "799;845",
                   "Caldaia|14|CModInstr 2 Forno 2 0 0 0 0," + kAdded},
        CBusyStore{"CopyCancelled", "2", true, true, 0, QMessageBox::Cancel, "799;845",
                   "Caldaia|0|CModInstr 2 Forno 2 0 0 0 0"}),
    [](const auto &info) { return std::string(info.param.Name); });

// Another copy of the program stores a change of the configuration while Modify's wizard is
// open: End stores over it only on the user's word, and No keeps the other's version with
// nothing stored. With no such change there is no box. A row of it deleted meanwhile is told as
// every command tells a configuration that is not whole (808), with nothing stored.
TEST_F(AppTest, ModifyAsksBeforeItStoresOverAnotherProgramsChange)
{
    const QString changed = "2 " + LoadResStringArgs(843, {"Caldaia"});
    const QString incomplete =
        "3 " + LoadResStringArgs(820, {"Modify file", "Caldaia", LoadResStringArgs(808, {"Caldaia"})});
    const struct
    {
        const char *change; // the other program's, while the closing page shows
        QMessageBox::StandardButton answer;
        QString stored; // CModInstr's name and display colour afterwards
        QString told;
    } cases[] = {{nullptr, QMessageBox::NoButton, "Forno 2", ""},
                 {"UPDATE CModInstr SET m_NomeProgramma = 'Altro'", QMessageBox::No, "Altro 2", changed},
                 {"UPDATE CDisplay SET m_DisplayColor = 5", QMessageBox::No, "Caldaia 5", changed},
                 {"UPDATE CModInstr SET m_NomeProgramma = 'Altro'", QMessageBox::Yes, "Forno 2", changed},
                 {"DELETE FROM CAlarm3", QMessageBox::Yes, "Caldaia 2", incomplete}};
    const qint64 id = AddProgrammi({"Caldaia"}).front();
    Open();
    for (const auto &c : cases) {
        Platform::CArchiveConnection other;
        ASSERT_TRUE(other.Open(CArchive::DefaultFilePath(), Platform::CArchiveConnection::EMode::ReadWrite));
        ASSERT_TRUE(other.ExecOnce("UPDATE CModInstr SET m_NomeProgramma = 'Caldaia'") &&
                    other.ExecOnce("UPDATE CDisplay SET m_DisplayColor = 2"));
        Requery();
        const qsizetype earlier = m_Messages.Shown().size();
        m_Messages.SetAnswers({c.answer});
        WizardUser user;
        user.AtClosing = [&] { ASSERT_TRUE(!c.change || other.ExecOnce(c.change)); };
        Trigger("EditProg");
        EXPECT_EQ(m_Messages.Lines(false, earlier), c.told.isEmpty() ? QStringList() : QStringList(c.told))
            << c.change;
        // Return keeps the other program's version.
        EXPECT_TRUE(c.told != changed || m_Messages.Shown().last().DefaultButton == QMessageBox::No);
        Platform::CArchiveRow name, display;
        ASSERT_TRUE(g_Connection->ReadRow("CModInstr", id, name) &&
                    g_Connection->ReadRow("CDisplay", id, display));
        EXPECT_EQ(name.Value("m_NomeProgramma").toString() + ' ' + display.Value("m_DisplayColor").toString(),
                  c.stored)
            << c.change;
    }
}

// The window manager closes the window while End's store waits for another program's lock: the
// user is asked first, Return keeping the program. No lets the store go on, which stores what the
// user confirmed once the lock goes; Yes quits with nothing stored.
struct CClosedWhileStoring
{
    const char *what, *command;
    QMessageBox::StandardButton answer;
    QString names; // of the configurations in the file afterwards
};
using ClosedWhileStoring = Cases<AppTest, CClosedWhileStoring>;

TEST_P(ClosedWhileStoring, AsksBeforeItGivesUpWhatTheUserConfirmed)
{
    const CClosedWhileStoring &c = GetParam();
    AddProgrammi({"Caldaia"});
    Open();
    const QString path = CArchive::DefaultFilePath();
    const BusyTimeout wait(10000);
    std::unique_ptr<AnotherProgramsWrite> lock;
    MessageRecorder told({c.answer});
    told.WhenShown = [&](const CMessage &) { lock.reset(); };
    WizardUser user;
    user.AtClosing = [&] {
        lock = std::make_unique<AnotherProgramsWrite>(path);
        QTimer::singleShot(100, window.get(), [&] { CloseAsTheWindowManagerDoes(*window); });
    };
    bool kept = false;
    QTimer::singleShot(0, window.get(), [&] {
        Trigger(c.command);
        if ((kept = window->isVisible()))
            QApplication::quit();
    });
    QApplication::exec();
    EXPECT_EQ(told.Lines(), QStringList{"2 " + LoadResStringArgs(849, {path})});
    EXPECT_EQ(told.Shown().value(0).DefaultButton, QMessageBox::No);
    EXPECT_EQ(kept, c.answer == QMessageBox::No);
    // What reached the file.
    g_Connection->Close();
    g_Connection->Open();
    QStringList names;
    g_Connection->Run("SELECT m_NomeProgramma FROM CModInstr WHERE IDProgramma <> 2 ORDER BY IDProgramma", {},
                      [&names](const auto &row) { names << row.Text(0); });
    EXPECT_EQ(names.join(','), c.names);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClosedWhileStoring,
    ::testing::Values(CClosedWhileStoring{"NewKept", "NewProg", QMessageBox::No, "Caldaia,Forno"},
                      CClosedWhileStoring{"NewQuit", "NewProg", QMessageBox::Yes, "Caldaia"},
                      CClosedWhileStoring{"ModifyKept", "EditProg", QMessageBox::No, "Forno"},
                      CClosedWhileStoring{"ModifyQuit", "EditProg", QMessageBox::Yes, "Caldaia"}),
    CaseName());

} // namespace
