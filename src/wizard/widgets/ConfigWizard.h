#pragma once

#include <QtGlobal>

class CConfiguration;
class CWizardTabs;
class QWidget;

// The configuration wizard built beside its pages: the page of each position of
// ConfigWizardPositions() (wizard/ConfigWizardRules.h), each over the object of the
// configuration of that position's ClassName (the closing page over none), the module page
// with modInstrAction (1 in the receive-edit-transmit runs), and the rules of the page
// changes. Pages are made with parent as their owner window; the engine must be released
// before it.
void BuildConfigWizard(CWizardTabs &wizard, CConfiguration &configuration, qint16 modInstrAction,
                       QWidget *parent);
