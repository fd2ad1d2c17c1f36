#include "common/TraceCode.h"
#include "platform/UserPaths.h"
#include "support/TempUserDirs.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

namespace {

const QStringList kSystemLabels =
    QStringLiteral("Memoria fisica libera: |Memoria fisica disponibile: |Memoria virtuale libera: |"
                   "Memoria virtuale disponibile: |Memoria caricata: |Processore: |Nome sistema operativo: |"
                   "Windows Version: |Windows Directory: |System Directory: |Nome utente: |Nome macchina: ")
        .split(QLatin1Char('|'));

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<std::string> Lines(const QString &path)
{
    std::vector<std::string> lines;
    const QByteArray content = ReadAll(path);
    for (const QByteArray &line : content.split('\n')) {
        if (line.isEmpty())
            continue; // the piece after the last line end
        EXPECT_TRUE(line.endsWith('\r')) << "line without CR LF: " << line.toStdString();
        lines.push_back(line.chopped(1).toStdString());
    }
    return lines;
}

// The run line, then the twelve system facts, the blank line that ends the block, the
// version text.
void ExpectFullHeader(const std::vector<std::string> &lines, const std::string &version)
{
    ASSERT_GE(lines.size(), 15u);
    EXPECT_TRUE(QRegularExpression(R"(^Effettuata nuova esecuzione: \d\d-\d\d-\d\d \d\d:\d\d:\d\d$)")
                    .match(QString::fromStdString(lines[0]))
                    .hasMatch())
        << lines[0];
    for (int i = 0; i < kSystemLabels.size(); ++i)
        EXPECT_THAT(lines[1 + i], StartsWith(kSystemLabels[i].toStdString()));
    EXPECT_EQ(lines[13], "");
    EXPECT_EQ(lines[14], version);
}

class TraceFile : public ::testing::Test
{
protected:
    void Configure(qint32 createMode, qint32 mode, qint32 traceMode)
    {
        m_Trace.SetBugFileName(m_Path);
        m_Trace.SetBugFileCreateMode(createMode);
        m_Trace.SetBugMode(mode);
        m_Trace.SetBugTraceMode(traceMode);
        m_Trace.SetBugProgramVersion(QStringLiteral("IxoSoft 1.0"));
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

// Which header a started trace writes, by create mode and whether a log is already there.
struct HeaderCase
{
    qint32 createMode;
    bool logExists;
    bool fullHeader;
};

class TraceHeader : public TraceFile, public ::testing::WithParamInterface<HeaderCase>
{};

TEST_P(TraceHeader, FollowsCreateMode)
{
    const HeaderCase c = GetParam();
    if (c.logExists)
        WriteOldLog();
    Configure(c.createMode, CTraceCode::bmTraceFile, CTraceCode::tmTraceAll);
    m_Trace.BugStartTrace();

    std::vector<std::string> lines = Lines(m_Path);
    ASSERT_FALSE(lines.empty());
    if (c.logExists && c.createMode != CTraceCode::fcmNew) {
        EXPECT_EQ(lines.front(), "old line");
        lines.erase(lines.begin());
    }
    if (c.fullHeader) {
        ExpectFullHeader(lines, "IxoSoft 1.0");
    } else {
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_THAT(lines[0], StartsWith("Effettuata nuova esecuzione: "));
    }
}

INSTANTIATE_TEST_SUITE_P(CreateModes, TraceHeader,
                         ::testing::Values(HeaderCase{CTraceCode::fcmNew, true, true},
                                           HeaderCase{CTraceCode::fcmNew, false, true},
                                           HeaderCase{CTraceCode::fcmAppend, true, false},
                                           HeaderCase{CTraceCode::fcmAppend, false, true},
                                           HeaderCase{7, true, false}, HeaderCase{7, false, false}));

// What reaches the log (UTF-8) by trace mode: nothing at all, everything but a disabled
// stretch, or everything.
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
        trace.SetBugFileName(m_Path);
        trace.SetBugMode(CTraceCode::bmTraceFile);
        trace.SetBugTraceMode(traceMode);
        trace.SetBugIdentifySystem(false);
        trace.SetBugProgramVersion(QStringLiteral("IxoSoft 1.0"));
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
    Configure(CTraceCode::fcmNew, CTraceCode::bmTraceFile, CTraceCode::tmTraceAll);
    m_Trace.SetBugIdentifySystem(false);
    m_Trace.BugStartTrace();
    m_Trace.BugStopTrace();
    m_Trace.BugMessage(QStringLiteral("persa"));
    m_Trace.BugStartTrace();
    m_Trace.BugMessage(QStringLiteral("ripresa"));
    const std::vector<std::string> lines = Lines(m_Path);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "IxoSoft 1.0");
    EXPECT_EQ(lines[2], "ripresa");
}

TEST_F(TraceFile, ImmediateModeSendsBareMessagesAndNoHeader)
{
    Configure(CTraceCode::fcmNew, CTraceCode::bmTraceImmediate, CTraceCode::tmTraceAll);
    ::testing::internal::CaptureStderr();
    m_Trace.BugStartTrace();
    m_Trace.BugMessage(QStringLiteral("uno"));
    m_Trace.BugMessage(QStringLiteral("due"));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "unodue");
    EXPECT_FALSE(QFile::exists(m_Path));
}

