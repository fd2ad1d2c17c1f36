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
    EXPECT_EQ(database.Open(garbage.fileName(), kSchema, 3), CArchiveDatabase::OpenResult::Failed);
    EXPECT_EQ(garbage.size(), 4096);
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
