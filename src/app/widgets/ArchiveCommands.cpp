#include "app/widgets/ArchiveCommands.h"

#include "app/ConfigurationEdit.h"
#include "app/widgets/FMain.h"
#include "app/widgets/RunCommand.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/widgets/HourGlass.h"
#include "common/widgets/MessageBox.h"
#include "model/Configuration.h"
#include "wizard/ConfigWizardRules.h"
#include "wizard/WizardTabs.h"
#include "wizard/widgets/FWAlarm.h"
#include "wizard/widgets/FWAnalogOut.h"
#include "wizard/widgets/FWDisplay.h"
#include "wizard/widgets/FWFiltroDigitale.h"
#include "wizard/widgets/FWInOutScale.h"
#include "wizard/widgets/FWLinearize.h"
#include "wizard/widgets/FWModInstr.h"
#include "wizard/widgets/FWRangeQEM.h"
#include "wizard/widgets/FWRangeVABZOB.h"
#include "wizard/widgets/FWSerialComm.h"
#include "wizard/widgets/FinalSetupMessage.h"

namespace {

constexpr int kActualSettingName = 617;
constexpr int kAskDelete = 795;
constexpr int kAskCopy = 799;
constexpr int kRowsMissing = 808;
// The module page's variant of the receive-edit-transmit runs.
constexpr qint16 kModInstrReconfiguration = 1;

using namespace ConfigWizardPage;

// The page of a position and the object of the configuration it edits (none for the closing
// page).
std::pair<std::unique_ptr<CWizardPage>, ICopyClass *> PageAt(qint16 position, CConfiguration &c,
                                                             QWidget *parent)
{
    switch (position) {
    case ModInstr:
        return {std::make_unique<FWModInstr>(parent), &c.ModInstr()};
    case RangeVABZOB:
        return {std::make_unique<FWRangeVABZOB>(parent), &c.RangeVABZOB()};
    case RangeQEM:
        return {std::make_unique<FWRangeQEM>(parent), &c.RangeQEM()};
    case Display:
        return {std::make_unique<FWDisplay>(parent), &c.Display()};
    case InOutScale:
        return {std::make_unique<FWInOutScale>(parent), &c.InOutScale()};
    case Linearize:
        return {std::make_unique<FWLinearize>(parent), &c.Linearize()};
    case Alarm1:
    case Alarm2:
    case Alarm3:
    case Alarm4:
        return {std::make_unique<FWAlarm>(parent), &c.Alarm(position - Alarm1 + 1)};
    case FiltroDigitale:
        return {std::make_unique<FWFiltroDigitale>(parent), &c.FiltroDigitale()};
    case AnalogOut:
        return {std::make_unique<FWAnalogOut>(parent), &c.AnalogOut()};
    case SerialComm:
        return {std::make_unique<FWSerialComm>(parent), &c.SerialComm()};
    default:
        return {std::make_unique<FWFinalSetupMessage>(parent), nullptr};
    }
}

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

// Record 2 is stored already: a copy that fails is told and undone, and the edit of the
// instrument goes on.
void OfferCopy(FMain &window, CConfiguration &configuration)
{
    if (!Ask(window, kAskCopy, QMessageBox::Question))
        return;
    g_Trace->BugMessage(QStringLiteral("Archivia configurazione corrente."));
    RunCommand(&window, [&] { StoreCopy(configuration); });
}

bool RunWizard(FMain &window, qint32 mode, CConfiguration &configuration)
{
    CWizardTabs wizard;
    BuildConfigWizard(wizard, configuration, mode, &window);
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
    qint64 id = window.IDProgramma();
    StoreEdited(configuration, mode, id);
    window.SetIDProgramma(id);
    if (mode == emActualSetting)
        OfferCopy(window, configuration);
    return true;
}

} // namespace

void BuildConfigWizard(CWizardTabs &wizard, CConfiguration &configuration, qint32 mode, QWidget *parent)
{
    for (const CConfigWizardPosition &position : ConfigWizardPositions()) {
        auto [page, data] = PageAt(position.Position, configuration, parent);
        g_Trace->BugAssert((data ? data->ClassName() : QString()) == QLatin1String(position.ClassName),
                           QStringLiteral("Pagina %1 del wizard fuori posto").arg(position.Position));
        if (auto *modInstr = dynamic_cast<FWModInstr *>(page.get());
            modInstr != nullptr && mode == emActualSetting)
            modInstr->SetAction(kModInstrReconfiguration);
        wizard.Add(std::move(page), data);
    }
    wizard.SetAfterShowNextTabs(m_WizardInstrSetup_AfterShowNextTabs);
    wizard.SetAfterShowBackTabs(m_WizardInstrSetup_AfterShowBackTabs);
}

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
