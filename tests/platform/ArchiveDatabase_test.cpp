#include "platform/ArchiveDatabase.h"
#include "platform/InstanceMarker.h"
#include "support/ArchiveLock.h"
#include "support/Files.h"
#include "support/ReadOnlyPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>

#include <cerrno>
#include <functional>
#include <optional>

#include <sys/wait.h>
#include <unistd.h>

using Platform::CArchiveDatabase;
using Result = CArchiveDatabase::OpenResult;
using Check = CArchiveDatabase::CheckState;

// A schema of two versions; the quotes and the ";" in the comment and in the default text must
// not split the script.
const QString kSchema =
    QStringLiteral("-- the owner's 'notes'\n"
                   "CREATE TABLE T (IDProgramma INTEGER PRIMARY KEY, m_Text TEXT DEFAULT 'a;b');\n"
                   "INSERT INTO T (IDProgramma) VALUES (2);\n"
                   "PRAGMA user_version = 3;\n"
                   "CREATE INDEX T_Text ON T (m_Text COLLATE NOCASE);\n"
                   "PRAGMA user_version = 4;");

// The number a statement answers; -1 when it fails.
static qint64 Number(CArchiveDatabase &database,
                     const QString &sql = QStringLiteral("SELECT count(*) FROM T"))
{
    qint64 number = -1;
    database.Exec(sql, {}, [&number](const auto &row) { number = row.Number(0); });
    return number;
}

// An archive of several pages: rows of 300 characters, 4096-byte pages.
static QString ArchiveOfPages(const QTemporaryDir &dir)
{
    const QString path = dir.filePath("whole.db");
    CArchiveDatabase database;
    EXPECT_EQ(database.Open(path, kSchema), Result::Created);
    EXPECT_TRUE(
        database.Exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 3 UNION ALL SELECT i + 1 FROM n "
                                     "WHERE i < 200) INSERT INTO T SELECT i, printf('%300d', i) FROM n")));
    return path;
}

// Another program that does `work` and ends at once, as a kill ends it, whatever work left open
// (so work keeps what it opens on the heap); whether work answered true.
static bool InAProgramKilledAfter(const std::function<bool()> &work)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(work() ? 0 : 1);
    int status = -1;
    waitpid(child, &status, 0);
    return status == 0;
}

// A program that has the archive open ends without closing it: its marker stays.
static bool AProgramEndsWithoutClosing(const QString &path)
{
    return InAProgramKilledAfter([&path] { return (new Platform::CInstanceMarker)->Place(path); });
}

TEST(ArchiveDatabase, CreatesAMissingFileRefusesAnotherVersionAndNestsSavepoints)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.db"), broken = dir.filePath("b.db");
    CArchiveDatabase database;
    EXPECT_EQ(database.Open(path, kSchema), Result::Created);
    EXPECT_EQ(std::tuple(Number(database), database.FileVersion(), database.Check()),
              std::tuple(1, 4, Check::Checked));
    EXPECT_TRUE(database.Exec(QStringLiteral("PRAGMA user_version = 5")));
    database.Close();
    EXPECT_EQ(database.Open(path, kSchema), Result::WrongVersion);
    EXPECT_EQ(std::pair(database.FileVersion(), database.IsOpen()), std::pair(5, false));
    // A schema that fails leaves no file behind, so the next start tries again.
    EXPECT_EQ(database.Open(broken, "CREATE TABLE T (x);\n" + kSchema), Result::Failed);
    EXPECT_FALSE(database.LastError().isEmpty() || QFile::exists(broken));
    EXPECT_EQ(database.Open(broken, kSchema + ";\nCREATE TABLE U (x)"), Result::Failed);

    // Nested savepoints undo only their own level.
    WriteFile(path, {});
    ASSERT_EQ(database.Open(path, kSchema), Result::Created);
    const QString insert = QStringLiteral("INSERT INTO T (IDProgramma) VALUES (%1)");
    EXPECT_TRUE(database.BeginSavepoint() && database.Exec(insert.arg(3)) && database.BeginSavepoint() &&
                database.Exec(insert.arg(4)) && database.RollbackSavepoint() && database.ReleaseSavepoint());
    EXPECT_EQ(Number(database), 2);
    EXPECT_TRUE(database.BeginSavepoint() && database.Exec(QStringLiteral("DELETE FROM T")) &&
                database.RollbackSavepoint());
    EXPECT_EQ(Number(database), 2);

    EXPECT_FALSE(database.Exec(insert.arg(3)));
    EXPECT_TRUE(database.LastError().contains("UNIQUE")) << database.LastError().toStdString();
    EXPECT_EQ(database.Prepared(QStringLiteral("SELECT nothing FROM nowhere")), nullptr);
}

