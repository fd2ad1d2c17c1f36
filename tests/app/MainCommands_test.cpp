#include "app/MainCommands.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

// What a damaged archive leaves enabled, every command built, a configuration current and the
// print control idle: first the commands that write go, then those reading a configuration's
// tables, then those on a configuration of the list. The start's message (831, 832, 833) says
// the same, by the parts the check named.
TEST(MainCommandState, ADamagedArchiveDisablesWhatItNoLongerLetsWork)
{
    const std::set<MainCommand> neverOnAnArchive = {mcViewVariable, mcPrintOption, mcPrinterSetup, mcExit,
                                                    mcAbout};
    std::set<MainCommand> reading = neverOnAnArchive;
    reading.insert({mcExport, mcPrint, mcSendProgramma});
    const struct
    {
        QStringList damagedParts;
        EArchiveDamage damage;
        std::set<MainCommand> enabled;
    } cases[] = {
        {{}, EArchiveDamage::OutsideConfigurations, reading},
        {{"CounterProgrammi", "sqlite_sequence"}, EArchiveDamage::OutsideConfigurations, reading},
        // The list's index alone: every row of CModInstr still reads without it.
        {{"CModInstr_Programmi"}, EArchiveDamage::OutsideConfigurations, reading},
        {{"CLinearize"}, EArchiveDamage::Configurations, neverOnAnArchive},
        {{"CounterProgrammi", "CAlarm4"}, EArchiveDamage::Configurations, neverOnAnArchive},
        {{"CModInstr"}, EArchiveDamage::List, neverOnAnArchive},
        {{"sqlite_master"}, EArchiveDamage::List, neverOnAnArchive},
    };
    CMainCommandState state;
    for (const CCommandRule &rule : CommandRules())
        state.SetBuilt(rule.Command);
    state.SetHasProgrammi(true);
    state.SetCurrentIdValid(true);
    for (const auto &c : cases) {
        EXPECT_EQ(ArchiveDamage(c.damagedParts), c.damage) << c.damagedParts.join(',').toStdString();
        state.SetArchiveDamage(c.damage);
        std::set<MainCommand> enabled;
        for (const CCommandRule &rule : CommandRules()) {
            if (state.Enabled(rule.Command))
                enabled.insert(rule.Command);
            // The refusal of a command given before the verdict and the enabling agree.
            EXPECT_EQ(state.ArchiveAllows(rule.Command), state.Enabled(rule.Command)) << rule.MenuItem;
        }
        EXPECT_EQ(enabled, c.enabled) << c.damagedParts.join(',').toStdString();
    }
    // Sound, or not known yet: every command, those on a configuration only with one current.
    state.SetArchiveDamage(EArchiveDamage::None);
    for (const CCommandRule &rule : CommandRules())
        EXPECT_TRUE(state.Enabled(rule.Command)) << rule.MenuItem;
    state.SetCurrentIdValid(false);
    for (const CCommandRule &rule : CommandRules())
        EXPECT_EQ(state.Enabled(rule.Command), !rule.NeedsConfiguration) << rule.MenuItem;
}

} // namespace
