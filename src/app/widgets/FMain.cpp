#include "app/widgets/FMain.h"

#include "app/CommandFailure.h"
#include "app/ConfigurationEdit.h"
#include "app/widgets/AppImages.h"
#include "app/widgets/ArchiveCheck.h"
#include "app/widgets/ArchiveCommands.h"
#include "app/widgets/FAbout.h"
#include "app/widgets/LinkCommands.h"
#include "app/widgets/ProgramFileCommands.h"
#include "app/widgets/RunCommand.h"
#include "app/widgets/WindowPlacement.h"
#include "app/widgets/print/PrintCommands.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/widgets/FormResources.h"
#include "common/widgets/MessageBox.h"
#include "model/ArchiveError.h"
#include "ui_FMain.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QHeaderView>
#include <QLabel>

namespace {

void TraceListKept()
{
    g_Trace->BugMessage(
        QStringLiteral("Lista delle configurazioni non riletta: archivio in uso da un altro programma"));
}

// The smallest the window gets, either way.
constexpr double kMinimumTwips = 4000.0;
constexpr int kAskQuitWhileStoring = 849;

} // namespace

FMain::FMain(QWidget *parent) : QMainWindow(parent), ui(new Ui::FMain)
{
    ui->setupUi(this);
    m_StatusText = new QLabel(ui->sbStatusBar);
    ui->sbStatusBar->addWidget(m_StatusText, 1);
    ui->dgProgrammi->setModel(&m_Programmi);
    ui->dgProgrammi->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    connect(ui->dgProgrammi->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &FMain::CurrentRowChanged);
    connect(ui->dgProgrammi->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FMain::KeepCurrentRowSelected);
    connect(&m_StatusBarHelp, &CStatusBarHelp::HelpID, this, &FMain::StatusBarHelpID);
    // The enable rules are looked at again whenever a menu opens, as the menus' own rule.
    connect(ui->mnuFile, &QMenu::aboutToShow, this, &FMain::ApplyCommandState);
    connect(ui->mnuGestioneProgrammi, &QMenu::aboutToShow, this, &FMain::ApplyCommandState);
    // A damaged archive disables what it no longer lets work as soon as its check says so.
    connect(&g_Connection->Database().Checker(), &Platform::CArchiveChecker::Finished, this,
            &FMain::ApplyCommandState);

    for (const CCommandRule &rule : CommandRules()) {
        connect(MenuItem(rule.Command), &QAction::triggered, this,
                [this, command = rule.Command] { RunMainCommand(command); });
        if (QAction *button = Button(rule.Command)) {
            connect(button, &QAction::triggered, this, [this, command = rule.Command, key = rule.ButtonKey] {
                g_Trace->BugMessage(QStringLiteral("ButtonKey=") + QLatin1String(key));
                RunMainCommand(command);
            });
        }
    }
    Plug(mcAddProgramma, [this] { NewProgramma(*this); });
    Plug(mcEditProgramma, [this] { ModifyProgramma(*this); });
    Plug(mcDelProgramma, [this] { DeleteProgramma(*this); });
    Plug(mcImport, [this] { ImportFile(*this); });
    Plug(mcExport, [this] { ExportFile(*this); });
    Plug(mcExit, [this] { mnuExit_Click(); });
    Plug(mcAbout, [this] { mnuAbout_Click(); });
    PlugPrintCommands(*this);
    Plug(mcSendProgramma, [this] { SendProgramma(*this); });
    Plug(mcRxEditTxProgramma, [this] { RxEditTxProgramma(*this); });
    Plug(mcViewVariable, [this] { ViewVariable(*this); });
}

FMain::~FMain() = default;

