#pragma once

#include "app/widgets/Avvio.h"
#include "app/widgets/FileDialog.h"
#include "common/TraceCode.h"
#include "model/Configuration.h"
#include "support/DataTable.h"
#include "support/Files.h"
#include "support/ModalWindow.h"
#include "support/Model_fixture.h"
#include "support/WizardPageUser.h"
#include "wizard/widgets/FWModInstr.h"

#include <QApplication>
#include <QFileDialog>
#include <QSet>
#include <QTableView>
#include <QTimer>

// Lists in messages.
inline void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << '{' << list.join(" | ").toStdString() << '}';
}

// Numbers as one text, apart by blanks: Joined(3, 1, 1) gives "3 1 1".
template <class... Number> QString Joined(Number... numbers)
{
    return QStringList{QString::number(numbers)...}.join(' ');
}

// The named actions of the window that are disabled.
inline QSet<QString> Disabled(const QWidget &window)
{
    QSet<QString> names;
    for (const QAction *action : window.findChildren<QAction *>())
        if (!action->isEnabled() && !action->objectName().isEmpty())
            names << action->objectName();
    return names;
}

// The commands that a damaged configuration table stops, menu items and toolbar buttons: every
// command that writes, and Transmit, Export and Print, which read that table. A damaged list
// (CModInstr) stops no more of them: each command on a configuration writes or reads one.
inline const QSet<QString> kStoppedByDamage = {
    "mnuImport", "mnuExport",       "mnuPrint", "mnuAddProgramma",  "NewProg",  "mnuEditProgramma",
    "EditProg",  "mnuDelProgramma", "DelProg",  "mnuSendProgramma", "SendProg", "mnuRxEditTxProgramma",
    "RxTxProg"};

// One run of the program in fresh user folders with its main window: messages recorded; the
// log, the program font and the pointer as they were afterwards, the archive closed.
class AppTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        window.reset();
        g_Connection->Close();
        g_Font = m_Font;
        g_Trace->SetBugMode(m_TraceMode);
        g_Trace->SetBugTraceMode(m_TraceTraceMode);
        while (QApplication::overrideCursor() != nullptr)
            QApplication::restoreOverrideCursor();
    }
    // Configurations named as given, added to the archive (opened for them when it is not).
    static QList<qint64> AddProgrammi(const QStringList &names)
    {
        if (!g_Connection->IsOpen())
            g_Connection->Open();
        QList<qint64> ids;
        CConfiguration configuration;
        for (const QString &name : names) {
            configuration.ModInstr().SetNomeProgramma(name);
            configuration.Add(ids.emplaceBack(g_Connection->NewID()));
        }
        return ids;
    }
    // The main window as start-up leaves it, over the archive as the test made it.
    FMain &Open()
    {
        window = std::make_unique<FMain>();
        window->Load();
        window->show();
        return *window;
    }
    QAction *Action(const char *name) const { return window->findChild<QAction *>(name); }
    void Trigger(const char *name) { Action(name)->trigger(); }
    void Requery() { window->RequeryProgrammi(), window->UpdateToolBarButtons(); }
    QTableView *List() const { return window->findChild<QTableView *>("dgProgrammi"); }
    QStringList Listed() const
    {
        QStringList names;
        for (int row = 0; row < List()->model()->rowCount(); ++row)
            names << List()->model()->index(row, 0).data().toString();
        return names;
    }
    // Every row of every table of the archive, the id counter included.
    static QStringList Dump()
    {
        return ArchiveRows(CArchive::ConfigurationTables() +
                           QStringList{"CounterProgrammi", "sqlite_sequence"});
    }

    TempUserDirs m_Dirs;
    MessageRecorder m_Messages;
    std::unique_ptr<FMain> window;

private:
    CProgramFont m_Font = g_Font;
    qint32 m_TraceMode = g_Trace->BugMode();
    qint32 m_TraceTraceMode = g_Trace->BugTraceMode();
};

// The user of the file dialogs while it lives, on Qt's own dialog: types file and accepts it
// (Yes when asked to replace it), or cancels when file is empty. Shown: the last dialog's
// title, folder, the name it proposed and its filters.
class FileDialogUser
{
public:
    explicit FileDialogUser(QString file = {})
    {
        SetFileDialogShow([this, file](CSingleFileDialog &dialog) {
            EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
            auto *name = dialog.findChild<QLineEdit *>("fileNameEdit");
            Shown = QStringList{dialog.windowTitle(), dialog.directory().absolutePath(), name->text()} +
                    dialog.nameFilters();
            if (file.isEmpty())
                return int(QDialog::Rejected);
            name->setText(file);
            QTimer::singleShot(0, &m_Context, [] {
                if (auto *replace = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                    replace->button(QMessageBox::Yes)->click();
            });
            dialog.accept();
            return dialog.result();
        });
    }
    ~FileDialogUser() { SetFileDialogShow({}); }
    QStringList Shown;

private:
    QObject m_Context;
};

// The user of the wizards a command runs, on the real pages: first one step per page (a link
// wizard), then the configuration wizard: "Forno" typed on the module page, the Options clicked
// on the pages holding them, the electrical maximum one step up, Next to the closing page, there
// Back once and then Closing, AtClosing run just before. Every page is noted as "class caption"
// (Pages).
class WizardUser : public PageScript
{
public:
    explicit WizardUser(QList<PageStep> steps = {}, qint32 closing = IWizardPage::brEnd)
        : PageScript(std::move(steps), [this](CWizardPage &page) { Configure(page); }), Closing(closing)
    {}

    QStringList Options;
    qint32 Closing;
    std::function<void()> AtClosing;
    qint16 ModInstrAction = -1;

private:
    void Configure(CWizardPage &page)
    {
        if (auto *modInstr = dynamic_cast<FWModInstr *>(&page)) {
            ModInstrAction = modInstr->Action();
            page.findChild<QLineEdit *>("txtProgramName")->setText("Forno");
        }
        if (auto *maximum = page.findChild<QLineEdit *>("txtMaxElectricScale"))
            QTest::keyClick(maximum, Qt::Key_Up);
        for (const QString &option : Options)
            if (auto *button = page.findChild<QRadioButton *>(option))
                button->click();
        if (page.metaObject()->className() != QLatin1String("FWFinalSetupMessage"))
            return Press(page, IWizardPage::brNext);
        if (m_Closings++ == 0)
            return Press(page, IWizardPage::brBack);
        if (AtClosing)
            AtClosing();
        Press(page, Closing);
    }

    int m_Closings = 0;
};
