#pragma once

#include "model/ConfigClass.h"
#include "wizard/WizardTabs.h"

#include <memory>
#include <span>

class CModInstr;
class CInOutScale;

// Where each page of the configuration wizard stands; BuildConfigWizard
// (wizard/widgets/ConfigWizard.h) adds the pages in this order and the rules read and write
// them by these positions.
namespace ConfigWizardPage {
enum : qint16 {
    ModInstr = 1,
    RangeVABZOB = 2,
    RangeQEM = 3,
    Display = 4,
    InOutScale = 5,
    Linearize = 6,
    Alarm1 = 7,
    Alarm2 = 8,
    Alarm3 = 9,
    Alarm4 = 10,
    FiltroDigitale = 11,
    AnalogOut = 12,
    SerialComm = 13,
    FinalSetupMessage = 14,
    Count = 14
};
}

// One position of the configuration wizard: the ClassName of its data object ("" for the
// closing page, which has none), a new object of its data class (nullptr: none) and whether a
// configuration needs the page, decided from the module page and the scale page as the user
// last left them.
//   Position 7: "CAlarm1", new CAlarm, shown for Z3, Z5 and Z8/Z9 in slot C
struct CConfigWizardPosition
{
    qint16 Position;
    const char *ClassName;
    std::unique_ptr<CConfigClass> (*NewData)();
    bool (*Shown)(const CModInstr &M, const CInOutScale &S);
};

// The fourteen positions, position k at index k - 1.
std::span<const CConfigWizardPosition> ConfigWizardPositions();

// The handlers of the configuration wizard's page changes; the owner of the wizard wires them:
//   wizard.SetAfterShowNextTabs(m_WizardInstrSetup_AfterShowNextTabs);
//   wizard.SetAfterShowBackTabs(m_WizardInstrSetup_AfterShowBackTabs);
// Next on a page the configuration does not need moves Index on by one; on a page it needs,
// the rows of ContextCarries() into its data object carry the context from the other pages
// into its data copy (the values the user edits on it are left alone). Back only passes over the pages not
// needed, by the same test, so it always retraces the pages Next showed.
void m_WizardInstrSetup_AfterShowNextTabs(qint16 &Index, CWizardPages &Pages, const QString &ClassName);
void m_WizardInstrSetup_AfterShowBackTabs(qint16 &Index, CWizardPages &Pages, const QString &ClassName);
