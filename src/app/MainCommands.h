#pragma once

#include <array>
#include <bitset>

// The commands of the main window, in the order of its menus.
enum MainCommand : int {
    mcViewVariable,
    mcImport,
    mcExport,
    mcPrintOption,
    mcPrinterSetup,
    mcPrint,
    mcExit,
    mcAddProgramma,
    mcEditProgramma,
    mcDelProgramma,
    mcSendProgramma,
    mcRxEditTxProgramma,
    mcAbout,
    mcCount
};

// One command: its menu item, its toolbar button (none for most) and what it waits for.
struct CCommandRule
{
    MainCommand Command;
    const char *MenuItem;
    const char *ButtonKey;
    bool NeedsConfiguration; // a configuration of the archive is the current one
    bool WaitsForPrint;      // not while the print control is busy
    bool WritesArchive;      // refused before it opens anything while the archive stores no change
};

// The rules of every command, indexed by MainCommand.
const std::array<CCommandRule, mcCount> &CommandRules();

// Which commands of the main window can run now. The window tells it what changed (the list
// holds configurations, the current id is one of them, the print control is busy, a command
// has been built) and applies Enabled() to the command's menu item and toolbar button alike.
// A command that is not built is never enabled.
//   state.SetBuilt(mcEditProgramma);
//   state.SetHasProgrammi(false);  Enabled(mcEditProgramma) -> false
//   state.SetHasProgrammi(true); state.SetCurrentIdValid(true);  -> true
class CMainCommandState
{
public:
    void SetHasProgrammi(bool value) { m_HasProgrammi = value; }
    void SetCurrentIdValid(bool value) { m_CurrentIdValid = value; }
    void SetPrintBusy(bool value) { m_PrintBusy = value; }
    void SetBuilt(MainCommand command, bool built = true) { m_Built.set(command, built); }

    bool IsBuilt(MainCommand command) const { return m_Built.test(command); }
    bool Enabled(MainCommand command) const;

private:
    bool m_HasProgrammi = false;
    bool m_CurrentIdValid = false;
    bool m_PrintBusy = false;
    std::bitset<mcCount> m_Built;
};
