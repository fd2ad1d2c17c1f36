#include "common/TraceCode.h"

#include "platform/TraceSink.h"
#include "platform/UserPaths.h"

#include <QDateTime>
#include <QFile>

#include <cstdio>
#include <cstdlib>

namespace {

CTraceCode::AssertNotifier &Notifier()
{
    static CTraceCode::AssertNotifier notifier;
    return notifier;
}

CTraceCode &TheTrace()
{
    static CTraceCode trace;
    // The platform layer's own lines go to this log too.
    static const bool receiving =
        (Platform::SetTraceSink([](const QString &line) { trace.BugMessage(line); }), true);
    Q_UNUSED(receiving);
    return trace;
}

} // namespace

CTraceCode *const g_Trace = &TheTrace();

CTraceCode::CTraceCode() = default;

QString CTraceCode::BugFileName() const
{
    return m_FileName.isEmpty() ? Platform::UserDataFile(QStringLiteral("IxoSoft.DBG")) : m_FileName;
}

bool CTraceCode::ProcessCommandLine(const QString &sCommandLine)
{
    const QString line = sCommandLine.trimmed().toUpper();
    if (line.isEmpty() || !line.contains(QLatin1String("/DEBUG")))
        return false;
    m_FileCreateMode = fcmNew;
    m_Mode = bmTraceFile;
    m_TraceMode = line.contains(QLatin1String("/DEBUG_ALL")) ? tmTraceAll : tmTraceNormal;
    return true;
}

void CTraceCode::BugMessage(const QString &sMessage)
{
    if (!Writes())
        return;
    if (m_Mode == bmTraceFile) {
        WriteLine(sMessage);
    } else if (m_Mode == bmTraceImmediate) {
        std::fputs(sMessage.toLocal8Bit().constData(), stderr);
    }
}

void CTraceCode::WriteLine(const QString &text)
{
    QFile file(BugFileName());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    file.write(text.toUtf8() + "\r\n");
}

void CTraceCode::BugAssert(bool bExpression, const QString &sExpression)
{
    if (bExpression)
        return;
    BugMessage(QStringLiteral("g_Trace.BugAssert fallito: ") + sExpression);
    if (!sExpression.isEmpty()) {
        // Whatever the message box does, the program must not run on past a broken invariant.
        try {
            if (Notifier())
                Notifier()(sExpression);
            else
                std::fprintf(stderr, "g_Trace.BugAssert fallito: %s\n",
                             sExpression.toLocal8Bit().constData());
        } catch (...) {
        }
    }
    std::fflush(nullptr);
    std::_Exit(EXIT_FAILURE);
}

void CTraceCode::SetAssertNotifier(AssertNotifier notifier)
{
    Notifier() = std::move(notifier);
}

void CTraceCode::BugStartTrace()
{
    m_Started = true;
    if (!m_HeaderPending)
        return;
    m_HeaderPending = false;
    WriteHeader();
}

void CTraceCode::WriteHeader()
{
    if (m_TraceMode == tmNoTrace || m_Mode == bmTraceImmediate)
        return;
    const bool exists = QFile::exists(BugFileName());
    if (m_FileCreateMode != fcmNew && (exists || m_FileCreateMode != fcmAppend)) {
        BugMessage(RunLine(QDateTime::currentDateTime()));
        return;
    }
    {
        QFile file(BugFileName());
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.close();
    }
    BugMessage(RunLine(QDateTime::currentDateTime()));
    if (m_Mode != bmTraceFile)
        return;
    if (m_IdentifySystem)
        BugMessage(SystemBlock());
    if (!m_ProgramVersion.isEmpty())
        BugMessage(m_ProgramVersion);
}

QString CTraceCode::RunLine(const QDateTime &now)
{
    return QStringLiteral("Effettuata nuova esecuzione: ") + now.toString(QStringLiteral("dd-MM-yy ")) +
           now.toString(QStringLiteral("HH:mm:ss"));
}

QString CTraceCode::SystemBlock() const
{
    const QString crlf = QStringLiteral("\r\n");
    QString block;
    block += QStringLiteral("Memoria fisica libera: %1 KB").arg(m_System.FreePhysicalMemory()) + crlf;
    block += QStringLiteral("Memoria fisica disponibile: %1 KB").arg(m_System.TotalPhysicalMemory()) + crlf;
    block += QStringLiteral("Memoria virtuale libera: %1 KB").arg(m_System.FreeVirtualMemory()) + crlf;
    block += QStringLiteral("Memoria virtuale disponibile: %1 KB").arg(m_System.TotalVirtualMemory()) + crlf;
    block += QStringLiteral("Memoria caricata: %1%").arg(m_System.MemoryLoad()) + crlf;
    block += QStringLiteral("Processore: ") + m_System.Processor() + crlf;
    block += QStringLiteral("Nome sistema operativo: ") + m_System.OSName() + crlf;
    block +=
        QStringLiteral("Windows Version: %1.%2").arg(m_System.WinMajor()).arg(m_System.WinMinor()) + crlf;
    block += QStringLiteral("Windows Directory: ") + m_System.WindowsDir() + crlf;
    block += QStringLiteral("System Directory: ") + m_System.SystemDir() + crlf;
    block += QStringLiteral("Nome utente: ") + m_System.User() + crlf;
    block += QStringLiteral("Nome macchina: ") + m_System.Machine() + crlf;
    return block;
}

void InitTrace(const QString &versionText, const QString &commandLine)
{
    g_Trace->SetBugProgramVersion(versionText);
    g_Trace->SetBugIdentifySystem(true);
    if (!g_Trace->ProcessCommandLine(commandLine)) {
        g_Trace->SetBugFileCreateMode(CTraceCode::fcmNew);
        g_Trace->SetBugTraceMode(CTraceCode::tmTraceNormal);
        g_Trace->SetBugMode(CTraceCode::bmTraceFile);
    }
    g_Trace->BugStartTrace();
}
