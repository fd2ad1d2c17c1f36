#pragma once

#include "wizard/WizardTabs.h"

// The page-change rules of the three link wizards of the main window, which pass over the
// pages the chosen interface does not need and hand the interface type to the network page.
// Both wizards read the interface type from page 1 (FWCommConfig / CCommConfig):
//
//   SendSetup (transmit, live view)      1 CCommConfig  2 CNetworkAddMsgSetup  3 closing page
//   SendSetupRxTx (receive-edit-trans.)  1 CCommConfig  2 CModInstr  3 CNetworkAddMsgSetup
//                                        4 closing page
//
//   interface 0 (auxiliary RS 232)   SendSetup 1, 3        SendSetupRxTx 1, 2, 4
//   interface 1, 2 (RS 232, RS 485)  SendSetup 1, 2, 3     SendSetupRxTx 1, 3, 4
//
// the same pages going back. On Next the network page gets InterfaceType := the interface
// type (SendSetup) or the interface type + 3 (SendSetupRxTx: 4 RS 232, 5 RS 485), so the page
// knows which wizard it is in. The main window wires them to the engine of each run:
//   CWizardTabs wizard;  ...Add the pages...
//   SetLinkWizardRules(wizard, ELinkWizard::SendSetupRxTx);
// or connects the four handlers below, which have the engine's event signature, itself.
enum class ELinkWizard { SendSetup, SendSetupRxTx };

void SendSetupAfterShowNextTabs(qint16 &Index, CWizardPages &Pages, const QString &ClassName);
void SendSetupAfterShowBackTabs(qint16 &Index, CWizardPages &Pages, const QString &ClassName);
void SendSetupRxTxAfterShowNextTabs(qint16 &Index, CWizardPages &Pages, const QString &ClassName);
void SendSetupRxTxAfterShowBackTabs(qint16 &Index, CWizardPages &Pages, const QString &ClassName);

// Sets AfterShowNextTabs and AfterShowBackTabs of wizard to the handlers of that link wizard.
void SetLinkWizardRules(CWizardTabs &wizard, ELinkWizard kind);
