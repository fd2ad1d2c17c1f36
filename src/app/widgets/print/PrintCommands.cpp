#include "app/widgets/print/PrintCommands.h"

#include "app/FileDialogFilter.h"
#include "app/print/PrintJob.h"
#include "app/widgets/FMain.h"
#include "app/widgets/FileDialog.h"
#include "app/widgets/RunCommand.h"
#include "app/widgets/print/ApplicationPrinter.h"
#include "app/widgets/print/FOption.h"
#include "app/widgets/print/PrintDlg.h"
#include "app/widgets/print/PrintOutput.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/widgets/MessageBox.h"
#include "programming/memmap/ProgramFile.h"

#include <QPrinter>

#include <optional>

namespace {

constexpr int kApplicationName = 301;
constexpr int kPrinterNotAvailable = 718;
// The file type of printouts written as PDF.
constexpr int kPdfFileType = 769;

// The system's printers for one command, asked once off the window's thread; what kept them
// from the command goes to the trace.
Platform::CPrinterList AskForPrinters()
{
    Platform::CPrinterList printers = Platform::LookUpPrinters();
    if (printers.Answer.Failed())
        g_Trace->BugMessage(QStringLiteral("Elenco delle stampanti non ottenuto: ") +
                            PrintSystemReason(printers.Answer));
    return printers;
}

// Message 718 for the device, with why the print system did not list it when it failed.
void TellNotAvailable(FMain &window, const QString &deviceName, const Platform::CPrintSystemAnswer &answer)
{
    QString text = LoadResStringArgs(kPrinterNotAvailable, {deviceName});
    if (answer.Failed())
        text += QStringLiteral("\n\r") + PrintSystemReason(answer);
    ShowMessage(&window, {QMessageBox::Warning, QString(), text, QMessageBox::Ok});
}

// True when the stored printer is one the system offers; else the user is told, before
// choosing another.
bool AvailableElseTold(FMain &window, const CPrintDlg &dialog, const Platform::CPrinterList &printers)
{
    if (ApplicationPrinter::IsAvailable(printers, dialog.DeviceName()))
        return true;
    TellNotAvailable(window, dialog.DeviceName(), printers.Answer);
    return false;
}

// Printer setup until the user confirms a printer that is there (true) or cancels (false); OK on
// one that is not there is told again, and the choice goes on.
bool ChooseInSetup(FMain &window, CPrintDlg &dialog, const Platform::CPrinterList &printers)
{
    while (dialog.ShowPrintSetupDlg(&window)) {
        if (AvailableElseTold(window, dialog, printers))
            return true;
    }
    return false;
}

// The stored choice made the program's printer; when its printer is not there, the one the user
// then chooses in printer setup. None when the user cancels. A stored "PDF file" needs no print
// system, which is then not asked at all. printers: those the command found.
std::optional<CPrinterChoice> PrinterForPrint(FMain &window, Platform::CPrinterList &printers)
{
    if (CPrintDlg::StoredDeviceName() != ApplicationPrinter::PdfDeviceName())
        printers = AskForPrinters();
    CPrintDlg dialog(printers);
    dialog.SetApplicationName(LoadResString(kApplicationName));
    if (!AvailableElseTold(window, dialog, printers) && !ChooseInSetup(window, dialog, printers))
        return std::nullopt;
    return ApplicationPrinter::Current(printers);
}

// The PDF file a printout goes to, proposed as the configuration's name; empty on cancel.
QString ChoosePdfFile(FMain &window, const QString &nomeProgramma)
{
    return ChooseFile(&window,
                      {EFileRole::PdfFile, true, false, LoadResString(716), FileDialogFilter(kPdfFileType),
                       FileDialogExtension(kPdfFileType), ProposedFileName(nomeProgramma, kPdfFileType)});
}

// Where the printout of nomeProgramma goes on the printer: its queue among printers, or a PDF file
// the user names; none when no file is named.
std::unique_ptr<Platform::CPrintOutput> Output(FMain &window, const CPrinterChoice &printer,
                                               const Platform::CPrinterList &printers,
                                               const QString &nomeProgramma)
{
    const Platform::CPrintTable &table = window.PrintTable();
    const QString creator = QStringLiteral("%1 %2").arg(table.ProgramName()).arg(table.ProgramRevision());
    const QPageLayout layout = ApplicationPrinter::PageLayout(printer);
    if (ApplicationPrinter::PrintsOnQueue(printer))
        return NewQueueOutput(ApplicationPrinter::Queue(printers, printer.DeviceName)
                                  .value_or(Platform::CPrinterEntry{printer.DeviceName, {}, {}, {}, {}}),
                              layout, nomeProgramma, creator);
    const QString file = ChoosePdfFile(window, nomeProgramma);
    return file.isEmpty() ? nullptr : NewFileOutput(file, layout, nomeProgramma, creator);
}

void mnuPrint_Click(FMain &window)
{
    Platform::CPrinterList printers;
    const std::optional<CPrinterChoice> printer = PrinterForPrint(window, printers);
    if (!printer)
        return;
    const QString nome = window.NomeProgramma();
    // The styles of both layouts, the report rows and the options with the control's margins,
    // held by the content until PrintEnd.
    auto job = std::make_shared<const CPrintJob>(CPrintJob::ForConfiguration(window.IDProgramma()));
    Platform::CPrintTable &table = window.PrintTable();
    CPrintOptions options = PrintOptions(window.Option());
    options.MarginsMillimetres = table.MarginsMillimetres();
    table.SetContent([job, options](QPagedPaintDevice &device, const QString &target) {
        job->Print(device, options, target);
    });
    table.SetPreviewPrinterSource([printer] { return ApplicationPrinter::NewPreviewPrinter(*printer); });
    table.SetOutputSource(
        [&window, printer, printers, nome] { return Output(window, *printer, printers, nome); });
    table.StartPrint();
    if (table.Busy())
        window.ShowPrintPreview(true);
}

void PrintTable_PrintEnd(FMain &window)
{
    Platform::CPrintTable &table = window.PrintTable();
    table.SetContent({});
    table.SetOutputSource({});
    table.SetPreviewPrinterSource({});
    window.ShowPrintPreview(false);
}

void mnuPrintOption_Click(FMain &window)
{
    // The options chosen last for the rest of the run; the store keeps what it had.
    FOption dialog(&window);
    dialog.SetFormType(IWizardPage::ftDialog);
    dialog.SetData(window.Option());
    ShowWizardPage(dialog);
    if (dialog.ButtonRet() == IWizardPage::brEnd)
        dialog.GetData(window.Option());
}

void mnuPrinterSetup_Click(FMain &window)
{
    const Platform::CPrinterList printers = AskForPrinters();
    CPrintDlg dialog(printers);
    dialog.SetApplicationName(LoadResString(kApplicationName));
    // The printers missing from the list are explained even when the stored choice needs none.
    if (AvailableElseTold(window, dialog, printers) && printers.Answer.Failed())
        ShowMessage(&window,
                    {QMessageBox::Warning, QString(), PrintSystemReason(printers.Answer), QMessageBox::Ok});
    ChooseInSetup(window, dialog, printers);
}

// The control as the window loads it: the program's name and revision, margins of 10 mm (20 at
// the foot), every print previewed first, the preview's texts.
void LoadPrintTable(Platform::CPrintTable &table)
{
    table.SetProgramName(ExecutableBaseName());
    table.SetProgramRevision(MemMap::WritingProgramVersion().Revision);
    table.InitLayout(10, 10, 20, 10);
    table.SetMode(Platform::CPrintTable::kPreviewMode);
    table.SetPreviewTexts({LoadResString(763), LoadResString(2005), LoadResString(764), LoadResString(765),
                           LoadResString(766), LoadResString(767),
                           LoadResStringArgs(768, {QStringLiteral("%1"), QStringLiteral("%2")})});
}

} // namespace

void PlugPrintCommands(FMain &window)
{
    window.Plug(mcPrint, [&window] { mnuPrint_Click(window); });
    window.Plug(mcPrintOption, [&window] { mnuPrintOption_Click(window); });
    window.Plug(mcPrinterSetup, [&window] { mnuPrinterSetup_Click(window); });
    Platform::CPrintTable &table = window.PrintTable();
    QObject::connect(&table, &Platform::CPrintTable::PrintEnd, &window,
                     [&window] { PrintTable_PrintEnd(window); });
    // A print started from the preview is a command of the window like any other.
    table.SetActionRunner([&window](const std::function<void()> &action) { RunCommand(&window, action); });
    LoadPrintTable(table);
}
