#include "platform/ArchiveDatabase.h"
#include "support/Files.h"
#include "support/ReadOnlyPath.h"

#include <QDir>
#include <QTemporaryDir>

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
static int Number(CArchiveDatabase &database, const QString &sql = QStringLiteral("SELECT count(*) FROM T"))
{
    QSqlQuery *query = database.Prepared(sql);
    if (!query || !database.Exec(*query) || !query->next())
        return -1;
    const int number = query->value(0).toInt();
    query->finish();
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

// A damaged file is refused before anything could write to it: its bytes stay as they were. A
// page overwritten inside is found at the opening after a run that did not close the file.
TEST(ArchiveDatabase, RefusesADamagedFileAndLeavesItAsItWas)
{
    QTemporaryDir dir;
    const QByteArray whole = ReadFile(ArchiveOfPages(dir));
    ASSERT_TRUE(whole.size() % 4096 == 0 && whole.size() >= 5 * 4096);
    QByteArray badPage = whole;
    badPage.replace(3 * 4096, 16, QByteArray(16, '\xff')); // a page header no page has
    const std::tuple<const char *, QByteArray, QString> damaged[] = {
        {"a few bytes short", whole.chopped(7),
         QStringLiteral("file di %1 byte invece di %2 (%3 pagine da 4096 byte)")
             .arg(whole.size() - 7)
             .arg(whole.size())
             .arg(whole.size() / 4096)},
        {"a page short", whole.chopped(4096), {}},
        {"bytes after the last page", whole + QByteArray(100, '\0'), {}},
        {"a page overwritten, the last run not ended", badPage, {}},
        {"not an archive", QByteArray(4096, 'x'), {}},
    };
    const QString path = dir.filePath("damaged.db");
    for (const auto &[what, bytes, reason] : damaged) {
        ASSERT_TRUE(WriteFile(path, bytes) && WriteFile(path + "-open", {}));
        CArchiveDatabase database;
        EXPECT_EQ(database.Open(path, kSchema), Result::Damaged) << what;
        EXPECT_FALSE(database.IsOpen() || database.LastError().isEmpty()) << what;
        EXPECT_TRUE(reason.isEmpty() || database.LastError() == reason) << database.LastError().toStdString();
        EXPECT_EQ(ReadFile(path), bytes) << what;
    }
}

// Without a sign of trouble the whole-file check waits for the caller, a part a call. A part
// found damaged stops every write and leaves the marker, so the next opening refuses the file.
TEST(ArchiveDatabase, ChecksTheFileInPartsAfterTheOpening)
{
    QTemporaryDir dir;
    const QString path = ArchiveOfPages(dir);
    QByteArray bytes = ReadFile(path);
    CArchiveDatabase database;
    ASSERT_EQ(database.Open(path, kSchema), Result::Opened);
    EXPECT_EQ(database.Check(), Check::Pending);
    int parts = 1;
    while (database.CheckNextPart())
        ++parts;
    EXPECT_EQ(std::pair(parts, database.Check()),
              std::pair(2, Check::Checked)); // the schema, T with its index
    database.Close();
    EXPECT_FALSE(QFile::exists(path + "-open"));

    bytes.replace(3 * 4096, 16, QByteArray(16, '\xff'));
    ASSERT_TRUE(WriteFile(path, bytes));
    ASSERT_EQ(database.Open(path, kSchema), Result::Opened);
    EXPECT_EQ(Number(database, "SELECT count(*) FROM sqlite_master"), 2);
    while (database.CheckNextPart()) {
    }
    EXPECT_EQ(database.Check(), Check::Failed);
    EXPECT_FALSE(database.LastError().isEmpty());
    database.Close();
    EXPECT_EQ(ReadFile(path), bytes);
    EXPECT_EQ(database.Open(path, kSchema), Result::Damaged);
    EXPECT_EQ(ReadFile(path), bytes);
}

// The archive and the journal of a write cut short by a crash, copied into a folder of their own.
static QString CrashedCopy(const QTemporaryDir &dir)
{
    const QString path = ArchiveOfPages(dir), copy = dir.filePath("crash/crashed.db");
    QDir().mkpath(dir.filePath("crash"));
    CArchiveDatabase writer;
    EXPECT_EQ(writer.Open(path, kSchema), Result::Opened);
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
    EXPECT_EQ(std::pair(Number(database), database.Check()), std::pair(199, Check::Checked));
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
