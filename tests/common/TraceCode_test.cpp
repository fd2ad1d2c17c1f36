#include "common/TraceCode.h"
#include "platform/UserPaths.h"
#include "support/TempUserDirs.h"

#include <QFile>
#include <QTemporaryDir>

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using Lines = std::vector<std::string>;

namespace {

// The log's lines without their ends; a line that does not end with CR LF fails the test.
Lines ReadLog(const QString &path = Platform::UserDataFile(QStringLiteral("IxoSoft.DBG")))
{
    Lines lines;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        for (const QByteArray &line : file.readAll().split('\n'))
            if (!line.isEmpty()) {
                EXPECT_TRUE(line.endsWith('\r')) << "line without CR LF: " << line.toStdString();
                lines.push_back(line.chopped(1).toStdString());
            }
    return lines;
}

// The lines from the nth on (none when there are fewer).
Lines From(const Lines &lines, size_t n)
{
    return Lines(lines.begin() + std::min(lines.size(), n), lines.end());
}

// The run line, the twelve system facts, the blank line that ends the block, the version text.
void ExpectFullHeader(const Lines &lines, const std::string &version)
{
    const QStringList labels = QStringLiteral("Memoria fisica libera: |Memoria fisica disponibile: |"
                                              "Memoria virtuale libera: |Memoria virtuale disponibile: |"
                                              "Memoria caricata: |Processore: |Nome sistema operativo: |"
                                              "Windows Version: |Windows Directory: |System Directory: |"
                                              "Nome utente: |Nome macchina: ")
                                   .split(QLatin1Char('|'));
    ASSERT_GE(lines.size(), 15u);
    EXPECT_THAT(lines[0], ::testing::MatchesRegex("Effettuata nuova esecuzione: [0-9]{2}-[0-9]{2}-[0-9]{2} "
                                                  "[0-9]{2}:[0-9]{2}:[0-9]{2}"));
    for (int i = 0; i < labels.size(); ++i)
        EXPECT_THAT(lines[1 + i], StartsWith(labels[i].toStdString()));
    EXPECT_EQ(lines[13], "");
    EXPECT_EQ(lines[14], version);
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
        const Lines all = Run(createMode, CTraceCode::bmTraceFile, CTraceCode::tmTraceAll, oldLog);
        const bool kept = oldLog && createMode != CTraceCode::fcmNew;
        EXPECT_TRUE(!kept || (!all.empty() && all.front() == "old line")) << "the old log was lost";
        if (fullHeader)
            ExpectFullHeader(From(all, kept), "IxoSoft 1.0");
        else
            EXPECT_THAT(From(all, kept), ElementsAre(StartsWith("Effettuata nuova esecuzione: ")));
    }
}

// What reaches the log (UTF-8) by trace mode: nothing, everything but a disabled stretch, or all;
// a stopped trace drops lines and a restart writes no second header.
TEST_F(TraceFile, TraceModeAndStopDecideWhichLinesAreKept)
{
    const std::pair<qint32, Lines> cases[] = {
        {CTraceCode::tmNoTrace, {}},
        {CTraceCode::tmTraceNormal, {"però", "dopo", "ripresa"}},
        {CTraceCode::tmTraceAll, {"però", "nascosta", "dopo", "ripresa"}},
    };
    for (const auto &[traceMode, expected] : cases) {
        const Lines lines =
            Run(CTraceCode::fcmNew, CTraceCode::bmTraceFile, traceMode, false, [](CTraceCode &trace) {
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
        EXPECT_EQ(From(lines, 15), expected) << traceMode;
    }
}

// Immediate mode sends bare messages and no header; any other mode empties a new log and writes
// nowhere.
TEST_F(TraceFile, ImmediateAndUnknownModesWriteNoFile)
{
    for (const qint32 mode : {qint32(CTraceCode::bmTraceImmediate), qint32(5)}) {
        ::testing::internal::CaptureStderr();
        const Lines lines =
            Run(CTraceCode::fcmNew, mode, CTraceCode::tmTraceAll, mode == 5, [](CTraceCode &trace) {
                trace.BugMessage(QStringLiteral("uno"));
                trace.BugMessage(QStringLiteral("due"));
            });
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), mode == 5 ? "" : "unodue");
        EXPECT_TRUE(lines.empty()) << mode;
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
    const std::pair<qint32, std::vector<const char *>> cases[] = {
        {9, {"", "   ", "/DEBU", "-debug"}},
        {CTraceCode::tmTraceNormal, {"/debug", "  file.ixo /Debug  ", "/DEBUGGING"}},
        {CTraceCode::tmTraceAll, {"/debug_all", "x /Debug_All y"}}};
    for (const auto &[traceMode, commandLines] : cases)
        for (const char *commandLine : commandLines) {
            const bool on = traceMode != 9; // 9: not recognised, every setting left as it was
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
// its own; the log lands in this test's temporary data folder.
TEST(InitTrace, WithoutSwitchStartsANewLogInTheDataFolderAndHonoursDisable)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    TempUserDirs dirs;
    EXPECT_EXIT(
        {
            InitTrace(QStringLiteral("IxoSoft 2.3"), QString());
            g_Trace->BugTraceDisable();
            g_Trace->BugMessage(QStringLiteral("nascosta"));
            g_Trace->BugTraceEnable();
            g_Trace->BugMessage(QStringLiteral("visibile"));
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    const Lines lines = ReadLog();
    ExpectFullHeader(lines, "IxoSoft 2.3");
    EXPECT_THAT(From(lines, 15), ElementsAre("visibile"));
}

// An empty text shows no box; a box that fails still ends the program.
TEST(BugAssert, LogsTheTextShowsItAndEndsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    TempUserDirs dirs;
    for (const QString &text : {QString(), QStringLiteral("Si possono gestire al max 31 item.")}) {
        EXPECT_EXIT(
            {
                InitTrace(QStringLiteral("IxoSoft"), QStringLiteral("/DEBUG"));
                CTraceCode::SetAssertNotifier([](const QString &shown) {
                    std::fprintf(stderr, "box: %s\n", shown.toUtf8().constData());
                    throw std::runtime_error("the box failed");
                });
                g_Trace->BugAssert(true, QStringLiteral("mai"));
                g_Trace->BugAssert(false, text);
                std::_Exit(0);
            },
            ::testing::ExitedWithCode(EXIT_FAILURE),
            text.isEmpty() ? ::testing::Matcher<const std::string &>(::testing::Not(HasSubstr("box:")))
                           : HasSubstr("box: " + text.toStdString()));
        const Lines lines = ReadLog();
        EXPECT_EQ(lines.empty() ? "" : lines.back(), "g_Trace.BugAssert fallito: " + text.toStdString());
    }
}