// After a sign of trouble (here the marker of earlier versions) the whole file is checked before
// the opening returns. A damaged file opens for reading only, its damaged parts named, and
// stays byte for byte as it was; the next opening comes to the same answer. A file SQLite
// cannot read is refused.
TEST(ArchiveDatabase, ADamagedFileOpensForReadingOnlyAtEveryOpening)
{
    QTemporaryDir dir;
    const QString whole = ArchiveOfPages(dir), path = dir.filePath("damaged.db");
    const QByteArray bytes = ReadFile(whole);
    ASSERT_TRUE(bytes.size() % 4096 == 0 && bytes.size() >= 5 * 4096 && DamageTable(whole, "T"));
    // SQLite itself reads nothing of a file shorter than its header says by a page or more.
    const std::tuple<const char *, QByteArray, Result, QStringList> damaged[] = {
        {"a few bytes short", bytes.chopped(7), Result::Opened, {}},
        {"bytes after the last page", bytes + QByteArray(100, '\0'), Result::Opened, {}},
        {"a page of T overwritten", ReadFile(whole), Result::Opened, {"T"}},
        {"a page short", bytes.chopped(4096), Result::NotAnArchive, {}},
        {"not an archive", QByteArray(4096, 'x'), Result::NotAnArchive, {}},
    };
    for (const auto &[what, content, result, parts] : damaged) {
        ASSERT_TRUE(WriteFile(path, content) && WriteFile(path + "-open", {}));
        for (int opening = 0; opening < 2; ++opening) {
            CArchiveDatabase database;
            EXPECT_EQ(database.Open(path, kSchema), result) << what;
            if (result != Result::Opened)
                continue;
            EXPECT_EQ(database.Check(), Check::Failed) << what;
            EXPECT_TRUE(parts.isEmpty() || database.DamagedParts() == parts) << what;
            EXPECT_FALSE(database.Damage().isEmpty() || database.Exec(QStringLiteral("DELETE FROM T")))
                << what;
        }
        EXPECT_EQ(ReadFile(path), content) << what;
    }
}

// Without a sign of trouble the check runs beside the caller, a part at a time, and nothing
// can be written until it has passed; the schema of an older file is brought up to date only
// then, and never on a damaged file.
TEST(ArchiveDatabase, NothingIsWrittenBeforeTheCheckHasPassed)
{
    QTemporaryDir dir;
    const QString path = ArchiveOfPages(dir);
    {
        CArchiveDatabase older;
        ASSERT_EQ(older.Open(path, kSchema), Result::Opened);
        older.WaitForCheck();
        ASSERT_TRUE(older.Exec(QStringLiteral("DROP INDEX T_Text")) &&
                    older.Exec(QStringLiteral("PRAGMA user_version = 3")));
    }
    const QByteArray version3 = ReadFile(path);
    const QString index = QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'T_Text'");
    for (const bool damaged : {false, true}) {
        ASSERT_TRUE(WriteFile(path, version3) && (!damaged || DamageTable(path, "T")));
        const QByteArray before = ReadFile(path);
        CArchiveDatabase database;
        ASSERT_EQ(database.Open(path, kSchema), Result::Opened);
        EXPECT_EQ(std::tuple(database.Check(), database.FileVersion()), std::tuple(Check::Pending, 3));
        EXPECT_FALSE(database.Exec(QStringLiteral("DELETE FROM T WHERE IDProgramma = 3")));
        database.WaitForCheck();
        EXPECT_EQ(std::tuple(database.Check(), database.FileVersion(), Number(database, index)),
                  damaged ? std::tuple(Check::Failed, 3, qint64(0))
                          : std::tuple(Check::Checked, 4, qint64(1)));
        EXPECT_EQ(database.Exec(QStringLiteral("DELETE FROM T WHERE IDProgramma = 3")), !damaged);
        database.Close();
        EXPECT_EQ(ReadFile(path) == before, damaged);
    }
}

