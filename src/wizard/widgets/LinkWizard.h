#pragma once

#include "wizard/LinkWizardRules.h"

class CCommConfig;
class CModInstr;
class CNetworkAddMsgSetup;
class QWidget;

// A link wizard built beside its pages: its caption, the pages LinkWizardForm(kind) lists,
// each with its Action and over the data object of its ClassName (commConfig, network, and
// modInstr for the module page of receive-edit-transmit; the closing page over none), and its
// rules. Pages are made with parent as their owner window; the engine must be released before
// it.
void BuildLinkWizard(CWizardTabs &wizard, ELinkWizard kind, CCommConfig &commConfig,
                     CNetworkAddMsgSetup &network, CModInstr *modInstr, QWidget *parent);
