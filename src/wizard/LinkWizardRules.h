#pragma once

#include "wizard/WizardTabs.h"

#include <span>

// The link wizards of the main window's three link commands.
enum class ELinkWizard { Transmit, ReceiveEditTransmit, LiveView };

// One page of a link wizard: the ClassName of the data object it edits ("" for the closing
// page) and the Action it gets before the run.
struct CLinkWizardPage
{
    const char *ClassName;
    qint16 Action;
};

// One link wizard: its caption, its pages in order, and what its network page gets added to
// the interface type. Every wizard opens with the PC link page and closes with the closing
// page. Receive-edit-transmit asks the fitted modules, which a read over the auxiliary
// interface has to know, and tells its network page apart by the offset 3; the live view polls
// register frames, so its PC link page leaves the auxiliary interface out and its network page
// lets RS 485 poll the whole network:
//   Transmit             793  CCommConfig 0, CNetworkAddMsgSetup 0, closing 1
//   ReceiveEditTransmit  792  CCommConfig 0, CModInstr 1, CNetworkAddMsgSetup 0, closing 1
//   LiveView             794  CCommConfig 1, CNetworkAddMsgSetup 1, closing 1
struct CLinkWizardForm
{
    int CaptionId;
    std::span<const CLinkWizardPage> Pages;
    qint16 InterfaceOffset;
};

const CLinkWizardForm &LinkWizardForm(ELinkWizard kind);

// Sets AfterShowNextTabs and AfterShowBackTabs of wizard, whose pages stand as
// LinkWizardForm(kind) lists them, to the rules that pass over the pages the interface type
// chosen on the PC link page does not need, the same pages both ways:
//   interface 0 (auxiliary RS 232)   the network page (a serial read needs the address)
//   interface 1, 2 (RS 232, RS 485)  the module page (a serial read finds the modules)
// On Next the network page gets InterfaceType := the interface type plus the wizard's offset
// (receive-edit-transmit: 4 RS 232, 5 RS 485). Every wizard traces under the transmit
// wizard's name: "m_WizardInstrSendSetup_AfterShowNextTabs CNetworkAddMsgSetup".
void SetLinkWizardRules(CWizardTabs &wizard, ELinkWizard kind);
