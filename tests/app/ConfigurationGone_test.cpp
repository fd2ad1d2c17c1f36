// The commands on the current configuration when another running program, on the same archive,
// has deleted it or left it partly: what each says, before anything of it opens.
#include "App_fixture.h"
#include "platform/ArchiveConnection.h"
#include "programming/widgets/LinkWindow.h"

namespace {

// A second program's connection to the window's archive.
class SecondProgram
{
public:
    SecondProgram()
    {
        EXPECT_TRUE(
            m_Connection.Open(CArchive::DefaultFilePath(), Platform::CArchiveConnection::EMode::ReadWrite));
    }
    void Run(const QString &sql) { EXPECT_TRUE(m_Connection.ExecOnce(sql)) << sql.toStdString(); }
    void Delete(qint64 id)
    {
        for (const QString &table : CArchive::ConfigurationTables())
            Run(QString("DELETE FROM %1 WHERE IDProgramma = %2").arg(table).arg(id));
    }

private:
    Platform::CArchiveConnection m_Connection;
};

// command: the menu item; gone: the whole configuration deleted, else its CAlarm3 row only.
using ConfigurationChanged = Cases<AppTest, std::tuple<const char *, bool>>;

// Deleted: every command says it is no longer in the archive, and the list drops it. Left
// partly: the commands that read it say it is not complete (808), while Delete, which reads
// nothing of it, deletes what is left after its question.
TEST_P(ConfigurationChanged, EachCommandSaysWhatHappenedBeforeItsWindow)
{
    const auto [command, gone] = GetParam();
    const QList<qint64> ids = AddProgrammi({"Caldaia", "Forno"});
    Open();
    ASSERT_EQ(window->NomeProgramma(), "Caldaia");
    SecondProgram second;
    if (gone)
        second.Delete(ids[0]);
    else
        second.Run(QString("DELETE FROM CAlarm3 WHERE IDProgramma = %1").arg(ids[0]));
    PageScript noPage({});
    FileDialogUser noFile;
    MessageRecorder answers({QMessageBox::Yes});
    const QString name = Action(command)->iconText();
    Trigger(command);
    EXPECT_TRUE(noPage.Pages.isEmpty() && noFile.Shown.isEmpty());
    const bool deletes = QString(command) == "mnuDelProgramma";
    const QString why = gone ? LoadResString(822) : LoadResStringArgs(808, {"Caldaia"});
    EXPECT_EQ(answers.Lines(true),
              QStringList(!gone && deletes ? "1 IxoSoft " + LoadResString(795)
                                           : "3 IxoSoft " + LoadResStringArgs(820, {name, "Caldaia", why})));
    EXPECT_EQ(Listed(), gone || deletes ? QStringList{"Forno"} : QStringList({"Caldaia", "Forno"}));
    EXPECT_EQ(window->IDProgramma(), gone || deletes ? ids[1] : ids[0]);
}

INSTANTIATE_TEST_SUITE_P(Commands, ConfigurationChanged,
                         ::testing::Combine(::testing::Values("mnuEditProgramma", "mnuSendProgramma",
                                                              "mnuExport", "mnuPrint", "mnuDelProgramma"),
                                            ::testing::Bool()));

// Deleted while the user fills the link wizard of Transmit: the transfer window, which reads it,
// says so in the user's words under the program's name and the command's line, nothing of the
// archive's own text, with what the instruments hold below it (nothing has changed; on a
// network, in none of them), and the list drops it.
struct CGoneAtTransmit
{
    const char *what;
    const char *interface, *addressing; // the options of the link wizard's first two pages
    QString below;
};
using ConfigurationGoneAtTransmit = Cases<AppTest, CGoneAtTransmit>;

TEST_P(ConfigurationGoneAtTransmit, IsToldByTheTransferWindow)
{
    const CGoneAtTransmit &c = GetParam();
    const QList<qint64> ids = AddProgrammi({"Caldaia", "Forno"});
    Open();
    SecondProgram second;
    // The messages as "<window> <icon> <title> <text>".
    QStringList told;
    SetMessageBox([&told](QWidget *parent, const CMessage &m) {
        told
            << QString("%1 %2 %3 %4").arg(parent->metaObject()->className()).arg(m.Icon).arg(m.Title, m.Text);
        return QMessageBox::Ok;
    });
    PageScript user({{IWizardPage::brNext,
                      [&](CWizardPage &page) {
                          Act(page, c.interface);
                          second.Delete(ids[0]);
                      }},
                     {IWizardPage::brNext, [&](CWizardPage &page) { Act(page, c.addressing); }},
                     {IWizardPage::brEnd}});
    Trigger("SendProg");
    EXPECT_EQ(user.Pages.size(), 3);
    SetMessageBox({});
    EXPECT_EQ(told, QStringList("FSerialProgSetup 3 IxoSoft " +
                                LoadResStringArgs(820, {"Transmit file", "Caldaia", LoadResString(822)}) +
                                c.below));
    EXPECT_EQ(std::pair(Listed(), window->IDProgramma()), std::pair(QStringList{"Forno"}, ids[1]));
}

INSTANTIATE_TEST_SUITE_P(
    Interfaces, ConfigurationGoneAtTransmit,
    ::testing::Values(CGoneAtTransmit{"RS232", "optInterfaceType1 optComPort0", "optManual",
                                      "\n\r" + LoadResString(892)},
                      CGoneAtTransmit{"network", "optInterfaceType2 optComPort0", "optConfigNetworkInstr",
                                      "\n\r" + LoadResString(906) + "\n\r" + LoadResString(902)}),
    CaseName());

} // namespace
