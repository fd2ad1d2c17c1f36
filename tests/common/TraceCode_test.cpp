#include "common/TraceCode.h"
#include "platform/UserPaths.h"
#include "support/DataTable.h"
#include "support/Files.h"
#include "support/TempUserDirs.h"

#include <QRegularExpression>

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using Lines = QStringList;

namespace {

// The log's lines without their ends; a line that does not end with CR LF fails the test.
Lines ReadLog(const QString &path = Platform::UserDataFile(QStringLiteral("IxoSoft.DBG")))
{
    const QString log = QString::fromUtf8(ReadFile(path));
    EXPECT_TRUE(log.count('\n') == log.count("\r\n") && (log.isEmpty() || log.endsWith("\r\n")))
        << "no CR LF";
    return log.isEmpty() ? Lines() : log.chopped(2).split("\r\n");
}

// The lines after the full header that `lines` must start with: the run line, the twelve system
// facts, the blank line that ends the block, the version text.
Lines AfterHeader(const Lines &lines, const QString &version = "IxoSoft 1.0")
{
    const QRegularExpression expected(QRegularExpression::anchoredPattern(
        "Effettuata nuova esecuzione: \\d\\d-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\n"
        "Memoria fisica libera: .*\nMemoria fisica disponibile: .*\nMemoria virtuale libera: .*\n"
        "Memoria virtuale disponibile: .*\nMemoria caricata: .*\nProcessore: .*\nNome sistema operativo: .*\n"
        "Windows Version: .*\nWindows Directory: .*\nSystem Directory: .*\nNome utente: .*\n"
        "Nome macchina: .*\n\n" +
        QRegularExpression::escape(version)));
    EXPECT_TRUE(expected.match(lines.mid(0, 15).join('\n')).hasMatch()) << lines.join('\n').toStdString();
    return lines.mid(15);
}

class TraceFile : public ::testing::Test
{
protected:
    // A fresh trace started on a log that holds "old line" or does not exist, then given
    // "però", "nascosta" while disabled, "dopo", "persa" while stopped and "ripresa".
    Lines Run(qint32 createMode, qint32 mode, qint32 traceMode, bool oldLog)
    {
        QFile::remove(m_Path);
        if (oldLog)
            WriteFile(m_Path, "old line\r\n");
        CTraceCode trace;
        trace.SetBugFileName(m_Path);
        trace.SetBugFileCreateMode(createMode);
        trace.SetBugMode(mode);
        trace.SetBugTraceMode(traceMode);
        trace.SetBugProgramVersion(QStringLiteral("IxoSoft 1.0"));
        trace.BugStartTrace();
        trace.BugMessage(QStringLiteral("però"));
        trace.BugTraceDisable();
        trace.BugMessage(QStringLiteral("nascosta"));
        trace.BugTraceEnable();
        trace.BugMessage(QStringLiteral("dopo"));
        trace.BugStopTrace();
        trace.BugMessage(QStringLiteral("persa"));
        trace.BugStartTrace();
        trace.BugMessage(QStringLiteral("ripresa"));
        return ReadLog(m_Path);
    }

    QTemporaryDir m_Dir;
    QString m_Path = m_Dir.filePath(QStringLiteral("IxoSoft.DBG"));
};

} // namespace

// The runs of tests/data/trace_runs.tsv: the create mode and an old log decide the header, the
// output and trace modes which lines reach the log (UTF-8) and standard error.
TEST_F(TraceFile, RunsWriteTheLinesTheirModesAsk)
{
    // A mode by its name, its number in `names` (as the modes are numbered), or a number.
    const auto mode = [](const QString &name, const QStringList &names) {
        return names.contains(name) ? qint32(names.indexOf(name)) : name.toInt();
    };
    for (const QStringList &f : ReadDataTable(QStringLiteral("trace_runs.tsv"))) {
        SCOPED_TRACE(f.join(' ').toStdString());
        ::testing::internal::CaptureStderr();
        Lines lines = Run(mode(f[0], {"new", "append"}), mode(f[1], {"file", "immediate"}),
                          mode(f[2], {"none", "normal", "all"}), f[3] == "yes");
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), f.value(5).toStdString());
        const qsizetype start = f.value(4).split('|').indexOf("<header>"),
                        run = f.value(4).split('|').indexOf("<run>");
        if (start >= 0)
            lines = lines.mid(0, start) + QStringList("<header>") + AfterHeader(lines.mid(start));
        if (run >= 0 && lines.value(run).startsWith("Effettuata nuova esecuzione: "))
            lines[run] = "<run>";
        EXPECT_EQ(lines.join('|').toStdString(), f.value(4).toStdString());
    }
}