// The crash of any program that has the archive open, not only of the last to close it, makes
// the next opening check the file whole; a program's clean close removes only its own marker.
TEST(ArchiveDatabase, TheCrashOfAnyProgramOnTheArchiveIsSeenAtTheNextOpening)
{
    QTemporaryDir dir;
    const QString path = ArchiveOfPages(dir);
    CArchiveDatabase first, second, third;
    ASSERT_EQ(first.Open(path, kSchema), Result::Opened);
    ASSERT_EQ(second.Open(path, kSchema), Result::Opened);
    EXPECT_EQ(Markers(path).size(), 2);
    first.Close();
    EXPECT_EQ(Markers(path).size(), 1);
    ASSERT_EQ(third.Open(path, kSchema), Result::Opened);
    EXPECT_EQ(third.Check(), Check::Pending); // the second still runs
    third.Close();

    ASSERT_TRUE(AProgramEndsWithoutClosing(path));
    ASSERT_EQ(third.Open(path, kSchema), Result::Opened);
    EXPECT_EQ(third.Check(), Check::Checked);
    third.Close();
    second.Close();
    EXPECT_EQ(Markers(path), QStringList());
    ASSERT_EQ(third.Open(path, kSchema), Result::Opened);
    EXPECT_EQ(third.Check(), Check::Pending);
}

// Where the file system takes no lock, a marker is placed all the same, and no opening can tell a
// program that ended without closing the file from one still running: each checks it whole.
TEST(ArchiveDatabase, WhereMarkersTakeNoLockEveryOpeningChecksTheFileWhole)
{
    QTemporaryDir dir;
    const QString path = ArchiveOfPages(dir);
    Platform::CInstanceMarker::SetFileLock([](int, int) {
        errno = ENOLCK;
        return -1;
    });
    const auto locksBack = qScopeGuard([] { Platform::CInstanceMarker::SetFileLock(nullptr); });
    ASSERT_TRUE(AProgramEndsWithoutClosing(path));
    EXPECT_EQ(Markers(path).size(), 1);
    CArchiveDatabase database;
    for (const int leftBehind : {1, 0}) {
        ASSERT_EQ(database.Open(path, kSchema), Result::Opened);
        EXPECT_EQ(database.Check(), Check::Checked) << leftBehind; // during the opening
        EXPECT_EQ(Markers(path).size(), 1); // this program's, the one left behind removed
        database.Close();
        EXPECT_EQ(Markers(path), QStringList());
    }
}

// Another program holding the file's lock past the busy time-out keeps the check from reading
// it: nothing is decided, no change is let through, and nothing stays behind at the close for
// the next opening. The next wait checks the file again, and once the lock has gone it is whole.
TEST(ArchiveDatabase, AnotherProgramsLockLeavesTheCheckUndecidedNeverDamaged)
{
    QTemporaryDir dir;
    const QString path = ArchiveOfPages(dir);
    const ShortBusyTimeout shortWait;
    CArchiveDatabase database;
    for (const bool closeUndecided : {true, false}) {
        ASSERT_EQ(database.Open(path, kSchema), Result::Opened);
        {
            const AnotherProgramsWrite write(path);
            EXPECT_TRUE(database.WaitForCheck());
            EXPECT_EQ(database.Check(), Check::Undecided);
            EXPECT_TRUE(database.Damage().isEmpty() && database.DamagedParts().isEmpty());
            EXPECT_TRUE(database.WhyUndecided().contains("locked")) << database.WhyUndecided().toStdString();
        }
        EXPECT_FALSE(database.Exec(QStringLiteral("DELETE FROM T WHERE IDProgramma = 3")));
        if (closeUndecided) {
            database.Close();
            EXPECT_EQ(Markers(path), QStringList());
            continue;
        }
        EXPECT_TRUE(database.WaitForCheck());
        EXPECT_EQ(database.Check(), Check::Checked);
        EXPECT_TRUE(database.Exec(QStringLiteral("DELETE FROM T WHERE IDProgramma = 3")));
        EXPECT_EQ(Number(database), 198);
    }
}

