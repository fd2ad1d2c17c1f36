#include "app/widgets/ProgramFileCommands.h"

#include "app/ProgramFileCommands.h"
#include "app/widgets/FMain.h"
#include "app/widgets/FileDialog.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/widgets/MessageBox.h"

namespace {

constexpr int kFileRefused = 802;

// The dialog of program files, modal over the window; the chosen file, or none on cancel.
QString ChooseProgramFile(FMain &window, bool save, const QString &proposedName)
{
    return ChooseFile(&window, {EFileRole::ProgramFile, save, false, QString(), ProgramFileFilter(),
                                ProgramFileExtension(), proposedName});
}

} // namespace

void ExportFile(FMain &window)
{
    const qint64 id = window.IDProgramma();
    const QString nome = window.NomeProgramma();
    g_Trace->BugMessage(QStringLiteral("Export programma ") + nome);
    const QString fileName = ChooseProgramFile(window, true, ProposedExportName(nome));
    if (fileName.isEmpty())
        return;
    g_Trace->BugMessage(QStringLiteral("Nome file export: ") + fileName);
    ExportProgramma(id, fileName);
}

void ImportFile(FMain &window)
{
    const QString fileName = ChooseProgramFile(window, false, QString());
    if (fileName.isEmpty())
        return;
    g_Trace->BugMessage(QStringLiteral("Nome file import: ") + fileName);
    qint64 id = window.IDProgramma();
    const EImportResult result = ImportProgramma(fileName, id);
    window.SetIDProgramma(id);
    if (result == EImportResult::Refused) {
        ShowMessage(&window, {QMessageBox::Warning, QString(), LoadResStringArgs(kFileRefused, {fileName}),
                              QMessageBox::Ok});
        return;
    }
    g_Trace->BugMessage(
        QStringLiteral("Importata nuova configurazione; aggiornamento griglia configurazioni"));
    window.RequeryProgrammi();
    window.UpdateToolBarButtons();
}