TEST_F(TraceFile, OtherModeEmptiesANewLogButWritesNowhere)
{
    WriteOldLog();
    Configure(CTraceCode::fcmNew, 5, CTraceCode::tmTraceAll);
    ::testing::internal::CaptureStderr();
    m_Trace.BugStartTrace();
    m_Trace.BugMessage(QStringLiteral("riga"));
    EXPECT_THAT(::testing::internal::GetCapturedStderr(), IsEmpty());
    EXPECT_TRUE(QFile::exists(m_Path));
    EXPECT_TRUE(ReadAll(m_Path).isEmpty());
}

TEST_F(TraceFile, UnwritableLogDropsTheLineAndGoesOn)
{
    Configure(CTraceCode::fcmNew, CTraceCode::bmTraceFile, CTraceCode::tmTraceAll);
    m_Trace.SetBugIdentifySystem(false);
    m_Trace.SetBugFileName(m_Dir.filePath(QStringLiteral("missing/folder/IxoSoft.DBG")));
    EXPECT_NO_THROW(m_Trace.BugStartTrace());
    EXPECT_NO_THROW(m_Trace.BugMessage(QStringLiteral("persa")));
    m_Trace.SetBugFileName(m_Path);
    m_Trace.BugMessage(QStringLiteral("scritta"));
    EXPECT_THAT(Lines(m_Path), ElementsAre("scritta"));
}

struct SwitchCase
{
    const char *commandLine;
    bool recognised;
    qint32 traceMode;
};

TEST(TraceSwitches, AreFoundInAnyCaseAnywhereInTheLine)
{
    const SwitchCase cases[] = {
        {"", false, 0},
        {"   ", false, 0},
        {"/DEBU", false, 0},
        {"-debug", false, 0},
        {"/debug", true, CTraceCode::tmTraceNormal},
        {"  file.ixo /Debug  ", true, CTraceCode::tmTraceNormal},
        {"/DEBUGGING", true, CTraceCode::tmTraceNormal},
        {"/debug_all", true, CTraceCode::tmTraceAll},
        {"x /Debug_All y", true, CTraceCode::tmTraceAll},
    };
    for (const SwitchCase &c : cases) {
        CTraceCode trace;
        trace.SetBugFileCreateMode(9);
        trace.SetBugMode(9);
        trace.SetBugTraceMode(9);
        EXPECT_EQ(trace.ProcessCommandLine(QString::fromLatin1(c.commandLine)), c.recognised)
            << c.commandLine;
        EXPECT_EQ(trace.BugTraceMode(), c.recognised ? c.traceMode : 9) << c.commandLine;
        EXPECT_EQ(trace.BugMode(), c.recognised ? qint32(CTraceCode::bmTraceFile) : 9) << c.commandLine;
        EXPECT_EQ(trace.BugFileCreateMode(), c.recognised ? qint32(CTraceCode::fcmNew) : 9) << c.commandLine;
    }
}

// The process-wide log is configured once per run, so each start-up runs in a child process
// of its own; the log lands in this test's temporary data folder.
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
    const std::vector<std::string> lines = Lines(Platform::UserDataFile(QStringLiteral("IxoSoft.DBG")));
    ExpectFullHeader(lines, "IxoSoft 2.3");
    EXPECT_THAT(std::vector<std::string>(lines.begin() + 15, lines.end()), ElementsAre("visibile"));
}

TEST(BugAssert, EmptyTextLogsAndEndsTheProgramWithoutAMessage)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    TempUserDirs dirs;
    EXPECT_EXIT(
        {
            InitTrace(QStringLiteral("IxoSoft"), QStringLiteral("/DEBUG"));
            g_Trace->BugAssert(true, QStringLiteral("mai"));
            g_Trace->BugAssert(false, QString());
            g_Trace->BugMessage(QStringLiteral("dopo"));
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(EXIT_FAILURE), "");
    const std::vector<std::string> lines = Lines(Platform::UserDataFile(QStringLiteral("IxoSoft.DBG")));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "g_Trace.BugAssert fallito: ");
}

TEST(BugAssert, TextGoesToTheNotifierBeforeTheProgramEnds)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    TempUserDirs dirs;
    EXPECT_EXIT(
        {
            InitTrace(QStringLiteral("IxoSoft"), QStringLiteral("/DEBUG"));
            CTraceCode::SetAssertNotifier([](const QString &text) {
                std::fprintf(stderr, "box: %s\n", text.toUtf8().constData());
                throw std::runtime_error("the box failed");
            });
            g_Trace->BugAssert(false, QStringLiteral("Si possono gestire al max 31 item."));
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(EXIT_FAILURE), "box: Si possono gestire al max 31 item\\.");
    const std::vector<std::string> lines = Lines(Platform::UserDataFile(QStringLiteral("IxoSoft.DBG")));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "g_Trace.BugAssert fallito: Si possono gestire al max 31 item.");
}