TEST(TraceFileUnwritable, DropsTheLineAndGoesOn)
{
    QTemporaryDir dir;
    CTraceCode trace;
    trace.SetBugFileName(dir.filePath(QStringLiteral("missing/folder/IxoSoft.DBG")));
    trace.SetBugMode(CTraceCode::bmTraceFile);
    trace.SetBugTraceMode(CTraceCode::tmTraceAll);
    EXPECT_NO_THROW(trace.BugMessage(QStringLiteral("persa")));
    trace.SetBugFileName(dir.filePath(QStringLiteral("IxoSoft.DBG")));
    trace.BugMessage(QStringLiteral("scritta"));
    EXPECT_THAT(ReadLog(dir.filePath(QStringLiteral("IxoSoft.DBG"))), ElementsAre("scritta"));
}

TEST(TraceSwitches, AreFoundInAnyCaseAnywhereInTheLine)
{
    // command line, the trace mode it sets (9: not recognised, every setting left as it was)
    const std::pair<const char *, qint32> cases[] = {
        {"", 9},           {"   ", 9},        {"/DEBU", 9},
        {"-debug", 9},     {"/debug", 1},     {"  file.ixo /Debug  ", 1},
        {"/DEBUGGING", 1}, {"/debug_all", 2}, {"x /Debug_All y", 2}};
    for (const auto &[commandLine, traceMode] : cases) {
        const bool on = traceMode != 9;
        CTraceCode trace;
        trace.SetBugFileCreateMode(9);
        trace.SetBugMode(9);
        trace.SetBugTraceMode(9);
        EXPECT_EQ(trace.ProcessCommandLine(QString::fromLatin1(commandLine)), on) << commandLine;
        EXPECT_EQ(std::tuple(trace.BugTraceMode(), trace.BugMode(), trace.BugFileCreateMode()),
                  std::tuple(traceMode, on ? CTraceCode::bmTraceFile : 9, on ? CTraceCode::fcmNew : 9))
            << commandLine;
    }
}

// The process-wide log is configured once per run, so each start-up runs in a child process of
// its own; the log lands in this test's temporary data folder. Without a switch the start-up
// traces normally to a new log. A failed assertion logs its text, shows it unless empty (a box
// that fails still ends the program) and ends the program.
TEST(InitTrace, StartsANewLogAndAFailedAssertionEndsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    TempUserDirs dirs;
    for (const char *text : {"", "Si possono gestire al max 31 item."}) {
        EXPECT_EXIT(
            {
                InitTrace(QStringLiteral("IxoSoft 2.3"), *text ? QStringLiteral("/DEBUG") : QString());
                CTraceCode::SetAssertNotifier([](const QString &shown) {
                    std::fprintf(stderr, "box: %s\n", shown.toUtf8().constData());
                    throw std::runtime_error("the box failed");
                });
                g_Trace->BugTraceDisable();
                g_Trace->BugMessage(QStringLiteral("nascosta"));
                g_Trace->BugTraceEnable();
                g_Trace->BugAssert(true, QStringLiteral("mai"));
                g_Trace->BugAssert(false, QString::fromUtf8(text));
                std::_Exit(0);
            },
            ::testing::ExitedWithCode(EXIT_FAILURE),
            *text ? ::testing::Matcher<const std::string &>(::testing::HasSubstr(std::string("box: ") + text))
                  : ::testing::Not(::testing::HasSubstr("box:")));
        EXPECT_EQ(AfterHeader(ReadLog(), "IxoSoft 2.3"),
                  Lines({"g_Trace.BugAssert fallito: " + QString::fromUtf8(text)}));
    }
}
