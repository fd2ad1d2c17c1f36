#include "common/TraceCode.h"
#include "platform/UserPaths.h"
#include "support/TempUserDirs.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using Lines = QStringList;

namespace {

// The log's lines without their ends; a line that does not end with CR LF fails the test.
Lines ReadLog(const QString &path = Platform::UserDataFile(QStringLiteral("IxoSoft.DBG")))
{
    QFile file(path);
    const QString log = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    EXPECT_TRUE(log.count('\n') == log.count("\r\n") && (log.isEmpty() || log.endsWith("\r\n")))
        << "no CR LF";
    return log.isEmpty() ? Lines() : log.chopped(2).split("\r\n");
}

// The lines after the full header: the run line, the twelve system facts, the blank line that
// ends the block, the version text. Lines without a header come back whole.
Lines AfterHeader(const Lines &lines, const QString &version = "IxoSoft 1.0")
{
    if (lines.empty() || !lines[0].startsWith("Effettuata nuova esecuzione: "))
        return lines;
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
    // A fresh trace started on a log that holds "old line" or does not exist; body writes to it.
    Lines Run(qint32 createMode, qint32 mode, qint32 traceMode, bool oldLog,
              const std::function<void(CTraceCode &)> &body = {})
    {
        QFile file(m_Path);
        file.remove();
        if (oldLog && file.open(QIODevice::WriteOnly))
            file.write("old line\r\n");
        file.close();
        CTraceCode trace;
        trace.SetBugFileName(m_Path);
        trace.SetBugFileCreateMode(createMode);
        trace.SetBugMode(mode);
        trace.SetBugTraceMode(traceMode);
        trace.SetBugIdentifySystem(true);
        trace.SetBugProgramVersion(QStringLiteral("IxoSoft 1.0"));
        trace.BugStartTrace();
        if (body)
            body(trace);
        return ReadLog(m_Path);
    }

    QTemporaryDir m_Dir;
    QString m_Path = m_Dir.filePath(QStringLiteral("IxoSoft.DBG"));
};

} // namespace

TEST_F(TraceFile, HeaderFollowsTheCreateModeAndAnOldLog)
{
    // create mode, old log, full header (else the run line alone)
    constexpr qint32 New = CTraceCode::fcmNew, Append = CTraceCode::fcmAppend;
    const std::tuple<qint32, bool, bool> cases[] = {{New, true, true},     {New, false, true},
                                                    {Append, true, false}, {Append, false, true},
                                                    {7, true, false},      {7, false, false}};
    for (const auto &[createMode, oldLog, fullHeader] : cases) {
        SCOPED_TRACE(testing::Message() << "create mode " << createMode << " old log " << oldLog);
        Lines all = Run(createMode, CTraceCode::bmTraceFile, CTraceCode::tmTraceAll, oldLog);
        const bool kept = oldLog && createMode != CTraceCode::fcmNew;
        EXPECT_TRUE(!kept || (!all.empty() && all.front() == "old line")) << "the old log was lost";
        all.erase(all.begin(), all.begin() + (kept && !all.empty()));
        if (fullHeader)
            EXPECT_EQ(AfterHeader(all), Lines()) << "no full header";
        else
            EXPECT_TRUE(all.size() == 1 && all[0].startsWith("Effettuata nuova esecuzione: "))
                << all.join("|").toStdString();
    }
}

// By output and trace mode, what reaches the log (UTF-8) and standard error: nothing, all but
// a disabled stretch, or all; a stopped trace drops lines and a restart writes no second
// header. Immediate mode sends bare messages and no header; any other mode empties a new log
// and writes nowhere.
TEST_F(TraceFile, ModesDecideWhichLinesGoWhere)
{
    constexpr qint32 File = CTraceCode::bmTraceFile;
    const std::tuple<qint32, qint32, bool, Lines, std::string> cases[] = {
        {File, CTraceCode::tmNoTrace, false, {}, ""},
        {File, CTraceCode::tmTraceNormal, false, {"però", "dopo", "ripresa"}, ""},
        {File, CTraceCode::tmTraceAll, false, {"però", "nascosta", "dopo", "ripresa"}, ""},
        {CTraceCode::bmTraceImmediate, CTraceCode::tmTraceAll, false, {}, "perònascostadoporipresa"},
        {5, CTraceCode::tmTraceAll, true, {}, ""},
    };
    for (const auto &[mode, traceMode, oldLog, expected, stderrText] : cases) {
        ::testing::internal::CaptureStderr();
        const Lines lines = Run(CTraceCode::fcmNew, mode, traceMode, oldLog, [](CTraceCode &trace) {
            trace.BugMessage(QStringLiteral("però"));
            trace.BugTraceDisable();
            trace.BugMessage(QStringLiteral("nascosta"));
            trace.BugTraceEnable();
            trace.BugMessage(QStringLiteral("dopo"));
            trace.BugStopTrace();
            trace.BugMessage(QStringLiteral("persa"));
            trace.BugStartTrace();
            trace.BugMessage(QStringLiteral("ripresa"));
        });
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), stderrText) << mode << " " << traceMode;
        EXPECT_EQ(AfterHeader(lines), expected) << mode << " " << traceMode;
    }
}

TEST_F(TraceFile, UnwritableLogDropsTheLineAndGoesOn)
{
    const QString writable =
        std::exchange(m_Path, m_Dir.filePath(QStringLiteral("missing/folder/IxoSoft.DBG")));
    Run(CTraceCode::fcmNew, CTraceCode::bmTraceFile, CTraceCode::tmTraceAll, false, [&](CTraceCode &trace) {
        EXPECT_NO_THROW(trace.BugMessage(QStringLiteral("persa")));
        trace.SetBugFileName(writable);
        trace.BugMessage(QStringLiteral("scritta"));
    });
    EXPECT_THAT(ReadLog(writable), ElementsAre("scritta"));
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
        trace.SetBugFileCreateMode(9), trace.SetBugMode(9), trace.SetBugTraceMode(9);
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
