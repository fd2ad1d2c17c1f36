#include "common/TraceCode.h"
#include "platform/UserPaths.h"
#include "support/TempUserDirs.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

// The log's lines without their ends; a line that does not end with CR LF fails the test.
std::vector<std::string> Lines(const QString &path)
{
    std::vector<std::string> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.isEmpty())
            continue; // the piece after the last line end
        EXPECT_TRUE(line.endsWith('\r')) << "line without CR LF: " << line.toStdString();
        lines.push_back(line.chopped(1).toStdString());
    }
    return lines;
}

std::vector<std::string> UserLog()
{
    return Lines(Platform::UserDataFile(QStringLiteral("IxoSoft.DBG")));
}

// The run line, the twelve system facts, the blank line that ends the block, the version text.
void ExpectFullHeader(const std::vector<std::string> &lines, const std::string &version)
{
    const QStringList labels =
        QStringLiteral(
            "Memoria fisica libera: |Memoria fisica disponibile: |Memoria virtuale libera: |"
            "Memoria virtuale disponibile: |Memoria caricata: |Processore: |Nome sistema operativo: |"
            "Windows Version: |Windows Directory: |System Directory: |Nome utente: |Nome macchina: ")
            .split(QLatin1Char('|'));
    ASSERT_GE(lines.size(), 15u);
    EXPECT_TRUE(QRegularExpression(R"(^Effettuata nuova esecuzione: \d\d-\d\d-\d\d \d\d:\d\d:\d\d$)")
                    .match(QString::fromStdString(lines[0]))
                    .hasMatch())
        << lines[0];
    for (int i = 0; i < labels.size(); ++i)
        EXPECT_THAT(lines[1 + i], StartsWith(labels[i].toStdString()));
    EXPECT_EQ(lines[13], "");
    EXPECT_EQ(lines[14], version);
}

class TraceFile : public ::testing::Test
{
protected:
    void Configure(CTraceCode &trace, qint32 createMode, qint32 mode, qint32 traceMode, bool identify = false)
    {
        trace.SetBugFileName(m_Path);
        trace.SetBugFileCreateMode(createMode);
        trace.SetBugMode(mode);
        trace.SetBugTraceMode(traceMode);
        trace.SetBugIdentifySystem(identify);
        trace.SetBugProgramVersion(QStringLiteral("IxoSoft 1.0"));
    }
    void WriteOldLog()
    {
        QFile file(m_Path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old line\r\n");
    }

    QTemporaryDir m_Dir;
    QString m_Path = m_Dir.filePath(QStringLiteral("IxoSoft.DBG"));
    CTraceCode m_Trace;
};

} // namespace

TEST_F(TraceFile, HeaderFollowsTheCreateModeAndAnOldLog)
{
    struct Case
    {
        qint32 createMode;
        bool logExists, fullHeader;
    };
    const Case cases[] = {{CTraceCode::fcmNew, true, true},
                          {CTraceCode::fcmNew, false, true},
                          {CTraceCode::fcmAppend, true, false},
                          {CTraceCode::fcmAppend, false, true},
                          {7, true, false},
                          {7, false, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "create mode " << c.createMode << " old log " << c.logExists);
        QFile::remove(m_Path);
        if (c.logExists)
            WriteOldLog();
        CTraceCode trace;
        Configure(trace, c.createMode, CTraceCode::bmTraceFile, CTraceCode::tmTraceAll, true);
        trace.BugStartTrace();
        std::vector<std::string> lines = Lines(m_Path);
        ASSERT_FALSE(lines.empty());
        if (c.logExists && c.createMode != CTraceCode::fcmNew) {
            EXPECT_EQ(lines.front(), "old line");
            lines.erase(lines.begin());
        }
        if (c.fullHeader)
            ExpectFullHeader(lines, "IxoSoft 1.0");
        else
            EXPECT_THAT(lines, ElementsAre(StartsWith("Effettuata nuova esecuzione: ")));
    }
}

// What reaches the log (UTF-8) by trace mode: nothing, everything but a disabled stretch, or all.
TEST_F(TraceFile, TraceModeDecidesWhichLinesAreKept)
{
    const std::pair<qint32, std::vector<std::string>> cases[] = {
        {CTraceCode::tmNoTrace, {}},
        {CTraceCode::tmTraceNormal, {"IxoSoft 1.0", "però", "dopo"}},
        {CTraceCode::tmTraceAll, {"IxoSoft 1.0", "però", "nascosta", "dopo"}},
    };
    for (const auto &[traceMode, expected] : cases) {
        QFile::remove(m_Path);
        CTraceCode trace;
        Configure(trace, CTraceCode::fcmNew, CTraceCode::bmTraceFile, traceMode);
        trace.BugStartTrace();
        trace.BugMessage(QStringLiteral("però"));
        trace.BugTraceDisable();
        trace.BugMessage(QStringLiteral("nascosta"));
        trace.BugTraceEnable();
        trace.BugMessage(QStringLiteral("dopo"));
        std::vector<std::string> lines = Lines(m_Path);
        if (!lines.empty())
            lines.erase(lines.begin()); // the run line
        EXPECT_EQ(lines, expected) << "trace mode " << traceMode;
    }
}

