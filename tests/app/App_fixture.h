#pragma once

#include "app/widgets/Avvio.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "model/Configuration.h"
#include "support/MessageRecorder.h"
#include "support/TempUserDirs.h"

#include <QApplication>

#include <gtest/gtest.h>

// One run of the program in fresh user folders: messages recorded, the log and the program
// font as they were afterwards, the archive closed.
class AppTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        g_Connection->Close();
        g_Font = m_Font;
        g_Trace->SetBugMode(m_TraceMode);
        g_Trace->SetBugTraceMode(m_TraceTraceMode);
        while (QApplication::overrideCursor() != nullptr)
            QApplication::restoreOverrideCursor();
    }

    // Configurations named as given, added to the archive (opened for them when it is not).
    static QList<qint32> AddProgrammi(const QStringList &names)
    {
        if (!g_Connection->IsOpen())
            g_Connection->Open();
        QList<qint32> ids;
        CConfiguration configuration;
        for (const QString &name : names) {
            configuration.ModInstr().SetNomeProgramma(name);
            ids.append(g_Connection->NewID());
            configuration.Add(ids.last());
        }
        return ids;
    }

    TempUserDirs m_Dirs;
    MessageRecorder m_Messages;

private:
    CProgramFont m_Font = g_Font;
    qint32 m_TraceMode = g_Trace->BugMode();
    qint32 m_TraceTraceMode = g_Trace->BugTraceMode();
};
