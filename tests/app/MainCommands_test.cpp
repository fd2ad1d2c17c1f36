#include "app/MainCommands.h"

#include <gtest/gtest.h>

namespace {

// What the window knows, and which kinds of command may run then.
struct StateCase
{
    bool hasProgrammi, currentIdValid, printBusy;
    bool plain, needsConfiguration, waitsForPrint, print;
};

class MainCommandState : public ::testing::TestWithParam<StateCase>
{};

TEST_P(MainCommandState, EnablesBuiltCommandsByTheirRule)
{
    const StateCase &c = GetParam();
    CMainCommandState state;
    state.SetHasProgrammi(c.hasProgrammi);
    state.SetCurrentIdValid(c.currentIdValid);
    state.SetPrintBusy(c.printBusy);
    for (int command = 0; command < mcCount; ++command)
        EXPECT_FALSE(state.Enabled(MainCommand(command)))
            << "not built: " << CommandRules()[command].MenuItem;
    for (int command = 0; command < mcCount; ++command)
        state.SetBuilt(MainCommand(command));
    for (const CCommandRule &rule : CommandRules()) {
        const bool expected = rule.Command == mcPrint   ? c.print
                              : rule.WaitsForPrint      ? c.waitsForPrint
                              : rule.NeedsConfiguration ? c.needsConfiguration
                                                        : c.plain;
        EXPECT_EQ(state.Enabled(rule.Command), expected) << rule.MenuItem;
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, MainCommandState,
                         ::testing::Values(StateCase{false, false, false, true, false, true, false},
                                           StateCase{true, true, false, true, true, true, true},
                                           StateCase{true, false, false, true, false, true, false},
                                           StateCase{true, true, true, true, true, false, false},
                                           StateCase{false, false, true, true, false, false, false}));

TEST(MainCommandRules, FollowTheMenusAndToolbarOfTheWindow)
{
    // The rules are read by index: each row stands at its command's place.
    for (int command = 0; command < mcCount; ++command)
        EXPECT_EQ(CommandRules()[command].Command, command);
    // The buttons that need a configuration are exactly Modify, Delete and Transmit.
    for (const CCommandRule &rule : CommandRules()) {
        if (rule.ButtonKey != nullptr) {
            EXPECT_EQ(rule.NeedsConfiguration, rule.Command == mcEditProgramma ||
                                                   rule.Command == mcDelProgramma ||
                                                   rule.Command == mcSendProgramma)
                << rule.ButtonKey;
        }
    }
}

} // namespace