TEST_F(TraceFile, StopDropsLinesAndRestartWritesNoSecondHeader)
{
    Configure(m_Trace, CTraceCode::fcmNew, CTraceCode::bmTraceFile, CTraceCode::tmTraceAll);
    m_Trace.BugStartTrace();
    m_Trace.BugStopTrace();
    m_Trace.BugMessage(QStringLiteral("persa"));
    m_Trace.BugStartTrace();
    m_Trace.BugMessage(QStringLiteral("ripresa"));
    EXPECT_THAT(Lines(m_Path), ElementsAre(StartsWith("Effettuata"), "IxoSoft 1.0", "ripresa"));
}

// Immediate mode sends bare messages and no header; any other mode empties a new log and writes
// nowhere.
TEST_F(TraceFile, ImmediateAndUnknownModesWriteNoFile)
{
    for (const qint32 mode : {qint32(CTraceCode::bmTraceImmediate), qint32(5)}) {
        QFile::remove(m_Path);
        if (mode == 5)
            WriteOldLog();
        CTraceCode trace;
        Configure(trace, CTraceCode::fcmNew, mode, CTraceCode::tmTraceAll, true);
        ::testing::internal::CaptureStderr();
        trace.BugStartTrace();
        trace.BugMessage(QStringLiteral("uno"));
        trace.BugMessage(QStringLiteral("due"));
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), mode == 5 ? "" : "unodue");
        EXPECT_TRUE(Lines(m_Path).empty()) << mode;
    }
}

TEST_F(TraceFile, UnwritableLogDropsTheLineAndGoesOn)
{
    Configure(m_Trace, CTraceCode::fcmNew, CTraceCode::bmTraceFile, CTraceCode::tmTraceAll);
    m_Trace.SetBugFileName(m_Dir.filePath(QStringLiteral("missing/folder/IxoSoft.DBG")));
    EXPECT_NO_THROW(m_Trace.BugStartTrace());
    EXPECT_NO_THROW(m_Trace.BugMessage(QStringLiteral("persa")));
    m_Trace.SetBugFileName(m_Path);
    m_Trace.BugMessage(QStringLiteral("scritta"));
    EXPECT_THAT(Lines(m_Path), ElementsAre("scritta"));
}

TEST(TraceSwitches, AreFoundInAnyCaseAnywhereInTheLine)
{
    const std::pair<const char *, qint32> cases[] = {
        {"", 9},
        {"   ", 9},
        {"/DEBU", 9},
        {"-debug", 9},
        {"/debug", CTraceCode::tmTraceNormal},
        {"  file.ixo /Debug  ", CTraceCode::tmTraceNormal},
        {"/DEBUGGING", CTraceCode::tmTraceNormal},
        {"/debug_all", CTraceCode::tmTraceAll},
        {"x /Debug_All y", CTraceCode::tmTraceAll},
    };
    for (const auto &[commandLine, traceMode] : cases) {
        const bool recognised = traceMode != 9; // 9: every setting left as it was
        CTraceCode trace;
        trace.SetBugFileCreateMode(9);
        trace.SetBugMode(9);
        trace.SetBugTraceMode(9);
        EXPECT_EQ(trace.ProcessCommandLine(QString::fromLatin1(commandLine)), recognised) << commandLine;
        EXPECT_EQ(trace.BugTraceMode(), traceMode) << commandLine;
        EXPECT_EQ(trace.BugMode(), recognised ? qint32(CTraceCode::bmTraceFile) : 9) << commandLine;
        EXPECT_EQ(trace.BugFileCreateMode(), recognised ? qint32(CTraceCode::fcmNew) : 9) << commandLine;
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
    const std::vector<std::string> lines = UserLog();
    ExpectFullHeader(lines, "IxoSoft 2.3");
    EXPECT_THAT(std::vector<std::string>(lines.begin() + 15, lines.end()), ElementsAre("visibile"));
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
        const std::vector<std::string> lines = UserLog();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), "g_Trace.BugAssert fallito: " + text.toStdString());
    }
}
