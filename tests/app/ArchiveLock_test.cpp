#include "App_fixture.h"
#include "app/widgets/FSplash.h"
#include "platform/SettingsStore.h"
#include "support/ArchiveLock.h"
#include "support/TraceCapture.h"

#include <QElapsedTimer>
#include <qpa/qwindowsysteminterface.h>

#include <memory>

namespace {

QString Busy()
{
    return LoadResStringArgs(841, {CArchive::DefaultFilePath()});
}

// Another program's lock met by a command: one box, under the command's heading, in words that
// say trying again will work; the window's timers go on meanwhile; the file stays as it was and
// the list as shown. Delete meets an exclusive lock before its question and a write lock only
// when it writes, after Yes.
struct CLockedCommand
{
    const char *Name;
    const char *Trigger;
    const char *Begin;
    const char *Command;
};

class LockedCommand : public AppTest, public ::testing::WithParamInterface<CLockedCommand>
{};

TEST_P(LockedCommand, IsToldBusyOnceWithTheWindowTurning)
{
    const CLockedCommand &param = GetParam();
    AddProgrammi({"Caldaia"});
    g_Connection->Close();
    // A lock's wait long enough for the window's timers to be seen going on.
    const BusyTimeout wait(200);
    Open();
    ASSERT_TRUE(g_Connection->WaitForCheck());
    const QByteArray before = ReadFile(CArchive::DefaultFilePath());
    MessageRecorder messages({QMessageBox::Yes, QMessageBox::Ok});
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&ticks] { ++ticks; });
    {
        const AnotherProgramsWrite write(CArchive::DefaultFilePath(), QLatin1String(param.Begin));
        tick.start(10);
        FileDialogUser noFile;
        Trigger(param.Trigger);
        EXPECT_TRUE(noFile.Shown.isEmpty());
    }
    const QString refusal = "3 " + LoadResStringArgs(820, {param.Command, "Caldaia", Busy()});
    QStringList lines = messages.Lines();
    if (!lines.isEmpty() && lines.first() == "1 " + LoadResString(795))
        lines.removeFirst();
    EXPECT_EQ(lines, QStringList{refusal});
    EXPECT_GE(ticks, 5);
    EXPECT_TRUE(ReadFile(CArchive::DefaultFilePath()) == before);
    EXPECT_EQ(Listed(), QStringList{"Caldaia"});
}

INSTANTIATE_TEST_SUITE_P(
    Commands, LockedCommand,
    ::testing::Values(CLockedCommand{"DeleteReadLocked", "DelProg", "BEGIN EXCLUSIVE", "Delete file"},
                      CLockedCommand{"DeleteWriteLocked", "DelProg", "BEGIN IMMEDIATE", "Delete file"},
                      CLockedCommand{"ExportReadLocked", "mnuExport", "BEGIN EXCLUSIVE", "Export file"},
                      CLockedCommand{"ModifyReadLocked", "EditProg", "BEGIN EXCLUSIVE", "Modify file"}),
    [](const auto &info) { return std::string(info.param.Name); });

// Another program holds the archive when the program starts: the start waits for it, then says
// once that it goes on waiting, in a box over the splash that closes by itself when the lock
// goes, and the program opens as usual; or the user ends the start from the box, with nothing
// more said.
TEST_F(AppTest, ALockAtTheStartIsWaitedForAndToldOnce)
{
    AddProgrammi({"Caldaia"});
    g_Connection->Close();
    const ShortBusyTimeout shortWait;
    for (const bool userQuits : {false, true}) {
        auto write = std::make_unique<AnotherProgramsWrite>(CArchive::DefaultFilePath());
        QList<CMessage> shown;
        bool freedWhileLocked = true;
        bool overSplash = false;
        SetMessageBox([&](QWidget *parent, const CMessage &message) {
            shown << message;
            overSplash = qobject_cast<FSplash *>(parent) != nullptr && parent->isVisible();
            if (!message.ClosesWhen)
                return QMessageBox::Ok;
            freedWhileLocked = message.ClosesWhen();
            if (userQuits)
                return QMessageBox::Cancel;
            write.reset();
            while (!message.ClosesWhen())
                QTest::qWait(10);
            return QMessageBox::NoButton;
        });
        window = StartUp(0);
        ASSERT_EQ(shown.size(), 1);
        EXPECT_EQ(shown[0].Text, LoadResStringArgs(842, {CArchive::DefaultFilePath()}));
        EXPECT_EQ(shown[0].Buttons, QMessageBox::Cancel);
        EXPECT_TRUE(overSplash);
        EXPECT_FALSE(freedWhileLocked);
        if (userQuits) {
            EXPECT_EQ(window, nullptr);
            EXPECT_FALSE(g_Connection->IsOpen());
            continue;
        }
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(Listed(), QStringList{"Caldaia"});
        window.reset();
        g_Connection->Close();
    }
}

// The window manager closes the window while Delete waits for the check, which another program's
// lock holds up: the wait ends at once, Delete is refused without a word, nothing is written or
// read again, the placement is stored and the program's loop ends.
TEST_F(AppTest, TheWindowManagersCloseEndsACommandWaitingForTheCheck)
{
    AddProgrammi({"Caldaia"});
    g_Connection->Close();
    window = StartUp(0);
    ASSERT_TRUE(window && g_Connection->CheckPending());
    const QStringList rows = Dump();
    const TraceCapture trace;
    QElapsedTimer clock;
    {
        const AnotherProgramsWrite write(CArchive::DefaultFilePath());
        QTimer::singleShot(0, window.get(), [&] {
            QTimer::singleShot(50, window.get(), [&] { CloseAsTheWindowManagerDoes(*window); });
            clock.start();
            Trigger("DelProg");
        });
        QApplication::exec();
    }
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_TRUE(m_Messages.Shown().isEmpty());
    EXPECT_FALSE(window->isVisible());
    EXPECT_NE(Platform::ReadSetting("Settings", "MainWidth", "-"), "-");
    EXPECT_TRUE(trace.Lines().filter("Lista delle configurazioni").isEmpty());
    EXPECT_EQ(Dump(), rows);
}

} // namespace
