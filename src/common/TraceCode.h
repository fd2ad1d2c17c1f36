#pragma once

#include "common/System.h"

#include <QString>

#include <functional>

// The diagnostic log of the whole program: Italian text lines, one message a line, ended by
// CR LF, in "IxoSoft.DBG" of the user's data folder. The file is opened, appended and closed
// for every message, so it is complete up to the last line even after a crash.
class CTraceCode
{
public:
    enum BugModes : qint32 { bmTraceFile = 0, bmTraceImmediate = 1 };
    enum TraceModes : qint32 { tmNoTrace = 0, tmTraceNormal = 1, tmTraceAll = 2 };
    enum FileCreateModes : qint32 { fcmNew = 0, fcmAppend = 1 };

    CTraceCode();

    // Reads "/DEBUG" and "/DEBUG_ALL" (any letter case, anywhere in the line).
    bool ProcessCommandLine(const QString &sCommandLine);

    qint32 BugFileCreateMode() const { return m_FileCreateMode; }
    void SetBugFileCreateMode(qint32 mode) { m_FileCreateMode = mode; }
    // Until set, the log is "IxoSoft.DBG" in the user's data folder, looked up at each use.
    QString BugFileName() const;
    void SetBugFileName(const QString &name) { m_FileName = name; }
    qint32 BugMode() const { return m_Mode; }
    void SetBugMode(qint32 mode) { m_Mode = mode; }
    QString BugProgramVersion() const { return m_ProgramVersion; }
    void SetBugProgramVersion(const QString &version) { m_ProgramVersion = version; }
    bool BugIdentifySystem() const { return m_IdentifySystem; }
    void SetBugIdentifySystem(bool identify) { m_IdentifySystem = identify; }
    qint32 BugTraceMode() const { return m_TraceMode; }
    void SetBugTraceMode(qint32 mode) { m_TraceMode = mode; }

    // A line that cannot be written is dropped: the log never stops the program.
    void BugMessage(const QString &sMessage);
    // Whether BugMessage writes a line now; a caller builds a line that costs only then.
    bool Writes() const
    {
        return m_TraceMode != tmNoTrace && m_Started && (m_TraceMode != tmTraceNormal || m_Enabled);
    }
    // A false condition is a programming error: the line is logged, the text (when not
    // empty) shown, and the program ends at once.
    void BugAssert(bool bExpression, const QString &sExpression);
    void BugStartTrace();
    void BugStopTrace() { m_Started = false; }
    void BugTraceDisable() { m_Enabled = false; }
    void BugTraceEnable() { m_Enabled = true; }

    qint32 FreePhysicalMemory() const { return m_System.FreePhysicalMemory(); }
    qint32 FreeVirtualMemory() const { return m_System.FreeVirtualMemory(); }

    // The window layer shows a failed assertion's text in a message box before the program
    // ends; without one the text goes to standard error.
    using AssertNotifier = std::function<void(const QString &text)>;
    static void SetAssertNotifier(AssertNotifier notifier);

    static QString RunLine(const class QDateTime &now);
    QString SystemBlock() const;

private:
    void WriteLine(const QString &text);
    void WriteHeader();

    CSystem m_System;
    qint32 m_Mode = bmTraceImmediate;
    qint32 m_TraceMode = tmNoTrace;
    QString m_FileName;
    qint32 m_FileCreateMode = fcmNew;
    bool m_IdentifySystem = true;
    QString m_ProgramVersion;
    bool m_Started = true;
    bool m_Enabled = true;
    bool m_HeaderPending = true;
};

// The program's one log. It exists before main() runs (silent until InitTrace configures it),
// so no caller ever needs to check it.
extern CTraceCode *const g_Trace;

// First step of start-up: version text, command-line switches, a new log file.
void InitTrace(const QString &versionText, const QString &commandLine);