void FMain::Load()
{
    m_bLoading = true;
    const QDateTime now = QDateTime::currentDateTime();
    g_Trace->BugMessage(now.toString(QStringLiteral("ddMMyyyy hh:mm:ss")) +
                        QStringLiteral(" Nuova esecuzione di IxoSoft o EkaSoft"));
    g_Trace->BugMessage(QStringLiteral("Creazione della classe per l'help sulla statusbar"));
    // The help reads the menus' numbers, so it comes before their texts.
    m_StatusBarHelp.Create(this, 200);
    LoadMenuResources(this);
    LoadWindowSettings();
    LoadToolBarToolTip();
    AddMinimizeMenuItem();

    g_Trace->BugMessage(QStringLiteral("Form_Load step 1"));
    SetStatusText(LoadResString(240));
    setWindowTitle(LoadResString(301));

    g_Trace->BugMessage(QStringLiteral("Form_Load step 2"));
    OpenArchive();
    QHeaderView *header = ui->dgProgrammi->horizontalHeader();
    header->setSectionResizeMode(CProgrammiListModel::colNomeProgramma, QHeaderView::Stretch);
    header->resizeSection(CProgrammiListModel::colIDProgramma,
                          header->sectionSizeHint(CProgrammiListModel::colIDProgramma));
    UpdateToolBarButtons();

    g_Trace->BugMessage(QStringLiteral("Istanziamento classe m_CommConfigSetup"));
    m_CommConfigSetup = std::make_unique<CCommConfig>();
    g_Trace->BugMessage(QStringLiteral("Istanziamento classe m_NetworkAddMsg"));
    m_NetworkAddMsg = std::make_unique<CNetworkAddMsgSetup>();
    g_Trace->BugMessage(QStringLiteral("Istanziamento classe m_Option"));
    m_Option = std::make_unique<COption>();
    g_Trace->BugMessage(QStringLiteral("LoadData m_CommConfigSetup"));
    m_CommConfigSetup->LoadData(QString());
    g_Trace->BugMessage(QStringLiteral("LoadData m_NetworkAddMsg"));
    m_NetworkAddMsg->LoadData(QString());
    g_Trace->BugMessage(QStringLiteral("LoadData m_Option"));
    m_Option->LoadData(QString());
    m_bLoading = false;
    g_Trace->BugMessage(QStringLiteral("Fine FMain_Load"));
}

void FMain::OpenArchive()
{
    for (;;) {
        try {
            g_Connection->Open();
            RequeryProgrammi();
            return;
        } catch (const CError &error) {
            if (!IsArchiveError(error, aeBusy))
                throw;
            g_Connection->Close();
            if (!AwaitArchiveFreed())
                RaiseArchiveError(aeClosing,
                                  QStringLiteral("Avvio annullato: archivio in uso da un altro programma"));
        }
    }
}

void FMain::RequeryProgrammi()
{
    const qint64 current = m_IDProgramma;
    const bool damageKnown = g_Connection->CheckFailed();
    QList<CProgrammaItem> items;
    try {
        items = g_Connection->Programmi();
    } catch (const CError &error) {
        // One box for one click: the command has said what it had to.
        if (m_bLoading || !IsArchiveError(error, aeBusy))
            throw;
        TraceListKept();
        return;
    }
    // Damage that the list's own reading met is told as the check would have told it.
    if (!damageKnown && !m_bLoading && g_Connection->CheckFailed())
        TellArchiveDamage(this);
    m_Programmi.Reload(items);
    int row = m_Programmi.RowOf(current);
    if (row < 0 && m_Programmi.rowCount() > 0)
        row = 0;
    if (row < 0) {
        m_IDProgramma = -1;
        return;
    }
    const QModelIndex index = m_Programmi.index(row, CProgrammiListModel::colNomeProgramma);
    ui->dgProgrammi->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                                  QItemSelectionModel::Rows);
    ui->dgProgrammi->scrollTo(index);
    m_IDProgramma = m_Programmi.IDAt(row);
}

void FMain::UpdateToolBarButtons()
{
    const QModelIndex current = ui->dgProgrammi->currentIndex();
    const bool hasRows = m_Programmi.rowCount() > 0;
    m_IDProgramma = hasRows && current.isValid() ? m_Programmi.IDAt(current.row()) : -1;
    m_CommandState.SetHasProgrammi(hasRows);
    m_CommandState.SetCurrentIdValid(m_IDProgramma != -1);
    ApplyCommandState();
}

