#include "app/MainCommands.h"

#include "model/Archive.h"

const std::array<CCommandRule, mcCount> &CommandRules()
{
    static const std::array<CCommandRule, mcCount> rules = {{
        {mcViewVariable, "mnuViewVariable", "ViewIXOVar", false, false, false, false},
        {mcImport, "mnuImport", nullptr, false, false, true, false},
        {mcExport, "mnuExport", nullptr, true, false, false, true},
        {mcPrintOption, "mnuPrintOption", nullptr, false, false, false, false},
        {mcPrinterSetup, "mnuPrinterSetup", nullptr, false, true, false, false},
        {mcPrint, "mnuPrint", nullptr, true, true, false, true},
        {mcExit, "mnuExit", nullptr, false, false, false, false},
        {mcAddProgramma, "mnuAddProgramma", "NewProg", false, false, true, false},
        {mcEditProgramma, "mnuEditProgramma", "EditProg", true, false, true, true},
        {mcDelProgramma, "mnuDelProgramma", "DelProg", true, false, true, false},
        {mcSendProgramma, "mnuSendProgramma", "SendProg", true, false, false, true},
        {mcRxEditTxProgramma, "mnuRxEditTxProgramma", "RxTxProg", false, false, true, true},
        {mcAbout, "mnuAbout", nullptr, false, false, false, false},
    }};
    return rules;
}

EArchiveDamage ArchiveDamage(const QStringList &damagedParts)
{
    // The list reads CModInstr, and every table is reached through the schema.
    if (damagedParts.contains(QStringLiteral("sqlite_master")) ||
        damagedParts.contains(QStringLiteral("CModInstr")))
        return EArchiveDamage::List;
    for (const QString &table : CArchive::ConfigurationTables()) {
        if (damagedParts.contains(table))
            return EArchiveDamage::Configurations;
    }
    return EArchiveDamage::OutsideConfigurations;
}

EArchiveDamage CurrentArchiveDamage()
{
    return g_Connection->CheckFailed() ? ArchiveDamage(g_Connection->DamagedParts()) : EArchiveDamage::None;
}

bool CMainCommandState::ArchiveAllows(MainCommand command) const
{
    const CCommandRule &rule = CommandRules()[command];
    switch (m_ArchiveDamage) {
    case EArchiveDamage::None:
        return true;
    case EArchiveDamage::OutsideConfigurations:
        return !rule.WritesArchive;
    case EArchiveDamage::Configurations:
        return !rule.WritesArchive && !rule.ReadsConfiguration;
    case EArchiveDamage::List:
        return !rule.WritesArchive && !rule.ReadsConfiguration && !rule.NeedsConfiguration;
    }
    return false;
}

bool CMainCommandState::Enabled(MainCommand command) const
{
    const CCommandRule &rule = CommandRules()[command];
    return IsBuilt(command) && (!rule.NeedsConfiguration || (m_HasProgrammi && m_CurrentIdValid)) &&
           !(rule.WaitsForPrint && m_PrintBusy) && ArchiveAllows(command);
}
