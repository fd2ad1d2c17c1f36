#include "platform/ArchiveDatabase.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using Platform::CArchiveDatabase;

namespace {

const QString kSchema =
    QStringLiteral("-- the owner's 'notes'\n"
                   "CREATE TABLE T (IDProgramma INTEGER PRIMARY KEY, m_Text TEXT DEFAULT 'a;b');\n"
                   "INSERT INTO T (IDProgramma) VALUES (2);\n"
                   "PRAGMA user_version = 3;");

int Count(CArchiveDatabase &database)
{
    QSqlQuery *count = database.Prepared(QStringLiteral("SELECT count(*) FROM T"));
    EXPECT_TRUE(count && database.Exec(*count) && count->next());
    const int rows = count->value(0).toInt();
    count->finish();
    return rows;
}

QByteArray Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// An archive of several pages: rows of 300 characters, 4096-byte pages.
QString ArchiveOfPages(const QTemporaryDir &dir)
{
    const QString path = dir.filePath("whole.db");
    CArchiveDatabase database;
    EXPECT_EQ(database.Open(path, kSchema, 3), CArchiveDatabase::OpenResult::Created);
    EXPECT_TRUE(
        database.Exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 3 UNION ALL SELECT i + 1 FROM n "
                                     "WHERE i < 200) INSERT INTO T SELECT i, printf('%300d', i) FROM n")));
    return path;
}

} // namespace

TEST(ArchiveDatabase, SplitsAScriptOutsideQuotesAndComments)
{
    const QStringList statements = Platform::SplitSqlScript(kSchema);
    ASSERT_EQ(statements.size(), 3);
    EXPECT_TRUE(statements[0].startsWith("CREATE TABLE T") && statements[0].endsWith("DEFAULT 'a;b')"));
}