void FMain::Plug(MainCommand command, std::function<void()> handler)
{
    m_CommandState.SetBuilt(command, bool(handler));
    m_Commands[command] = std::move(handler);
    ApplyCommandState();
}

Platform::CPrintTable &FMain::PrintTable() const
{
    return *ui->PrintTable;
}

void FMain::ShowPrintPreview(bool shown)
{
    ui->dgProgrammi->setVisible(!shown);
    ui->PrintTable->setVisible(shown);
    ApplyCommandState();
}

void FMain::CurrentRowChanged(const QModelIndex &current)
{
    m_IDProgramma = current.isValid() ? m_Programmi.IDAt(current.row()) : -1;
    m_CommandState.SetCurrentIdValid(m_IDProgramma != -1);
    ApplyCommandState();
}

void FMain::KeepCurrentRowSelected()
{
    // The row the commands act on stays highlighted: a click on the empty part of the list, or
    // Ctrl with a click on the row, would leave nothing highlighted while the commands still
    // act on it.
    QItemSelectionModel *selection = ui->dgProgrammi->selectionModel();
    const QModelIndex current = selection->currentIndex();
    if (current.isValid() && !selection->isRowSelected(current.row()))
        selection->select(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void FMain::ApplyCommandState()
{
    m_CommandState.SetPrintBusy(ui->PrintTable->Busy());
    m_CommandState.SetArchiveDamage(CurrentArchiveDamage());
    for (const CCommandRule &rule : CommandRules()) {
        const bool enabled = m_CommandState.Enabled(rule.Command);
        MenuItem(rule.Command)->setEnabled(enabled);
        if (QAction *button = Button(rule.Command))
            button->setEnabled(enabled);
    }
}

void FMain::RunMainCommand(MainCommand command)
{
    // A shortcut or a queued trigger may arrive after the command was disabled.
    if (!m_CommandState.Enabled(command) || !m_Commands[command])
        return;
    const CCommandRule &rule = CommandRules()[command];
    const bool onConfiguration = rule.NeedsConfiguration;
    const bool done = RunCommand(
        this,
        [this, &rule] {
            RequireWhatItUses(rule);
            // A preview covering the list would go on showing a configuration
            // the command changes or deletes.
            if (rule.WritesArchive)
                ui->PrintTable->EndPreview();
            m_Commands[rule.Command]();
        },
        CommandContext(command));
    // A statement of the command may have found the archive damaged, also where the command told
    // it itself (a transfer window) or where the list is not read again below: what the damage
    // stops is disabled now.
    ApplyCommandState();
    // Another running program may have deleted the configuration meanwhile: the list shows the
    // archive as it is now. That reading may fail too, and is told as the command's. A window
    // closed while the command waited reads nothing more.
    if (m_bClosed || (done && !onConfiguration))
        return;
    // A file another program holds now would only make the window wait once more for a list it
    // cannot read.
    if (Platform::CArchiveDatabase::HeldByAnotherProgram(g_Connection->Database().FilePath())) {
        TraceListKept();
        return;
    }
    RunCommand(this,
               [this] {
                   RequeryProgrammi();
                   UpdateToolBarButtons();
               },
               {MenuItem(command)->iconText(), QString()});
}

void FMain::RequireWhatItUses(const CCommandRule &rule)
{
    if (rule.WritesArchive)
        RequireWritableArchive(this);
    else if (rule.ReadsConfiguration)
        RequireReadableArchive(this, [this, command = rule.Command] {
            ApplyCommandState();
            return m_CommandState.ArchiveAllows(command);
        });
    if (rule.NeedsConfiguration)
        RequireConfiguration(m_IDProgramma, NomeProgramma(), rule.ReadsConfiguration);
}

bool FMain::EditNewProgramma(qint32 mode)
{
    return ::EditNewProgramma(*this, mode);
}

QString FMain::NomeProgramma() const
{
    const int row = m_Programmi.RowOf(m_IDProgramma);
    return row < 0
               ? QString()
               : m_Programmi.data(m_Programmi.index(row, CProgrammiListModel::colNomeProgramma)).toString();
}

CCommandContext FMain::CommandContext(MainCommand command) const
{
    return {MenuItem(command)->iconText(),
            CommandRules()[command].NeedsConfiguration ? NomeProgramma() : QString()};
}

QAction *FMain::MenuItem(MainCommand command) const
{
    return findChild<QAction *>(QLatin1String(CommandRules()[command].MenuItem));
}

QAction *FMain::Button(MainCommand command) const
{
    const char *key = CommandRules()[command].ButtonKey;
    return key != nullptr ? findChild<QAction *>(QLatin1String(key)) : nullptr;
}

void FMain::LoadWindowSettings()
{
    const CScreenDpi dpi = ScreenDpiOf(*this);
    setMinimumSize(qRound(kMinimumTwips * dpi.X / kTwipsPerInch),
                   qRound(kMinimumTwips * dpi.Y / kTwipsPerInch));
    RestoreWindowPlacement(*this);
}

void FMain::SaveWindowSettings()
{
    StoreWindowPlacement(*this);
}

void FMain::LoadToolBarToolTip()
{
    g_Trace->BugMessage(QStringLiteral("Start LoadToolBarToolTip()"));
    for (const CCommandRule &rule : CommandRules()) {
        QAction *button = Button(rule.Command);
        if (button == nullptr)
            continue;
        const int id = button->toolTip().toInt();
        if (HasResString(id)) {
            button->setToolTip(LoadResString(id));
            button->setText(LoadResString(id));
        }
        button->setIcon(AppImage(QLatin1String(rule.ButtonKey)));
    }
    g_Trace->BugMessage(QStringLiteral("End LoadToolBarToolTip()"));
}

void FMain::AddMinimizeMenuItem()
{
    g_Trace->BugMessage(QStringLiteral("Start AddMinimizeMenuItem()"));
    // Naming one button hint drops the others, so the window names them all; the new flags
    // would also forget a maximised state already loaded.
    const Qt::WindowStates state = windowState();
    setWindowFlags(windowFlags() | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowState(state);
    g_Trace->BugMessage(QStringLiteral("End AddMinimizeMenuItem()"));
}

void FMain::SetStatusText(const QString &text)
{
    m_StatusText->setText(text);
}

void FMain::StatusBarHelpID(qint16 &id)
{
    if (!ui->sbStatusBar->isEnabled())
        return;
    if (id == -1)
        SetStatusText(QString());
    else if (id == 0)
        SetStatusText(LoadResString(240));
    else if (HasResString(id))
        SetStatusText(LoadResString(id));
}

void FMain::resizeEvent(QResizeEvent *event)
{
    // The central layout gives the list (or the print control in its place) the window's inner
    // height below the toolbar, and the name column every change of width.
    if (!m_bLoading && !isMinimized())
        g_Trace->BugMessage(QStringLiteral("Calcolo e dimensionamento dell'altezza di FMain"));
    QMainWindow::resizeEvent(event);
}

void FMain::closeEvent(QCloseEvent *event)
{
    // The close would end the store's wait for the archive, and with it the configuration the
    // user confirmed: only on his word. Return keeps the program.
    if (m_bStoringConfirmed) {
        CMessage question{QMessageBox::Warning, QString(),
                          LoadResStringArgs(kAskQuitWhileStoring, {ArchiveFilePath()}),
                          QMessageBox::Yes | QMessageBox::No};
        question.DefaultButton = QMessageBox::No;
        if (ShowMessage(this, question) != QMessageBox::Yes) {
            g_Trace->BugMessage(
                QStringLiteral("Chiusura rifiutata: memorizzazione della configurazione in corso"));
            event->ignore();
            return;
        }
        g_Trace->BugMessage(
            QStringLiteral("Chiusura durante la memorizzazione: configurazione non memorizzata"));
        // The program's exit reaches the store's wait only later; the lock may go first.
        g_Connection->Database().Interrupt();
    }
    SaveWindowSettings();
    m_bClosed = true;
    QMainWindow::closeEvent(event);
}

void FMain::mnuExit_Click()
{
    close();
}

void FMain::mnuAbout_Click()
{
    FAbout about(this);
    about.exec();
}
