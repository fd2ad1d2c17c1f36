#pragma once

#include <QStringList>

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
    bool ReadsConfiguration; // reads every table of a configuration (the current one, or record 2)
};

// The rules of every command, indexed by MainCommand.
const std::array<CCommandRule, mcCount> &CommandRules();

// How much of the archive its check found damaged, in the order of what is lost: the commands
// that write first, then those that read a configuration's tables, then those on a configuration
// of the list. The start's message 830 says the same with 831, 832 or 833.
enum class EArchiveDamage {
    None,                  // sound, or its check has not ended
    OutsideConfigurations, // every configuration can still be read
    Configurations,        // a configuration table other than CModInstr: only the list is whole
    List,                  // the schema or CModInstr: none of its configurations can be read
};

// The damage of a damaged archive by the parts its check named:
//   {"CLinearize"} -> Configurations;  {"CModInstr"} or {"sqlite_master"} -> List;
//   {}, {"CounterProgrammi"} or {"CModInstr_Programmi"} (an index: its rows read without it)
//     -> OutsideConfigurations
EArchiveDamage ArchiveDamage(const QStringList &damagedParts);
// g_Connection's, as far as its check has come.
EArchiveDamage CurrentArchiveDamage();

// Which commands of the main window can run now. The window tells it what changed (the list
// holds configurations, the current id is one of them, the print control is busy, the archive's
// damage, a command has been built) and applies Enabled() to the command's menu item and toolbar
// button alike. A command that is not built is never enabled.
//   state.SetBuilt(mcEditProgramma);
//   state.SetHasProgrammi(false);  Enabled(mcEditProgramma) -> false
//   state.SetHasProgrammi(true); state.SetCurrentIdValid(true);  -> true
//   state.SetArchiveDamage(EArchiveDamage::OutsideConfigurations);  -> false (it writes)
class CMainCommandState
{
public:
    void SetHasProgrammi(bool value) { m_HasProgrammi = value; }
    void SetCurrentIdValid(bool value) { m_CurrentIdValid = value; }
    void SetPrintBusy(bool value) { m_PrintBusy = value; }
    void SetArchiveDamage(EArchiveDamage damage) { m_ArchiveDamage = damage; }
    void SetBuilt(MainCommand command, bool built = true) { m_Built.set(command, built); }

    bool IsBuilt(MainCommand command) const { return m_Built.test(command); }
    bool Enabled(MainCommand command) const;
    // Whether the archive, as damaged as it is, still lets the command work; a command given
    // before the check ended is refused by it once the check has.
    bool ArchiveAllows(MainCommand command) const;

private:
    bool m_HasProgrammi = false;
    bool m_CurrentIdValid = false;
    bool m_PrintBusy = false;
    EArchiveDamage m_ArchiveDamage = EArchiveDamage::None;
    std::bitset<mcCount> m_Built;
};
