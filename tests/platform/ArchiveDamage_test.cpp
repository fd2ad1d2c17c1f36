#include "platform/ArchiveDatabase.h"
#include "support/ArchiveLock.h"
#include "support/Files.h"

#include <QTemporaryDir>

using Platform::CArchiveConnection;
using Platform::CArchiveDatabase;
using Check = CArchiveDatabase::CheckState;

namespace {

// A table with an index of its names and a view over it, as the archive keeps its list, and a
// table of its own that nothing damages.
const QString kSchema = QStringLiteral("CREATE TABLE T (IDProgramma INTEGER PRIMARY KEY, m_Text TEXT);\n"
                                       "CREATE INDEX T_Text ON T (m_Text COLLATE NOCASE);\n"
                                       "CREATE VIEW V AS SELECT IDProgramma, m_Text FROM T;\n"
                                       "CREATE TABLE U (IDProgramma INTEGER PRIMARY KEY);\n"
                                       "PRAGMA user_version = 1;");

// A file of several pages (rows of 300 characters in T), opened again in `database` and checked
// whole, so that the connection holds none of T's pages yet.
QString CheckedArchive(const QTemporaryDir &dir, CArchiveDatabase &database)
{
    const QString path = dir.filePath("archive.db");
    EXPECT_EQ(database.Open(path, kSchema), CArchiveDatabase::OpenResult::Created);
    EXPECT_TRUE(
        database.Exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 3 UNION ALL SELECT i + 1 FROM n "
                                     "WHERE i < 200) INSERT INTO T SELECT i, printf('%300d', i) FROM n")));
    database.Close();
    EXPECT_EQ(database.Open(path, kSchema), CArchiveDatabase::OpenResult::Opened);
    EXPECT_TRUE(database.WaitForCheck());
    EXPECT_EQ(database.Check(), Check::Checked);
    return path;
}

// Whether another program can take the file's write lock now: it cannot while this program's
// connection stays inside a transaction.
bool AnotherProgramCanWrite(const QString &path)
{
    const ShortBusyTimeout shortWait;
    CArchiveConnection other;
    return other.Open(path, CArchiveConnection::EMode::ReadWrite) &&
           other.ExecOnce(QStringLiteral("BEGIN EXCLUSIVE")) && other.ExecOnce(QStringLiteral("ROLLBACK"));
}

struct CMetCase
{
    const char *what, *damaged, *sql;
    bool inSavepoint; // after a change of its own in U
    // What is named: the table, or its index alone when every row of the table still reads.
    const char *named = "T";
};
void PrintTo(const CMetCase &c, std::ostream *os)
{
    *os << c.what;
}
class DamageMetByAStatement : public ::testing::TestWithParam<CMetCase>
{};

// The disk fails under the running program after the check has passed: the first statement that
// meets the damage, a read or a write, makes the file read-only at once, with the table it
// reaches (through a view or an index too) named. Nothing more is written, no transaction stays
// open, and the marker stays, so every later opening checks the file whole and says the same.
TEST_P(DamageMetByAStatement, MakesTheFileReadOnlyAndIsFoundAgainAtEveryOpening)
{
    const CMetCase &c = GetParam();
    QTemporaryDir dir;
    CArchiveDatabase database;
    const QString path = CheckedArchive(dir, database);
    const QByteArray whole = ReadFile(path);
    ASSERT_TRUE(DamageTable(path, c.damaged));
    const QByteArray damaged = ReadFile(path);
    ASSERT_NE(damaged, whole);
    if (c.inSavepoint) {
        ASSERT_TRUE(database.BeginSavepoint() && database.Exec(QStringLiteral("INSERT INTO U VALUES (7)")));
    }

    EXPECT_FALSE(database.Exec(QString::fromLatin1(c.sql)));
    EXPECT_TRUE(database.LastFoundDamage()) << database.LastError().toStdString();
    EXPECT_EQ(database.Check(), Check::Failed);
    EXPECT_EQ(database.DamagedParts(), QStringList{c.named});
    if (c.inSavepoint)
        database.RollbackSavepoint();
    EXPECT_FALSE(database.Exec(QStringLiteral("INSERT INTO U VALUES (8)")));
    EXPECT_TRUE(database.WaitForCheck());
    EXPECT_EQ(database.Check(), Check::Failed);
    EXPECT_TRUE(AnotherProgramCanWrite(path));
    database.Close();
    EXPECT_EQ(ReadFile(path), damaged);

    for (int opening = 0; opening < 3; ++opening) {
        EXPECT_EQ(Markers(path).size(), 1) << opening;
        ASSERT_EQ(database.Open(path, kSchema), CArchiveDatabase::OpenResult::Opened);
        EXPECT_EQ(database.Check(), Check::Failed) << opening; // during the opening
        EXPECT_EQ(database.DamagedParts(), QStringList{c.named}) << opening;
        EXPECT_EQ(Markers(path).size(), 1) << opening; // this program's only
        database.Close();
    }
    EXPECT_EQ(ReadFile(path), damaged);
}

INSTANTIATE_TEST_SUITE_P(
    Statements, DamageMetByAStatement,
    ::testing::Values(CMetCase{"ARead", "T", "SELECT m_Text FROM T WHERE IDProgramma = 150", false},
                      CMetCase{"AReadThroughAView", "T", "SELECT m_Text FROM V WHERE IDProgramma = 150",
                               false},
                      CMetCase{"AReadThroughAnIndex", "T_Text",
                               "SELECT IDProgramma FROM T ORDER BY m_Text COLLATE NOCASE", false, "T_Text"},
                      CMetCase{"AWrite", "T", "UPDATE T SET m_Text = 'x' WHERE IDProgramma = 150", false},
                      CMetCase{"AWriteAfterAChange", "T", "DELETE FROM T WHERE IDProgramma = 150", true}),
    [](const ::testing::TestParamInfo<CMetCase> &info) { return std::string(info.param.what); });

// Another program reads the file while this one ends its transaction: the write cannot take the
// file past the busy time-out. The whole transaction ends, so this program holds no lock that
// would keep the other from writing afterwards; nothing of it reaches the file, and a lock is
// no damage.
TEST(ArchiveDamage, AReleaseOrRollbackThatFailsEndsTheWholeTransaction)
{
    for (const bool release : {true, false}) {
        QTemporaryDir dir;
        const ShortBusyTimeout shortWait;
        CArchiveDatabase database;
        const QString path = CheckedArchive(dir, database);
        ASSERT_TRUE(database.BeginSavepoint() && database.Exec(QStringLiteral("INSERT INTO U VALUES (7)")));
        {
            CArchiveConnection reader;
            ASSERT_TRUE(reader.Open(path, CArchiveConnection::EMode::ReadOnly) &&
                        reader.ExecOnce(QStringLiteral("BEGIN")) &&
                        reader.Number(QStringLiteral("SELECT count(*) FROM U")) == 0);
            // A release refused is told as busy; a rollback still undoes all that the level wrote.
            if (release) {
                EXPECT_FALSE(database.ReleaseSavepoint());
                EXPECT_TRUE(database.LastFoundBusy()) << database.LastError().toStdString();
            } else {
                EXPECT_TRUE(database.RollbackSavepoint());
            }
        }
        EXPECT_TRUE(AnotherProgramCanWrite(path)) << release;
        EXPECT_EQ(database.Check(), Check::Checked);
        qint64 rows = -1;
        EXPECT_TRUE(database.Exec(QStringLiteral("SELECT count(*) FROM U"), {},
                                  [&rows](const auto &row) { rows = row.Number(0); }));
        EXPECT_EQ(rows, 0) << release;
    }
}

} // namespace
