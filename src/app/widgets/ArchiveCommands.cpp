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
constexpr int kAskChangedMeanwhile = 843;
constexpr int kActualSettingBusy = 844;
constexpr int kCopyBusy = 845;
constexpr int kCopyFailed = 846;
constexpr int kActualSettingFailed = 847;
constexpr int kConfirmedBusy = 848;
// The module page's variant of the receive-edit-transmit runs.
constexpr qint16 kModInstrReconfiguration = 1;

// Message 808: the configuration cannot be edited; what is missing is in the trace.
void ShowRowsMissing(FMain &window, qint32 mode)
{
    const QString name = mode == emActualSetting ? LoadResString(kActualSettingName) : window.NomeProgramma();
    ShowMessage(&window,
                {QMessageBox::Critical, QString(), LoadResStringArgs(kRowsMissing, {name}), QMessageBox::Ok});
}

bool Ask(FMain &window, const QString &text, QMessageBox::Icon icon,
         QMessageBox::StandardButton byDefault = QMessageBox::NoButton)
{
    CMessage question{icon, QString(), text, QMessageBox::Yes | QMessageBox::No};
    question.DefaultButton = byDefault;
    return ShowMessage(&window, question) == QMessageBox::Yes;
}

// While it lives, the window asks before a close gives up the configuration being stored.
class CConfirmedStore
{
public:
    explicit CConfirmedStore(FMain &window) : m_Window(window) { m_Window.SetStoringConfirmed(true); }
    ~CConfirmedStore() { m_Window.SetStoringConfirmed(false); }
    CConfirmedStore(const CConfirmedStore &) = delete;
    CConfirmedStore &operator=(const CConfirmedStore &) = delete;

private:
    FMain &m_Window;
};

