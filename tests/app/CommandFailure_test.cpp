#include "app/CommandFailure.h"
#include "common/Error.h"
#include "common/ResString.h"
#include "model/ArchiveError.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

// The reason in the user's words: the archive's own texts never reach the user, the system's
// reason does; every other error's text already speaks to the user.
TEST(CommandFailure, WhatFailedOnWhichConfigurationAndWhy)
{
    const struct
    {
        qint32 number;
        const char *description, *reason, *command, *configuration;
        QString expected;
    } cases[] = {
        {MakeUserError(aeRecordNotFound),
         "Record non trovato con il criterio:IDProgramma=7 nella tabella CModInstr", "", "Print file", "Forno",
         LoadResStringArgs(820, {"Print file", "Forno", LoadResString(822)})},
        {MakeUserError(aeDatabase),
         "Errore archivio: database or disk is full [INSERT INTO CAlarm2 (a) VALUES (?)]",
         "No space left on device", "New file", "",
         LoadResStringArgs(821, {"New file", LoadResString(823) + "\n\rNo space left on device"})},
        {MakeUserError(aeNoIDLeft), "Nessun nuovo IDProgramma", "", "New file", "",
         LoadResStringArgs(821, {"New file", LoadResString(824)})},
        {MakeUserError(aeNotOpen), "Archivio non aperto", "", "Delete file", "Forno",
         LoadResStringArgs(820, {"Delete file", "Forno", LoadResString(823)})},
        {75, "Unable to write the file /a/b.IXO.\n\rNo space left on device", "", "", "",
         "Unable to write the file /a/b.IXO.\n\rNo space left on device"},
    };
    for (const auto &c : cases) {
        const CError error(c.number, "IxoSoft.Prova", c.description, c.reason);
        EXPECT_EQ(CommandFailureText(error, c.command, c.configuration), c.expected) << c.description;
    }
}

} // namespace
