#include "App_fixture.h"
#include "support/TraceCapture.h"
#include "wizard/widgets/FWModInstr.h"
#include "wizard/widgets/PageScript_fixture.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTest>

namespace {

// The user of a whole configuration wizard on the real pages: the name on the module page, the
// electrical maximum one step up on the scale page, a click on each of Options a page holds,
// Next everywhere, on the closing page Back once and then End; Cancel instead on the page
// shown as number CancelAt (from 0).
class CWizardUser
{
public:
    CWizardUser()
    {
        SetWizardPageShow([this](IWizardPage &page) { Play(dynamic_cast<CWizardPage &>(page)); });
    }
    ~CWizardUser() { SetWizardPageShow({}); }

    QString Name = "Forno";
    QStringList Options;
    int CancelAt = -1;
    QStringList Shown;
    QSet<QString> Captions;
    qint16 ModInstrAction = -1;

private:
    void Play(CWizardPage &page)
    {
        const QString kind = page.metaObject()->className();
        Shown << kind;
        Captions << page.windowTitle();
        page.show();
        if (Shown.size() - 1 == CancelAt)
            return Press(page, IWizardPage::brCancel);
        if (auto *modInstr = dynamic_cast<FWModInstr *>(&page)) {
            ModInstrAction = modInstr->Action();
            page.findChild<QLineEdit *>("txtProgramName")->setText(Name);
        }
        if (kind == "FWInOutScale")
            QTest::keyClick(page.findChild<QLineEdit *>("txtMaxElectricScale"), Qt::Key_Up);
        for (const QString &option : Options)
            if (auto *button = page.findChild<QRadioButton *>(option))
                button->click();
        const bool closing = kind == "FWFinalSetupMessage";
        Press(page, !closing                 ? IWizardPage::brNext
                    : Shown.count(kind) == 1 ? IWizardPage::brBack
                                             : IWizardPage::brEnd);
    }
};

// The main window over an archive holding "Caldaia", its current configuration.
class ArchiveCommandsTest : public AppTest
{
protected:
    void SetUp() override
    {
        m_Caldaia = AddProgrammi({"Caldaia"})[0];
        m_Window = std::make_unique<FMain>();
        m_Window->Load();
        m_Window->show();
    }
    void Trigger(const char *action) { m_Window->findChild<QAction *>(action)->trigger(); }
    int ListedCount() const { return m_Window->findChild<QTableView *>()->model()->rowCount(); }
    static QSqlQuery &Run(const QString &sql)
    {
        QSqlQuery &query = g_Connection->Statement(sql);
        g_Connection->Run(query);
        return query;
    }
    // Every row of every table, the id counter included: "CAlarm1 3 0 0 ...".
    static QStringList Dump()
    {
        QStringList rows;
        for (const QString &table :
             CArchive::ConfigurationTables() + QStringList{"CounterProgrammi", "sqlite_sequence"})
            for (QSqlQuery &query = Run("SELECT * FROM " + table); query.next();) {
                QStringList values{table};
                for (int i = 0; i < query.record().count(); ++i)
                    values << query.value(i).toString();
                rows << values.join(' ');
            }
        return rows;
    }
    static qsizetype RowsOf(qint32 id)
    {
        return Dump().filter(QRegularExpression(QString("^C\\w+ %1 ").arg(id))).size();
    }
    static QString Box(const CMessage &m)
    {
        return QString("%1 %2 %3").arg(m.Icon).arg(m.Buttons.toInt()).arg(m.Text);
    }

