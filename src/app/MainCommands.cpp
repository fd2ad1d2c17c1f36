#include "app/MainCommands.h"

const std::array<CCommandRule, mcCount> &CommandRules()
{
    static const std::array<CCommandRule, mcCount> rules = {{
        {mcViewVariable, "mnuViewVariable", "ViewIXOVar", false, false, false},
        {mcImport, "mnuImport", nullptr, false, false, true},
        {mcExport, "mnuExport", nullptr, true, false, false},
        {mcPrintOption, "mnuPrintOption", nullptr, false, false, false},
        {mcPrinterSetup, "mnuPrinterSetup", nullptr, false, true, false},
        {mcPrint, "mnuPrint", nullptr, true, true, false},
        {mcExit, "mnuExit", nullptr, false, false, false},
        {mcAddProgramma, "mnuAddProgramma", "NewProg", false, false, true},
        {mcEditProgramma, "mnuEditProgramma", "EditProg", true, false, true},
        {mcDelProgramma, "mnuDelProgramma", "DelProg", true, false, true},
        {mcSendProgramma, "mnuSendProgramma", "SendProg", true, false, false},
        {mcRxEditTxProgramma, "mnuRxEditTxProgramma", "RxTxProg", false, false, true},
        {mcAbout, "mnuAbout", nullptr, false, false, false},
    }};
    return rules;
}

bool CMainCommandState::Enabled(MainCommand command) const
{
    const CCommandRule &rule = CommandRules()[command];
    return IsBuilt(command) && (!rule.NeedsConfiguration || (m_HasProgrammi && m_CurrentIdValid)) &&
           !(rule.WaitsForPrint && m_PrintBusy);
}
