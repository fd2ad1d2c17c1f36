#include "app/widgets/ArchiveCommands.h"

#include "app/CommandFailure.h"
#include "app/ConfigurationEdit.h"
#include "app/widgets/FMain.h"
#include "app/widgets/RunCommand.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/widgets/HourGlass.h"
#include "common/widgets/MessageBox.h"
#include "model/ArchiveError.h"
#include "model/Configuration.h"
#include "wizard/WizardTabs.h"
#include "wizard/widgets/ConfigWizard.h"

namespace {

constexpr int kActualSettingName = 617;
constexpr int kAskDelete = 795;
constexpr int kAskCopy = 799;
constexpr int kRowsMissing = 808;
// The module page's variant of the receive-edit-transmit runs.
constexpr qint16 kModInstrReconfiguration = 1;
// The command that runs the wizard in each EditMode, whose words its messages use.
constexpr MainCommand kCommandOfMode[] = {mcAddProgramma, mcEditProgramma, mcRxEditTxProgramma};

// Message 808: the configuration cannot be edited; what is missing is in the trace.
void ShowRowsMissing(FMain &window, qint32 mode)
{
    const QString name = mode == emActualSetting ? LoadResString(kActualSettingName) : window.NomeProgramma();
    ShowMessage(&window,
                {QMessageBox::Critical, QString(), LoadResStringArgs(kRowsMissing, {name}), QMessageBox::Ok});
}

bool Ask(FMain &window, int text, QMessageBox::Icon icon)
{
    return ShowMessage(&window, {icon, QString(), LoadResString(text), QMessageBox::Yes | QMessageBox::No}) ==
           QMessageBox::Yes;
}

// Runs a store of what the user ended the wizard with. Another program holding the archive
// for longer than the busy wait is no reason to lose the user's work: the store is offered
// again, under the command's own words, as often as the user asks. False when the user gave
// up, with nothing stored (a failed store leaves the archive as it was). Any other failure,
// the program's close among them, ends the command through its entry, RunCommand.
template <typename Store> bool StoreOfferingRetry(FMain &window, const CCommandContext &context, Store store)
{
    for (;;) {
        try {
            store();
            return true;
        } catch (const CError &error) {
            if (!IsArchiveError(error, aeBusy))
                throw;
            const CMessage busy{QMessageBox::Warning, QString(),
                                CommandFailureText(error, context.Command, context.Configuration),
                                QMessageBox::Retry | QMessageBox::Cancel};
            if (ShowMessage(&window, busy) != QMessageBox::Retry) {
                g_Trace->BugMessage(
                    QStringLiteral("Archivio occupato: memorizzazione annullata dall'utente"));
                return false;
            }
            g_Trace->BugMessage(QStringLiteral("Archivio occupato: nuovo tentativo di memorizzazione"));
        }
    }
}

// Record 2 is stored already: a copy that fails is told and undone, and the edit of the
// instrument goes on; so does it when the user gives the copy up while the archive is busy.
void OfferCopy(FMain &window, const CCommandContext &context, CConfiguration &configuration)
{
    if (!Ask(window, kAskCopy, QMessageBox::Question))
        return;
    g_Trace->BugMessage(QStringLiteral("Archivia configurazione corrente."));
    RunCommand(&window, [&] { StoreOfferingRetry(window, context, [&] { StoreCopy(configuration); }); });
}

bool RunWizard(FMain &window, qint32 mode, CConfiguration &configuration)
{
    CWizardTabs wizard;
    BuildConfigWizard(wizard, configuration, mode == emActualSetting ? kModInstrReconfiguration : 0, &window);
    wizard.SetCaption(ConfigWizardCaption(mode, window.NomeProgramma()));
    g_Trace->BugMessage(QStringLiteral("Fine preparazione wizard."));
    if (LoadForEdit(configuration, mode, window.IDProgramma()) == ELoadResult::RowsMissing) {
        ShowRowsMissing(window, mode);
        return false;
    }
    g_Trace->BugMessage(QStringLiteral("Fine caricamento configurazione."));
    if (wizard.Start() != IWizardPage::brEnd) {
        g_Trace->BugMessage(QStringLiteral("Wizard terminato con Cancel"));
        return false;
    }
    g_Trace->BugMessage(QStringLiteral("Wizard terminato con OK"));
    const CCommandContext context = window.CommandContext(kCommandOfMode[mode]);
    qint64 id = window.IDProgramma();
    if (!StoreOfferingRetry(window, context, [&] { StoreEdited(configuration, mode, id); }))
        return false;
    window.SetIDProgramma(id);
    if (mode == emActualSetting)
        OfferCopy(window, context, configuration);
    return true;
}

} // namespace

bool EditNewProgramma(FMain &window, qint32 mode)
{
    g_Trace->BugAssert(mode >= emNew && mode <= emActualSetting,
                       QStringLiteral("EditNewProgramma: modo %1 non previsto").arg(mode));
    g_Trace->BugMessage(QStringLiteral("Inizio EditNewProgramma."));
    CConfiguration configuration;
    g_Trace->BugMessage(QStringLiteral("Fine istanziamento classi."));
    const bool stored = RunWizard(window, mode, configuration);
    g_Trace->BugMessage(
        QStringLiteral("Fine EditNewProgramma. Memoria fisica libera:%1 Memoria virtuale libera: %2")
            .arg(g_Trace->FreePhysicalMemory())
            .arg(g_Trace->FreeVirtualMemory()));
    return stored;
}

void NewProgramma(FMain &window)
{
    if (!EditNewProgramma(window, emNew)) {
        g_Trace->BugMessage(QStringLiteral("Annullata nuova configurazione"));
        return;
    }
    g_Trace->BugMessage(QStringLiteral("Creata nuova configurazione; aggiornamento griglia configurazioni"));
    window.RequeryProgrammi();
    window.UpdateToolBarButtons();
}

void ModifyProgramma(FMain &window)
{
    if (EditNewProgramma(window, emModify))
        window.RequeryProgrammi();
}

void DeleteProgramma(FMain &window)
{
    if (!Ask(window, kAskDelete, QMessageBox::Information))
        return;
    CHourGlassGuard busy(&window);
    g_Connection->DeleteProgramma(window.IDProgramma());
    window.RequeryProgrammi();
    window.UpdateToolBarButtons();
}
