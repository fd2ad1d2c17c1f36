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
#include "common/widgets/MessageBox.h"
#include "programming/memmap/ProgramFile.h"

#include <QPrinter>

#include <optional>

namespace {

constexpr int kApplicationName = 301;
constexpr int kPrinterNotAvailable = 718;
// The file type of printouts written as PDF.
constexpr int kPdfFileType = 769;

// True when the stored printer is one the system offers now; else the user is told, before
// choosing another.
bool AvailableElseTold(FMain &window, const CPrintDlg &dialog)
{
    if (ApplicationPrinter::IsAvailable(dialog.DeviceName()))
        return true;
    ShowMessage(&window, {QMessageBox::Warning, QString(),
                          LoadResStringArgs(kPrinterNotAvailable, {dialog.DeviceName()}), QMessageBox::Ok});
    return false;
}

// The stored choice, made the program's printer; when its printer is not there, the one the user
// then chooses in printer setup. None when the user cancels or keeps a printer that is not there.
std::optional<CPrinterChoice> PrinterForPrint(FMain &window)
{
    CPrintDlg dialog;
    dialog.SetApplicationName(LoadResString(kApplicationName));
    if (!AvailableElseTold(window, dialog) &&
        (!dialog.ShowPrintSetupDlg(&window) || !ApplicationPrinter::IsAvailable(dialog.DeviceName())))
        return std::nullopt;
    return ApplicationPrinter::Current();
}

// The PDF file a printout goes to, proposed as the configuration's name; empty on cancel.
QString ChoosePdfFile(FMain &window, const QString &nomeProgramma)
{
    return ChooseFile(&window,
                      {EFileRole::PdfFile, true, false, LoadResString(716), FileDialogFilter(kPdfFileType),
                       FileDialogExtension(kPdfFileType), ProposedFileName(nomeProgramma, kPdfFileType)});
}

// Where the printout of nomeProgramma goes on the printer: its queue, or a PDF file the user
// names; none when no file is named.
std::unique_ptr<Platform::CPrintOutput> Output(FMain &window, const CPrinterChoice &printer,
                                               const QString &nomeProgramma)
{
    const Platform::CPrintTable &table = window.PrintTable();
    const QString creator = QStringLiteral("%1 %2").arg(table.ProgramName()).arg(table.ProgramRevision());
    const QPageLayout layout = ApplicationPrinter::PageLayout(printer);
    if (ApplicationPrinter::PrintsOnQueue(printer))
        return NewQueueOutput(printer.DeviceName, layout, nomeProgramma, creator);
    const QString file = ChoosePdfFile(window, nomeProgramma);
    return file.isEmpty() ? nullptr : NewFileOutput(file, layout, nomeProgramma, creator);
}

void mnuPrint_Click(FMain &window)
{
    const std::optional<CPrinterChoice> printer = PrinterForPrint(window);
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
    table.SetOutputSource([&window, printer, nome] { return Output(window, *printer, nome); });
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
    CPrintDlg dialog;
    dialog.SetApplicationName(LoadResString(kApplicationName));
    AvailableElseTold(window, dialog);
    dialog.ShowPrintSetupDlg(&window);
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
