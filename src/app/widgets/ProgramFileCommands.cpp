#include "app/widgets/ProgramFileCommands.h"

#include "app/ProgramFileCommands.h"
#include "app/widgets/FMain.h"
#include "app/widgets/FileDialog.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/widgets/MessageBox.h"
#include "platform/Cp1252.h"

namespace {

constexpr int kFileRefused = 802;
constexpr int kNameNotInFile = 870;

// The dialog of program files, modal over the window; the chosen file, or none on cancel.
QString ChooseProgramFile(FMain &window, bool save, const QString &proposedName)
{
    return ChooseFile(&window, {EFileRole::ProgramFile, save, false, QString(), ProgramFileFilter(),
                                ProgramFileExtension(), proposedName});
}

// The program file holds its name in Windows-1252: a name with characters it has no byte for
// goes out only when the user, told which, accepts them as "?".
bool NameFitsElseAccepted(FMain &window, const QString &nome)
{
    const QStringList lost = Cp1252Unmappable(nome);
    if (lost.isEmpty())
        return true;
    const QString text = LoadResStringArgs(kNameNotInFile, {nome, lost.join(QLatin1Char(' '))});
    if (ShowMessage(&window, {QMessageBox::Warning, QString(), text, QMessageBox::Yes | QMessageBox::No}) ==
        QMessageBox::Yes)
        return true;
    g_Trace->BugMessage(QStringLiteral("Export annullato: il nome contiene caratteri non rappresentabili"));
    return false;
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
    if (!NameFitsElseAccepted(window, nome))
        return;
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
