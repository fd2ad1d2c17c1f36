#pragma once

#include "common/TraceCode.h"
#include "support/Files.h"

#include <QStringList>
#include <QTemporaryDir>

// Sends g_Trace's lines to a file of a fresh temporary folder for one test and restores its
// settings afterwards, so a test can see the lines that the code under test wrote.
class TraceCapture
{
public:
    TraceCapture() : m_Mode(g_Trace->BugMode()), m_TraceMode(g_Trace->BugTraceMode())
    {
        g_Trace->SetBugFileName(m_Dir.filePath(QStringLiteral("capture.DBG")));
        g_Trace->SetBugMode(CTraceCode::bmTraceFile);
        g_Trace->SetBugTraceMode(CTraceCode::tmTraceAll);
    }
    ~TraceCapture()
    {
        // No test names the log itself, so the lookup in the user's data folder comes back.
        g_Trace->SetBugFileName(QString());
        g_Trace->SetBugMode(m_Mode);
        g_Trace->SetBugTraceMode(m_TraceMode);
    }
    TraceCapture(const TraceCapture &) = delete;
    TraceCapture &operator=(const TraceCapture &) = delete;

    QStringList Lines() const
    {
        return QString::fromUtf8(ReadFile(m_Dir.filePath("capture.DBG"))).split("\r\n", Qt::SkipEmptyParts);
    }

private:
    QTemporaryDir m_Dir;
    qint32 m_Mode;
    qint32 m_TraceMode;
};