// Another program reading the file refuses even the release of a level rolled back after a
// write: the rollback still ends the transaction, so the connection's next change reaches the file.
TEST(ArchiveDatabase, ARollbackWhileAnotherProgramReadsEndsTheTransaction)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("read.db"), insert = QStringLiteral("INSERT INTO T VALUES (%1, '')");
    const ShortBusyTimeout shortWait;
    CArchiveDatabase database;
    ASSERT_EQ(database.Open(path, kSchema), Result::Created);
    {
        const AnotherProgramsRead read(path);
        EXPECT_TRUE(database.BeginSavepoint() && database.Exec(insert.arg(3)) &&
                    database.RollbackSavepoint());
    }
    EXPECT_TRUE(database.BeginSavepoint() && database.Exec(insert.arg(4)) && database.ReleaseSavepoint());
    database.Close();
    ASSERT_EQ(database.Open(path, kSchema), Result::Opened);
    EXPECT_EQ(Number(database, QStringLiteral("SELECT group_concat(IDProgramma, '') FROM T")), 24);
}

// Another program ends in the middle of a write (its pages already in the file) before the check
// has read the file: this program's connection, though it refuses changes, rolls the journal
// back, and the file, read again whole, is whole with every row it had.
TEST(ArchiveDatabase, AWriteAnotherProgramLeftUnfinishedIsRolledBackBeforeTheCheck)
{
    QTemporaryDir dir;
    const QString path = ArchiveOfPages(dir);
    CArchiveDatabase database;
    ASSERT_EQ(database.Open(path, kSchema), Result::Opened);
    ASSERT_EQ(std::pair(database.Check(), Number(database)), std::pair(Check::Pending, qint64(199)));
    const QByteArray before = ReadFile(path);
    ASSERT_TRUE(InAProgramKilledAfter([&path] {
        auto *writer = new Platform::CArchiveConnection;
        return writer->Open(path, Platform::CArchiveConnection::EMode::ReadWrite) &&
               writer->ExecOnce(QStringLiteral("PRAGMA cache_size = 2")) &&
               writer->ExecOnce(QStringLiteral("BEGIN")) &&
               writer->ExecOnce(QStringLiteral("UPDATE T SET m_Text = 'changed'"));
    }));
    ASSERT_TRUE(QFile::exists(path + "-journal") && ReadFile(path) != before);
    EXPECT_TRUE(database.WaitForCheck());
    EXPECT_EQ(database.Check(), Check::Checked) << database.Damage().toStdString();
    EXPECT_FALSE(QFile::exists(path + "-journal"));
    EXPECT_TRUE(ReadFile(path) == before);
    EXPECT_EQ(Number(database, QStringLiteral("SELECT count(*) FROM T WHERE m_Text = 'changed'")), 0);
    EXPECT_EQ(Number(database), 199);
}

// The program closes while a change waits for the check, which another program's lock holds up:
// the wait ends at once and the check with it, nothing decided and nothing written.
TEST(ArchiveDatabase, ClosingTheProgramEndsAWaitForTheCheck)
{
    QTemporaryDir dir;
    const QString path = ArchiveOfPages(dir);
    const QByteArray before = ReadFile(path);
    CArchiveDatabase database;
    ASSERT_EQ(database.Open(path, kSchema), Result::Opened);
    std::optional<bool> checked;
    {
        const AnotherProgramsWrite write(path);
        // From the application's loop, as a command waits; the program is told to close meanwhile.
        QTimer::singleShot(0, qApp, [&] {
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            checked = database.WaitForCheck();
        });
        QCoreApplication::exec();
    }
    EXPECT_EQ(checked, false);
    EXPECT_FALSE(database.Checker().IsRunning());
    EXPECT_EQ(database.Check(), Check::Undecided);
    EXPECT_FALSE(database.Exec(QStringLiteral("DELETE FROM T")));
    database.Close();
    EXPECT_TRUE(ReadFile(path) == before);
    EXPECT_EQ(Markers(path), QStringList());
}