TEST(ArchiveDatabase, CreatesAMissingFileAndRefusesAnotherVersion)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.db");
    CArchiveDatabase database;
    EXPECT_EQ(database.Open(path, kSchema, 3), CArchiveDatabase::OpenResult::Created);
    EXPECT_EQ(Count(database), 1);
    database.Close();
    EXPECT_EQ(database.Open(path, kSchema, 3), CArchiveDatabase::OpenResult::Opened);
    database.Close();
    EXPECT_EQ(database.Open(path, kSchema, 4), CArchiveDatabase::OpenResult::WrongVersion);
    EXPECT_EQ(database.FileVersion(), 3);
    EXPECT_FALSE(database.IsOpen());

    // A schema that fails leaves no file behind, so the next start tries again.
    const QString broken = dir.filePath("b.db");
    EXPECT_EQ(database.Open(broken, kSchema + ";\nCREATE TABLE T (x)", 3),
              CArchiveDatabase::OpenResult::Failed);
    EXPECT_FALSE(database.LastError().isEmpty());
    EXPECT_FALSE(QFile::exists(broken));

    QFile garbage(dir.filePath("c.db"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    EXPECT_EQ(database.Open(garbage.fileName(), kSchema, 3), CArchiveDatabase::OpenResult::Damaged);
    EXPECT_EQ(Bytes(garbage.fileName()), QByteArray(4096, 'x'));
}

TEST(ArchiveDatabase, NestedSavepointsUndoOnlyTheirOwnLevel)
{
    QTemporaryDir dir;
    CArchiveDatabase database;
    ASSERT_EQ(database.Open(dir.filePath("a.db"), kSchema, 3), CArchiveDatabase::OpenResult::Created);
    ASSERT_TRUE(database.BeginSavepoint());
    ASSERT_TRUE(database.Exec(QStringLiteral("INSERT INTO T (IDProgramma) VALUES (3)")));
    ASSERT_TRUE(database.BeginSavepoint());
    ASSERT_TRUE(database.Exec(QStringLiteral("INSERT INTO T (IDProgramma) VALUES (4)")));
    EXPECT_TRUE(database.RollbackSavepoint());
    EXPECT_TRUE(database.ReleaseSavepoint());
    EXPECT_EQ(Count(database), 2);
    ASSERT_TRUE(database.BeginSavepoint());
    ASSERT_TRUE(database.Exec(QStringLiteral("DELETE FROM T")));
    EXPECT_TRUE(database.RollbackSavepoint());
    EXPECT_EQ(Count(database), 2);

    EXPECT_FALSE(database.Exec(QStringLiteral("INSERT INTO T (IDProgramma) VALUES (3)")));
    EXPECT_TRUE(database.LastError().contains("UNIQUE")) << database.LastError().toStdString();
    EXPECT_EQ(database.Prepared(QStringLiteral("SELECT nothing FROM nowhere")), nullptr);
}

// A damaged file is refused before anything could write to it: its bytes stay as they were.
TEST(ArchiveDatabase, RefusesADamagedFileAndLeavesItAsItWas)
{
    QTemporaryDir dir;
    const QByteArray whole = Bytes(ArchiveOfPages(dir));
    ASSERT_EQ(whole.size() % 4096, 0);
    ASSERT_GE(whole.size(), 5 * 4096);
    const qsizetype pages = whole.size() / 4096;
    QByteArray badPage = whole;
    badPage.replace(3 * 4096, 16, QByteArray(16, '\xff')); // a page header no page has
    const std::pair<const char *, QByteArray> damaged[] = {
        {"a few bytes short", whole.chopped(7)},
        {"a page short", whole.chopped(4096)},
        {"bytes after the last page", whole + QByteArray(100, '\0')},
        {"a page overwritten", badPage},
    };
    const QString path = dir.filePath("damaged.db");
    for (const auto &[what, bytes] : damaged) {
        WriteBytes(path, bytes);
        CArchiveDatabase database;
        EXPECT_EQ(database.Open(path, kSchema, 3), CArchiveDatabase::OpenResult::Damaged) << what;
        EXPECT_FALSE(database.IsOpen());
        EXPECT_FALSE(database.LastError().isEmpty()) << what;
        EXPECT_EQ(Bytes(path), bytes) << what;
    }
    WriteBytes(path, whole.chopped(7));
    CArchiveDatabase database;
    database.Open(path, kSchema, 3);
    EXPECT_EQ(database.LastError(), QStringLiteral("file di %1 byte invece di %2 (%3 pagine da 4096 byte)")
                                        .arg(whole.size() - 7)
                                        .arg(whole.size())
                                        .arg(pages));
}

// A write cut short by a crash leaves its journal: the archive opens at its last whole state.
TEST(ArchiveDatabase, AnInterruptedWriteIsRolledBackNotRefused)
{
    QTemporaryDir dir;
    const QString path = ArchiveOfPages(dir), copy = dir.filePath("crashed.db");
    CArchiveDatabase writer;
    ASSERT_EQ(writer.Open(path, kSchema, 3), CArchiveDatabase::OpenResult::Opened);
    ASSERT_TRUE(writer.Exec(QStringLiteral("PRAGMA cache_size = 2"))); // pages reach the file early
    ASSERT_TRUE(writer.BeginSavepoint());
    ASSERT_TRUE(writer.Exec(QStringLiteral("UPDATE T SET m_Text = 'changed'")));
    ASSERT_TRUE(QFile::exists(path + "-journal"));
    WriteBytes(copy, Bytes(path));
    WriteBytes(copy + "-journal", Bytes(path + "-journal"));
    writer.RollbackSavepoint();
    writer.Close();

    CArchiveDatabase database;
    ASSERT_EQ(database.Open(copy, kSchema, 3), CArchiveDatabase::OpenResult::Opened)
        << database.LastError().toStdString();
    QSqlQuery *changed = database.Prepared(QStringLiteral("SELECT count(*) FROM T WHERE m_Text = 'changed'"));
    ASSERT_TRUE(changed && database.Exec(*changed) && changed->next());
    EXPECT_EQ(changed->value(0).toInt(), 0);
    changed->finish();
    EXPECT_EQ(Count(database), 199);
}
