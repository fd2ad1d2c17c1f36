#pragma once

#include "wizard/LinkWizardRules.h"

#include <QtGlobal>

// The display-free half of the main window's three link commands: how each one asks for its
// link settings, and which window runs a transfer. The wizards and windows live in
// app/widgets/LinkCommands.h.
enum class ELinkCommand { Transmit, ReceiveEditTransmit, LiveView };

// One link wizard: its caption, the page rules it runs under, whether the fitted modules are
// asked for (between the PC link page and the network page), and the Action each page gets
// before the run. Every wizard opens with the PC link page and closes with the closing page.
//   Transmit             793  SendSetup      pages CommConfig 0, Network 0, closing 1
//   ReceiveEditTransmit  792  SendSetupRxTx  CommConfig 0, ModInstr 1, Network 0, closing 1
//   LiveView             794  SendSetup      CommConfig 1, Network 1, closing 1
struct CLinkWizardForm
{
    int CaptionId;
    ELinkWizard Rules;
    bool ModulePage;
    qint16 CommConfigAction;
    qint16 ModInstrAction;
    qint16 NetworkAction;
    qint16 FinalAction;
};

const CLinkWizardForm &LinkWizardForm(ELinkCommand command);

// The instrument's auxiliary text interface has a transfer window of its own; register frames
// (RS 232, RS 485) go through the other.
//   0 -> Auxiliary;  1, 2 -> Serial
enum class ETransferWindow { Auxiliary, Serial };
ETransferWindow TransferWindowFor(qint16 interfaceType);