// A file or folder the program cannot write is known at the opening, with the system's reason.
TEST(ArchiveDatabase, AFileOrFolderThatCannotBeWrittenIsKnownAtTheOpening)
{
    QTemporaryDir dir;
    const QString path = ArchiveOfPages(dir);
    for (const auto &[readOnly, why] : {std::pair(path, CArchiveDatabase::ReadOnly::File),
                                        {dir.path(), CArchiveDatabase::ReadOnly::Folder}}) {
        const ReadOnlyPath locked(readOnly);
        if (!locked.Made())
            GTEST_SKIP() << "no read-only path here";
        CArchiveDatabase database;
        ASSERT_EQ(database.Open(path, kSchema), Result::Opened);
        EXPECT_EQ(database.WhyReadOnly(), why);
        EXPECT_FALSE(database.ReadOnlyReason().isEmpty());
        database.WaitForCheck();
        EXPECT_EQ(database.Check(), Check::Checked);
    }
}

// The archive and the journal of a write cut short by a crash, copied into a folder of their own.
static QString CrashedCopy(const QTemporaryDir &dir)
{
    const QString path = ArchiveOfPages(dir), copy = dir.filePath("crash/crashed.db");
    QDir().mkpath(dir.filePath("crash"));
    CArchiveDatabase writer;
    EXPECT_EQ(writer.Open(path, kSchema), Result::Opened);
    writer.WaitForCheck();
    EXPECT_TRUE(writer.Exec(QStringLiteral("PRAGMA cache_size = 2"))); // pages reach the file early
    EXPECT_TRUE(writer.BeginSavepoint() && writer.Exec(QStringLiteral("UPDATE T SET m_Text = 'changed'")));
    EXPECT_TRUE(QFile::exists(path + "-journal"));
    EXPECT_TRUE(WriteFile(copy, ReadFile(path)) && WriteFile(copy + "-journal", ReadFile(path + "-journal")));
    writer.RollbackSavepoint();
    return copy;
}

// Where the folder can be written, the journal takes the file back to its last whole state.
TEST(ArchiveDatabase, AnInterruptedWriteIsRolledBackNotRefused)
{
    QTemporaryDir dir;
    const QString copy = CrashedCopy(dir);
    CArchiveDatabase database;
    ASSERT_EQ(database.Open(copy, kSchema), Result::Opened) << database.LastError().toStdString();
    EXPECT_EQ(Number(database, QStringLiteral("SELECT count(*) FROM T WHERE m_Text = 'changed'")), 0);
    EXPECT_EQ(std::pair(Number(database), database.Check()), std::pair(qint64(199), Check::Checked));
    EXPECT_FALSE(QFile::exists(copy + "-journal"));
}

// Where it cannot, nothing touches the file or the journal: no connection is made.
TEST(ArchiveDatabase, AnInterruptedWriteInAFolderThatCannotBeWrittenIsLeftAsItWas)
{
    QTemporaryDir dir;
    const QString copy = CrashedCopy(dir);
    const QByteArray file = ReadFile(copy), journal = ReadFile(copy + "-journal");
    const ReadOnlyPath readOnly(dir.filePath("crash"));
    if (!readOnly.Made())
        GTEST_SKIP() << "no read-only folder here";
    CArchiveDatabase database;
    EXPECT_EQ(database.Open(copy, kSchema), Result::InterruptedWrite);
    EXPECT_TRUE(database.LastError().endsWith(copy + "-journal")) << database.LastError().toStdString();
    EXPECT_FALSE(database.IsOpen());
    EXPECT_EQ(std::pair(ReadFile(copy), ReadFile(copy + "-journal")), std::pair(file, journal));
}
