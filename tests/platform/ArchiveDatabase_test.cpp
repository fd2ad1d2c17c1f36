#include "platform/ArchiveDatabase.h"
#include "support/Files.h"

#include <QTemporaryDir>

using Platform::CArchiveDatabase;
using Result = CArchiveDatabase::OpenResult;

// The quotes and the ";" in the comment and in the default text must not split the script.
const QString kSchema =
    QStringLiteral("-- the owner's 'notes'\n"
                   "CREATE TABLE T (IDProgramma INTEGER PRIMARY KEY, m_Text TEXT DEFAULT 'a;b');\n"
                   "INSERT INTO T (IDProgramma) VALUES (2);\n"
                   "PRAGMA user_version = 3;");

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
    EXPECT_EQ(database.Open(path, kSchema, 3), Result::Created);
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
    EXPECT_EQ(database.Open(path, kSchema, 3), Result::Created);
    EXPECT_EQ(Number(database), 1);
    database.Close();
    EXPECT_EQ(database.Open(path, kSchema, 4), Result::WrongVersion);
    EXPECT_EQ(std::pair(database.FileVersion(), database.IsOpen()), std::pair(3, false));
    // A schema that fails leaves no file behind, so the next start tries again.
    EXPECT_EQ(database.Open(broken, kSchema + ";\nCREATE TABLE T (x)", 3), Result::Failed);
    EXPECT_FALSE(database.LastError().isEmpty() || QFile::exists(broken));

    // Nested savepoints undo only their own level.
    ASSERT_EQ(database.Open(path, kSchema, 3), Result::Opened);
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

// A damaged file is refused before anything could write to it: its bytes stay as they were.
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
        {"a page overwritten", badPage, {}},
        {"not an archive", QByteArray(4096, 'x'), {}},
    };
    const QString path = dir.filePath("damaged.db");
    for (const auto &[what, bytes, reason] : damaged) {
        ASSERT_TRUE(WriteFile(path, bytes));
        CArchiveDatabase database;
        EXPECT_EQ(database.Open(path, kSchema, 3), Result::Damaged) << what;
        EXPECT_FALSE(database.IsOpen() || database.LastError().isEmpty()) << what;
        EXPECT_TRUE(reason.isEmpty() || database.LastError() == reason) << database.LastError().toStdString();
        EXPECT_EQ(ReadFile(path), bytes) << what;
    }
}

// A write cut short by a crash leaves its journal: the archive opens at its last whole state.
TEST(ArchiveDatabase, AnInterruptedWriteIsRolledBackNotRefused)
{
    QTemporaryDir dir;
    const QString path = ArchiveOfPages(dir), copy = dir.filePath("crashed.db");
    CArchiveDatabase writer, database;
    ASSERT_EQ(writer.Open(path, kSchema, 3), Result::Opened);
    ASSERT_TRUE(writer.Exec(QStringLiteral("PRAGMA cache_size = 2"))); // pages reach the file early
    ASSERT_TRUE(writer.BeginSavepoint() && writer.Exec(QStringLiteral("UPDATE T SET m_Text = 'changed'")));
    ASSERT_TRUE(QFile::exists(path + "-journal"));
    ASSERT_TRUE(WriteFile(copy, ReadFile(path)) && WriteFile(copy + "-journal", ReadFile(path + "-journal")));
    writer.RollbackSavepoint();
    writer.Close();

    ASSERT_EQ(database.Open(copy, kSchema, 3), Result::Opened) << database.LastError().toStdString();
    EXPECT_EQ(Number(database, QStringLiteral("SELECT count(*) FROM T WHERE m_Text = 'changed'")), 0);
    EXPECT_EQ(Number(database), 199);
}
