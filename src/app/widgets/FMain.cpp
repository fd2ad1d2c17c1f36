#include "app/widgets/FMain.h"

#include "app/FileDialogFilter.h"
#include "app/ProgramFileCommands.h"
#include "app/print/PrintJob.h"
#include "app/widgets/AppImages.h"
#include "app/widgets/ArchiveCommands.h"
#include "app/widgets/FAbout.h"
#include "app/widgets/FileDialog.h"
#include "app/widgets/LinkCommands.h"
#include "app/widgets/ProgramFileCommands.h"
#include "app/widgets/RunCommand.h"
#include "app/widgets/WindowPlacement.h"
#include "app/widgets/print/ApplicationPrinter.h"
#include "app/widgets/print/FOption.h"
#include "app/widgets/print/PrintDlg.h"
#include "app/widgets/print/PrintTableContent.h"
#include "common/Error.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/widgets/FormResources.h"
#include "programming/memmap/ProgramFile.h"
#include "ui_FMain.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>

namespace {

// The smallest the window gets, either way.
constexpr double kMinimumTwips = 4000.0;
// The file type of printouts written as PDF.
constexpr int kPdfFileType = 769;

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
    connect(&m_StatusBarHelp, &CStatusBarHelp::HelpID, this, &FMain::StatusBarHelpID);
    // The enable rules are looked at again whenever a menu opens, as the menus' own rule.
    connect(ui->mnuFile, &QMenu::aboutToShow, this, &FMain::ApplyCommandState);
    connect(ui->mnuGestioneProgrammi, &QMenu::aboutToShow, this, &FMain::ApplyCommandState);

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
    Plug(mcPrintOption, [this] { mnuPrintOption_Click(); });
    Plug(mcPrinterSetup, [this] { mnuPrinterSetup_Click(); });
    Plug(mcPrint, [this] { mnuPrint_Click(); });
    Plug(mcSendProgramma, [this] { SendProgramma(*this); });
    Plug(mcRxEditTxProgramma, [this] { RxEditTxProgramma(*this); });
    Plug(mcViewVariable, [this] { ViewVariable(*this); });

    connect(ui->PrintTable, &Platform::CPrintTable::PrintEnd, this, &FMain::PrintTable_PrintEnd);
    // A print started from the preview is a command of the window like any other.
    ui->PrintTable->SetActionRunner(
        [this](const std::function<void()> &action) { RunCommand(this, action); });
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
    g_Connection->Open();
    RequeryProgrammi();
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

    // Prints carry the program's name and revision; the pages keep margins of 10 mm, 20 at the
    // foot; every print is previewed first.
    Platform::CPrintTable &table = *ui->PrintTable;
    table.SetProgramName(ExecutableBaseName());
    table.SetProgramRevision(MemMap::WritingProgramVersion().Revision);
    table.InitLayout(10, 10, 20, 10);
    table.SetMode(Platform::CPrintTable::kPreviewMode);
    table.SetPreviewTexts({LoadResString(763), LoadResString(2005), LoadResString(764), LoadResString(765),
                           LoadResString(766), LoadResString(767),
                           LoadResStringArgs(768, {QStringLiteral("%1"), QStringLiteral("%2")})});
    m_bLoading = false;
    g_Trace->BugMessage(QStringLiteral("Fine FMain_Load"));
}