    qint32 m_Caldaia = -1;
    std::unique_ptr<FMain> m_Window;
};

// One new configuration of each family through every page it needs: together the runs show
// each page the wizard can show and pass over each page in another run; Back from the closing
// page retraces them.
struct CRun
{
    QStringList Options;
    const char *Pages;
    std::array<qint16, 6> Stored; // model, slots A-D, linearization
};

class NewRun : public ArchiveCommandsTest, public ::testing::WithParamInterface<CRun>
{};

TEST_P(NewRun, ShowsEveryPageItNeedsAndStoresThirteenRows)
{
    TraceCapture trace;
    CWizardUser user;
    user.Options = GetParam().Options;
    Trigger("mnuAddProgramma");
    EXPECT_EQ(user.Shown.join(' '), GetParam().Pages);
    EXPECT_EQ(user.Captions, QSet<QString>{LoadResString(791)});
    EXPECT_EQ(user.ModInstrAction, 0);
    EXPECT_EQ(ListedCount(), 2);
    EXPECT_EQ(m_Window->NomeProgramma(), "Forno");
    EXPECT_EQ(RowsOf(m_Window->IDProgramma()), 13);
    CConfiguration stored;
    stored.Load(m_Window->IDProgramma());
    const CModInstr &m = stored.ModInstr();
    EXPECT_EQ((std::array{m.ModelloStrumento(), m.SlotA(), m.SlotB(), m.SlotC(), m.SlotD(),
                          stored.InOutScale().Linearizzazione()}),
              GetParam().Stored);
    EXPECT_GT(stored.InOutScale().MaxElectricScale(), stored.InOutScale().MinElectricScale());
    EXPECT_TRUE(trace.Lines().contains("Creata nuova configurazione; aggiornamento griglia configurazioni"));
}

INSTANTIATE_TEST_SUITE_P(
    Families, NewRun,
    ::testing::Values(
        CRun{{"optSlotA0", "optSlotB1", "optSlotC3", "optSlotD1", "optLinearizzazione1"},
             "FWModInstr FWRangeVABZOB FWInOutScale FWLinearize FWAlarm FWAlarm FWAlarm FWAlarm "
             "FWFiltroDigitale FWAnalogOut FWSerialComm FWFinalSetupMessage FWSerialComm "
             "FWFinalSetupMessage",
             {Modello::IXO, 0, 1, 3, 1, 1}},
        CRun{{"optSlotA3", "optSlotB0", "optSlotC4", "optSlotD0"},
             "FWModInstr FWRangeQEM FWInOutScale FWFiltroDigitale FWAnalogOut FWFinalSetupMessage "
             "FWAnalogOut FWFinalSetupMessage",
             {Modello::IXO, 3, 0, 4, 0, 0}},
        CRun{{"optSlotA2", "optSlotB2", "optSlotC1", "optSlotD0", "optLinearizzazione0"},
             "FWModInstr FWRangeVABZOB FWInOutScale FWAlarm FWFiltroDigitale FWSerialComm "
             "FWFinalSetupMessage FWSerialComm FWFinalSetupMessage",
             {Modello::IXO, 2, 2, 1, 0, 0}}));

// Ways a command ends without storing: the archive with its id counter, the current id and
// the list as they were; a failure gives one critical message (its text holds "disco pieno"),
// rows missing give 808 and no page.
struct CUnstored
{
    const char *Name, *Command, *Sabotage;
    int CancelAt, Message;
};

class Unstored : public ArchiveCommandsTest, public ::testing::WithParamInterface<CUnstored>
{};

TEST_P(Unstored, LeavesTheArchiveAndTheCurrentIdAsTheyWere)
{
    const CUnstored &c = GetParam();
    if (*c.Sabotage != 0)
        Run(QString(c.Sabotage).replace("%1", QString::number(m_Caldaia)));
    const QStringList before = Dump();
    CWizardUser user;
    user.CancelAt = c.CancelAt;
    const bool record2 = c.Command == QLatin1String("2");
    if (record2)
        EXPECT_FALSE(m_Window->EditNewProgramma(2));
    else
        Trigger(c.Command);
    EXPECT_EQ(Dump(), before);
    EXPECT_EQ(m_Window->IDProgramma(), m_Caldaia);
    EXPECT_EQ(ListedCount(), 1);
    EXPECT_EQ(user.Shown.isEmpty(), c.Message == 808);
    ASSERT_EQ(m_Messages.Shown().size(), c.Message != 0 ? 1 : 0);
    if (c.Message != 0) {
        EXPECT_EQ(m_Messages.Shown()[0].Icon, QMessageBox::Critical);
        EXPECT_TRUE(m_Messages.Shown()[0].Text.contains(
            c.Message == 1 ? QString("disco pieno")
                           : LoadResStringArgs(808, {record2 ? LoadResString(617) : QString("Caldaia")})));
    }
}

#define GUASTO(operation)                                                                                    \
    "CREATE TRIGGER Guasto BEFORE " operation " ON CAlarm2 BEGIN SELECT RAISE(ABORT, 'disco pieno'); END"
INSTANTIATE_TEST_SUITE_P(
    Cases, Unstored,
    ::testing::Values(CUnstored{"NewCancelled", "mnuAddProgramma", "", 0, 0},
                      CUnstored{"NewFailsInTheMiddle", "NewProg", GUASTO("INSERT"), -1, 1},
                      CUnstored{"ModifyFailsInTheMiddle", "EditProg", GUASTO("UPDATE"), -1, 1},
                      CUnstored{"ModifyRowsMissing", "mnuEditProgramma",
                                "DELETE FROM CAlarm3 WHERE IDProgramma = %1", -1, 808},
                      CUnstored{"ActualSettingRowsMissing", "2",
                                "DELETE FROM CRangeQEM WHERE IDProgramma = 2", -1, 808}),
    [](const auto &info) { return std::string(info.param.Name); });

TEST_F(ArchiveCommandsTest, ModifyShowsTheNameAndRewritesInPlace)
{
    const qsizetype rows = Dump().size();
    CWizardUser user;
    Trigger("EditProg");
    EXPECT_EQ(user.Captions, QSet<QString>{LoadResStringArgs(790, {"Caldaia"})});
    EXPECT_EQ(Dump().size(), rows);
    EXPECT_EQ(m_Window->IDProgramma(), m_Caldaia);
    EXPECT_EQ(m_Window->NomeProgramma(), "Forno");
}

// Record 2 is stored whatever the answer to 799; Yes archives a copy under a new id (thirteen
// rows and a counter row), which a failure gives back, told, record 2 staying stored.
TEST_F(ArchiveCommandsTest, ActualSettingStoredAndCopiedOnYes)
{
    const struct
    {
        QMessageBox::StandardButton Answer;
        bool Fails;
        int Copies;
    } cases[] = {{QMessageBox::No, false, 0}, {QMessageBox::Yes, false, 1}, {QMessageBox::Yes, true, 0}};
    for (const auto &c : cases) {
        if (c.Fails)
            Run(GUASTO("INSERT"));
        const QStringList before = Dump();
        MessageRecorder messages({c.Answer});
        TraceCapture trace;
        CWizardUser user;
        user.Name = QString("Letto %1").arg(&c - cases);
        EXPECT_TRUE(m_Window->EditNewProgramma(2));
        EXPECT_EQ(user.Captions, QSet<QString>{LoadResString(792)});
        EXPECT_EQ(user.ModInstrAction, 1);
        ASSERT_EQ(messages.Shown().size(), c.Fails ? 2 : 1);
        EXPECT_EQ(Box(messages.Shown()[0]),
                  Box({QMessageBox::Question, {}, LoadResString(799), QMessageBox::Yes | QMessageBox::No}));
        EXPECT_EQ(trace.Lines().contains("Archivia configurazione corrente."), c.Answer == QMessageBox::Yes);
        EXPECT_EQ(Dump().size() - before.size(), 14 * c.Copies);
        EXPECT_EQ(Dump().filter(user.Name).size(), 1 + c.Copies);
        EXPECT_EQ(Dump().filter("CModInstr 2 " + user.Name).size(), 1);
        EXPECT_EQ(Dump().filter("sqlite_sequence") == before.filter("sqlite_sequence"), c.Copies == 0);
        EXPECT_EQ(m_Window->IDProgramma(), m_Caldaia);
    }
}

TEST_F(ArchiveCommandsTest, DeleteAsksAndTheLastOneLeavesAnEmptyList)
{
    for (QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
        MessageRecorder messages({answer});
        Trigger("DelProg");
        ASSERT_EQ(messages.Shown().size(), 1);
        EXPECT_EQ(
            Box(messages.Shown()[0]),
            Box({QMessageBox::Information, {}, LoadResString(795), QMessageBox::Yes | QMessageBox::No}));
        const bool kept = answer == QMessageBox::No;
        EXPECT_EQ(RowsOf(m_Caldaia), kept ? 13 : 0);
        EXPECT_EQ(ListedCount(), kept ? 1 : 0);
        EXPECT_EQ(m_Window->IDProgramma(), kept ? m_Caldaia : -1);
        for (const char *name : {"EditProg", "DelProg", "mnuEditProgramma", "mnuDelProgramma"})
            EXPECT_EQ(m_Window->findChild<QAction *>(name)->isEnabled(), kept) << name;
    }
}

} // namespace
