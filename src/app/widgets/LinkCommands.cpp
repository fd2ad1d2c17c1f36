#include "app/widgets/LinkCommands.h"

#include "app/CommandFailure.h"
#include "app/ConfigurationEdit.h"
#include "app/LinkCommands.h"
#include "app/widgets/ArchiveCommands.h"
#include "app/widgets/FMain.h"
#include "app/widgets/RunCommand.h"
#include "app/widgets/SettingsNotStored.h"
#include "common/CopyClass.h"
#include "common/Error.h"
#include "common/TraceCode.h"
#include "model/Archive.h"
#include "model/Configuration.h"
#include "model/ModInstr.h"
#include "programming/widgets/AuxProgSetup.h"
#include "programming/widgets/SerialProgSetup.h"
#include "programming/widgets/ViewInstrData.h"
#include "wizard/widgets/LinkWizard.h"

#include <memory>

namespace {

// Runs a link wizard, its pages made afresh; true when it was ended with End, and then both
// settings objects are stored together, or neither (the user told, the run going on with them).
// modInstr is the data of the module page, when the wizard has one.
bool RunLinkWizard(FMain &window, ELinkWizard kind, CModInstr *modInstr = nullptr)
{
    CWizardTabs wizard;
    BuildLinkWizard(wizard, kind, window.CommConfigSetup(), window.NetworkAddMsg(), modInstr, &window);
    if (wizard.Start() != 0)
        return false;
    CSettingsWriteBatch batch;
    // An empty name: the settings store. The module page's data keeps nothing there.
    wizard.SaveData(QString());
    if (QString fault; !batch.Commit(&fault))
        TellSettingsNotStored(&window, fault);
    return true;
}

// One transfer of record id through the window of the chosen interface, for command; true
// when it succeeded. A read passes the modules the user declared; a write may pass the
// configuration to send, which then is not read from the archive.
bool RunTransfer(FMain &window, MainCommand command, qint32 action, qint64 id, CModInstr *modInstr = nullptr,
                 const CConfiguration *configuration = nullptr)
{
    CCommConfig &commConfig = window.CommConfigSetup();
    std::unique_ptr<CTransferWindow> transfer;
    if (TransferWindowFor(commConfig.InterfaceType()) == ETransferWindow::Auxiliary)
        transfer = std::make_unique<FAuxProgSetup>(&window);
    else
        transfer = std::make_unique<FSerialProgSetup>(&window);
    transfer->SetAction(action);
    transfer->SetIDProgramma(id);
    transfer->SetConfiguration(configuration);
    // The archive's errors, met while the record is read or stored, in the command's words.
    transfer->SetErrorText([context = window.CommandContext(command)](const CError &error) {
        return CommandFailureText(error, context.Command, context.Configuration);
    });
    transfer->Create(commConfig, modInstr, window.NetworkAddMsg());
    transfer->exec();
    return transfer->ReturnValue();
}

} // namespace

void SendProgramma(FMain &window)
{
    if (RunLinkWizard(window, ELinkWizard::Transmit))
        RunTransfer(window, mcSendProgramma, CTransferWindow::kActionWrite, window.IDProgramma());
}

void RxEditTxProgramma(FMain &window)
{
    CModInstr modInstr;
    if (!RunLinkWizard(window, ELinkWizard::ReceiveEditTransmit, &modInstr))
        return;
    if (!RunTransfer(window, mcRxEditTxProgramma, CTransferWindow::kActionRead, CArchive::kActualSettingID,
                     &modInstr))
        return;
    g_Trace->BugMessage(QStringLiteral("Modifica dell'attuale configurazione dello strumento."));
    CConfiguration edited;
    bool copied = false;
    if (!EditActualSetting(window, edited, copied)) {
        g_Trace->BugMessage(
            QStringLiteral("Annullata la modifica dell'attuale configurazione dello strumento."));
        return;
    }
    g_Trace->BugMessage(QStringLiteral("Modifica dell'attuale configurazione dello strumento eseguita."));
    // Only a copy changes the list; a list read now would wait for whoever holds the archive.
    if (copied) {
        window.RequeryProgrammi();
        window.UpdateToolBarButtons();
    }
    // Back to the instrument just read, with no new address search: after an automatic search
    // NetworkAdd holds the address it found. What the user confirmed is sent as the program
    // holds it, whether or not another program let the archive store it.
    window.NetworkAddMsg().SetSelNetworkAdd(1);
    RunTransfer(window, mcRxEditTxProgramma, CTransferWindow::kActionWrite, CArchive::kActualSettingID,
                nullptr, &edited);
}

void ViewVariable(FMain &window)
{
    if (!RunLinkWizard(window, ELinkWizard::LiveView))
        return;
    FViewInstrData view(&window);
    view.Create(window.CommConfigSetup(), window.NetworkAddMsg());
    view.exec();
}