// Runs a store of what the user ended the wizard with. Another program holding the archive
// for longer than the busy wait is no reason to lose the user's work: the store is offered
// again, in busyText's words, as often as the user asks, and a close of the window meanwhile
// asks before it gives the work up. False when the user gave up, with nothing stored (a failed
// store leaves the archive as it was). Any other failure, the program's close among them, goes
// to the caller.
template <typename Store> bool StoreOfferingRetry(FMain &window, const QString &busyText, Store store)
{
    const CConfirmedStore storing(window);
    for (;;) {
        try {
            store();
            return true;
        } catch (const CError &error) {
            if (!IsArchiveError(error, aeBusy))
                throw;
            const CMessage busy{QMessageBox::Warning, QString(), busyText,
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

// A store of receive-edit-transmit, whose run goes on to the instrument whatever the archive
// does: kept from the file by another program's lock, it is offered again in busyId's words;
// refused otherwise, it is told in failedId's (the reason for "|1") and given up. False when it
// was not stored. The program's close ends the whole command.
template <typename Store> bool StoreGoingOn(FMain &window, int busyId, int failedId, Store store)
{
    try {
        return StoreOfferingRetry(window, LoadResStringArgs(busyId, {ArchiveFilePath()}), store);
    } catch (const CError &error) {
        if (IsArchiveError(error, aeClosing))
            throw;
        ReportError(&window, error, LoadResStringArgs(failedId, {CommandFailureText(error)}));
        return false;
    }
}

// Stores what the user ended the wizard with: true once stored. A configuration that another
// program changed since the wizard loaded it is stored over that change only on the user's
// word; No stores nothing and keeps the other program's version.
bool StoreEnded(FMain &window, qint32 mode, CConfiguration &configuration, CStoredRows &loaded)
{
    qint64 id = window.IDProgramma();
    for (;;) {
        EStoreResult result = EStoreResult::Stored;
        const auto store = [&] { result = StoreEdited(configuration, mode, id, loaded); };
        // The busy box says what each button does with the configuration the user confirmed.
        if (!(mode == emActualSetting
                  ? StoreGoingOn(window, kActualSettingBusy, kActualSettingFailed, store)
                  : StoreOfferingRetry(window, LoadResStringArgs(kConfirmedBusy, {ArchiveFilePath()}),
                                       store)))
            return false;
        if (result == EStoreResult::Stored)
            break;
        // Return keeps the other program's change: only a deliberate Yes stores over it.
        if (!Ask(window, LoadResStringArgs(kAskChangedMeanwhile, {window.NomeProgramma()}),
                 QMessageBox::Warning, QMessageBox::No)) {
            g_Trace->BugMessage(
                QStringLiteral("Memorizzazione annullata: la configurazione è stata modificata "
                               "da un altro programma"));
            return false;
        }
    }
    window.SetIDProgramma(id);
    return true;
}

// Record 2 is dealt with already: a copy that fails is told and undone, and the edit of the
// instrument goes on; so does it when the user gives the copy up while the archive is busy.
// True when the copy was stored. The program's close ends the whole command.
bool OfferCopy(FMain &window, CConfiguration &configuration)
{
    if (!Ask(window, LoadResString(kAskCopy), QMessageBox::Question))
        return false;
    g_Trace->BugMessage(QStringLiteral("Archivia configurazione corrente."));
    return StoreGoingOn(window, kCopyBusy, kCopyFailed, [&] { StoreCopy(configuration); });
}

// The wizard over configuration in mode; true when the user ended it with End and it was
// stored, and in mode 2 whatever the archive could store (copied: a copy was archived).
bool RunWizard(FMain &window, qint32 mode, CConfiguration &configuration, bool &copied)
{
    CWizardTabs wizard;
    BuildConfigWizard(wizard, configuration, mode == emActualSetting ? kModInstrReconfiguration : 0, &window);
    wizard.SetCaption(ConfigWizardCaption(mode, window.NomeProgramma()));
    g_Trace->BugMessage(QStringLiteral("Fine preparazione wizard."));
    CStoredRows loaded;
    if (LoadForEdit(configuration, mode, window.IDProgramma(), loaded) == ELoadResult::RowsMissing) {
        ShowRowsMissing(window, mode);
        return false;
    }
    g_Trace->BugMessage(QStringLiteral("Fine caricamento configurazione."));
    if (wizard.Start() != IWizardPage::brEnd) {
        g_Trace->BugMessage(QStringLiteral("Wizard terminato con Cancel"));
        return false;
    }
    g_Trace->BugMessage(QStringLiteral("Wizard terminato con OK"));
    const bool stored = StoreEnded(window, mode, configuration, loaded);
    if (mode != emActualSetting)
        return stored;
    if (!stored)
        g_Trace->BugMessage(
            QStringLiteral("Configurazione non memorizzata nel record 2: sarà trasmessa lo stesso"));
    // An archive that now refuses every change (damage met by the store, say) takes no copy.
    copied = ArchiveRefusalText().isEmpty() && OfferCopy(window, configuration);
    return true;
}

bool Edit(FMain &window, qint32 mode, CConfiguration &configuration, bool &copied)
{
    g_Trace->BugAssert(mode >= emNew && mode <= emActualSetting,
                       QStringLiteral("EditNewProgramma: modo %1 non previsto").arg(mode));
    g_Trace->BugMessage(QStringLiteral("Inizio EditNewProgramma."));
    g_Trace->BugMessage(QStringLiteral("Fine istanziamento classi."));
    copied = false;
    const bool stored = RunWizard(window, mode, configuration, copied);
    g_Trace->BugMessage(
        QStringLiteral("Fine EditNewProgramma. Memoria fisica libera:%1 Memoria virtuale libera: %2")
            .arg(g_Trace->FreePhysicalMemory())
            .arg(g_Trace->FreeVirtualMemory()));
    return stored;
}

} // namespace

bool EditNewProgramma(FMain &window, qint32 mode)
{
    CConfiguration configuration;
    bool copied = false;
    return Edit(window, mode, configuration, copied);
}

bool EditActualSetting(FMain &window, CConfiguration &configuration, bool &copied)
{
    return Edit(window, emActualSetting, configuration, copied);
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
    if (!Ask(window, LoadResString(kAskDelete), QMessageBox::Information))
        return;
    CHourGlassGuard busy(&window);
    g_Connection->DeleteProgramma(window.IDProgramma());
    window.RequeryProgrammi();
    window.UpdateToolBarButtons();
}
