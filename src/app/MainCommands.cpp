#include "app/MainCommands.h"

const std::array<CCommandRule, mcCount> &CommandRules()
{
    static const std::array<CCommandRule, mcCount> rules = {{
        {mcViewVariable, "mnuViewVariable", "ViewIXOVar", false, false},
        {mcImport, "mnuImport", nullptr, false, false},
        {mcExport, "mnuExport", nullptr, true, false},
        {mcPrintOption, "mnuPrintOption", nullptr, false, false},
        {mcPrinterSetup, "mnuPrinterSetup", nullptr, false, true},
        {mcPrint, "mnuPrint", nullptr, true, true},
        {mcExit, "mnuExit", nullptr, false, false},
        {mcAddProgramma, "mnuAddProgramma", "NewProg", false, false},
        {mcEditProgramma, "mnuEditProgramma", "EditProg", true, false},
        {mcDelProgramma, "mnuDelProgramma", "DelProg", true, false},
        {mcSendProgramma, "mnuSendProgramma", "SendProg", true, false},
        {mcRxEditTxProgramma, "mnuRxEditTxProgramma", "RxTxProg", false, false},
        {mcAbout, "mnuAbout", nullptr, false, false},
    }};
    return rules;
}

bool CMainCommandState::Enabled(MainCommand command) const
{
    const CCommandRule &rule = CommandRules()[command];
    return IsBuilt(command) && (!rule.NeedsConfiguration || (m_HasProgrammi && m_CurrentIdValid)) &&
           !(rule.WaitsForPrint && m_PrintBusy);
}