void FMain::RequeryProgrammi()
{
    const qint64 current = m_IDProgramma;
    m_Programmi.Reload(g_Connection->Programmi());
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

void FMain::CurrentRowChanged(const QModelIndex &current)
{
    m_IDProgramma = current.isValid() ? m_Programmi.IDAt(current.row()) : -1;
    m_CommandState.SetCurrentIdValid(m_IDProgramma != -1);
    ApplyCommandState();
}

void FMain::ApplyCommandState()
{
    m_CommandState.SetPrintBusy(ui->PrintTable->Busy());
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
    const bool onConfiguration = CommandRules()[command].NeedsConfiguration;
    const bool done =
        RunCommand(this, m_Commands[command],
                   {MenuItem(command)->iconText(), onConfiguration ? NomeProgramma() : QString()});
    // Another running program may have deleted the configuration meanwhile: the list shows the
    // archive as it is now.
    if (!done || onConfiguration) {
        RequeryProgrammi();
        UpdateToolBarButtons();
    }
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
    SaveWindowSettings();
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

void FMain::mnuPrint_Click()
{
    const qint64 id = m_IDProgramma;
    const QString nome =
        m_Programmi.data(m_Programmi.index(m_Programmi.RowOf(id), CProgrammiListModel::colNomeProgramma))
            .toString();
    Platform::CPrintTable &table = *ui->PrintTable;
    // The styles of both layouts and the report rows, held by the content until PrintEnd.
    table.SetContent(PrintTableContent(std::make_shared<CPrintJob>(CPrintJob::ForConfiguration(id))));
    table.SetEnableHeader(m_Option->PrintHeaderPage());
    table.SetHeaderPicture(m_Option->HeaderPagePath());
    table.SetNote1(m_Option->NotePiePagina1());
    table.SetNote2(m_Option->NotePiePagina2());
    table.SetEnableNote(m_Option->PrintNotePiePagina());
    table.SetEnablePageNumber(m_Option->PrintPageNumber());
    table.SetPreviewPrinterSource(
        [] { return ApplicationPrinter::NewPreviewPrinter(ApplicationPrinter::ForPrint()); });
    table.SetPrinterSource([this, nome] { return OutputPrinter(nome); });
    table.StartPrint();
    // The preview stands in the list's place until PrintEnd.
    if (table.Busy())
        ui->dgProgrammi->setVisible(false);
    ApplyCommandState();
}

void FMain::PrintTable_PrintEnd()
{
    ui->dgProgrammi->setVisible(true);
    ui->PrintTable->setVisible(false);
    ui->PrintTable->SetContent({});
    ui->PrintTable->SetPrinterSource({});
    ui->PrintTable->SetPreviewPrinterSource({});
    ApplyCommandState();
}

std::unique_ptr<QPrinter> FMain::OutputPrinter(const QString &nomeProgramma)
{
    const CPrinterChoice choice = ApplicationPrinter::ForPrint();
    if (ApplicationPrinter::PrintsOnQueue(choice))
        return ApplicationPrinter::NewPrinter(choice, QString());

    QFileDialog dialog(this);
    PrepareFileDialog(dialog);
    dialog.setWindowTitle(LoadResString(716));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(FileDialogFilter(kPdfFileType));
    dialog.setDefaultSuffix(FileDialogExtension(kPdfFileType));
    dialog.setDirectory(ProgramFileStartFolder(m_PdfFolder));
    // No file name holds a "/".
    dialog.selectFile(QString(nomeProgramma).replace(QLatin1Char('/'), QLatin1Char('_')) + QLatin1Char('.') +
                      FileDialogExtension(kPdfFileType));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().value(0).isEmpty())
        return nullptr;
    const QString fileName = dialog.selectedFiles().constFirst();
    m_PdfFolder = QFileInfo(fileName).absolutePath();
    return ApplicationPrinter::NewPrinter(choice, fileName);
}

void FMain::mnuPrintOption_Click()
{
    // The options chosen last for the rest of the run; the store keeps what it had.
    FOption dialog(this);
    dialog.SetFormType(IWizardPage::ftDialog);
    dialog.SetData(*m_Option);
    ShowWizardPage(dialog);
    if (dialog.ButtonRet() == IWizardPage::brEnd)
        dialog.GetData(*m_Option);
}

void FMain::mnuPrinterSetup_Click()
{
    CPrintDlg dialog;
    dialog.SetApplicationName(LoadResString(301));
    dialog.ShowPrintSetupDlg(this);
}
