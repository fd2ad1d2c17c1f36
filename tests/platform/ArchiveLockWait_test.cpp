#include "platform/ArchiveDatabase.h"
#include "support/ArchiveLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

using Platform::CArchiveConnection;
using Platform::CArchiveDatabase;
using Check = CArchiveDatabase::CheckState;

namespace {

const QString kSchema = QStringLiteral("CREATE TABLE T (IDProgramma INTEGER PRIMARY KEY, m_Text TEXT);\n"
                                       "INSERT INTO T VALUES (2, 'due');\n"
                                       "PRAGMA user_version = 1;");

class ArchiveLockWait : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_Path = m_Dir.filePath("archive.db");
        CArchiveDatabase created;
        ASSERT_EQ(created.Open(m_Path, kSchema), CArchiveDatabase::OpenResult::Created);
    }
    // The file opened as the window opens it, its check waited for.
    void OpenChecked()
    {
        ASSERT_EQ(m_Database.Open(m_Path, kSchema), CArchiveDatabase::OpenResult::Opened);
        ASSERT_TRUE(m_Database.WaitForCheck());
        ASSERT_EQ(m_Database.Check(), Check::Checked);
    }

    QTemporaryDir m_Dir;
    QString m_Path;
    CArchiveDatabase m_Database;
};

// A statement that meets another program's lock waits for it on the window's thread with the
// event loop turning: timers go on meanwhile. It ends busy once the busy time-out passes, and
// goes through as soon as the lock goes within it. Without a lock a probe says the file is free.
TEST_F(ArchiveLockWait, AStatementWaitsForALockWithTheLoopTurning)
{
    const BusyTimeout wait(400);
    OpenChecked();
    EXPECT_FALSE(CArchiveDatabase::HeldByAnotherProgram(m_Path));
    for (const bool lockGoes : {false, true}) {
        auto write = std::make_unique<AnotherProgramsWrite>(m_Path);
        EXPECT_TRUE(CArchiveDatabase::HeldByAnotherProgram(m_Path));
        int ticks = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            if (++ticks == 5 && lockGoes)
                write.reset();
        });
        tick.start(10);
        const bool ran = m_Database.Exec(QStringLiteral("UPDATE T SET m_Text = 'tre' WHERE IDProgramma = 2"));
        EXPECT_EQ(ran, lockGoes) << m_Database.LastError().toStdString();
        EXPECT_TRUE(ran || m_Database.LastFoundBusy());
        EXPECT_GE(ticks, 5);
    }
}

// The program's close ends a statement's wait for a lock at once, told as interrupted rather
// than busy, however long the busy time-out.
TEST_F(ArchiveLockWait, TheProgramsCloseEndsAStatementsWait)
{
    const BusyTimeout wait(60000);
    OpenChecked();
    const AnotherProgramsWrite write(m_Path);
    std::optional<bool> ran;
    QElapsedTimer clock;
    QTimer::singleShot(0, qApp, [&] {
        QTimer::singleShot(30, qApp, &QCoreApplication::quit);
        clock.start();
        ran = m_Database.Exec(QStringLiteral("SELECT count(*) FROM T"));
    });
    QCoreApplication::exec();
    EXPECT_EQ(ran, false);
    EXPECT_TRUE(m_Database.LastInterrupted() && !m_Database.LastFoundBusy());
    EXPECT_LT(clock.elapsed(), 30000);
}

// A check that cannot open the file for another reason than a lock (renamed away under the
// running program) is no lock to wait out: it is told unreadable with the system's reason, and
// the next wait checks the file again, whole once it is back.
TEST_F(ArchiveLockWait, ACheckThatCannotOpenTheFileIsUnreadableAndTriedAgain)
{
    ASSERT_EQ(m_Database.Open(m_Path, kSchema), CArchiveDatabase::OpenResult::Opened);
    const QString away = m_Dir.filePath("renamed.db");
    ASSERT_TRUE(QFile::rename(m_Path, away));
    EXPECT_TRUE(m_Database.WaitForCheck());
    EXPECT_EQ(m_Database.Check(), Check::Unreadable);
    EXPECT_EQ(m_Database.UnreadableReason(), qt_error_string(ENOENT));
    EXPECT_FALSE(m_Database.Exec(QStringLiteral("DELETE FROM T")));
    ASSERT_TRUE(QFile::rename(away, m_Path));
    EXPECT_TRUE(m_Database.WaitForCheck());
    EXPECT_EQ(m_Database.Check(), Check::Checked);
}

// The opening meets another program's lock: it waits with the loop turning and fails busy, so
// that the caller can wait for the lock to go instead of taking the file for unreadable.
TEST_F(ArchiveLockWait, AnOpeningUnderALockFailsBusy)
{
    const BusyTimeout wait(100);
    const AnotherProgramsWrite write(m_Path);
    EXPECT_EQ(m_Database.Open(m_Path, kSchema), CArchiveDatabase::OpenResult::Failed);
    EXPECT_TRUE(m_Database.LastFoundBusy()) << m_Database.LastError().toStdString();
}

} // namespace
