#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace Platform {

// One row of a direct read (CArchiveDatabase::Read): its values by column number, valid while
// the row is being handed over.
class CDirectRow
{
public:
    explicit CDirectRow(sqlite3_stmt *statement) : m_Statement(statement) {}
    qint64 Number(int column) const;
    QString Text(int column) const;
    // A number, a text (an invalid QVariant for NULL), as the column holds it.
    QVariant Value(int column) const;

private:
    sqlite3_stmt *m_Statement;
};

// The archive's database engine: one SQLite file reached through a QtSql connection (whose SQLite
// handle also serves the frequent reads and the savepoints, see Read). It creates the file
// from a schema script when the file is missing (or holds no table at all), brings a file of an
// older schema version up to date, keeps every statement it has prepared for the life of the
// connection (read forward only, so no result is held twice), and nests transactions as
// savepoints. Failures are answered, never thrown: each call says whether it worked and
// LastError() tells why not. Table and column names in the statements are the caller's own
// fixed names; values are always bound.
//   Open("/…/IxoEkaProgram.db", schema) -> Created on a first run, Opened afterwards,
//                                          WrongVersion for a file of another version,
//                                          Damaged for a cut or corrupted file,
//                                          InterruptedWrite for a journal left where it
//                                          cannot be finished
// Nothing that could write to an existing file runs before it has passed the checks: a refused
// file stays byte for byte as it was and a copy of it can still be restored. A journal left by an
// interrupted write is SQLite's own way back to the last whole state, and SQLite replays it on
// the first read; that needs the file and its folder writable, so without them the file is
// refused before any connection exists.
// The whole-file check (SQLite's quick check) runs at the opening only when there is a sign of
// trouble: a journal beside the file, or a marker left by a run that did not close it. Otherwise
// it waits for CheckNextPart(), one table with its indexes a call, so a caller can spread it over
// its idle time; a part found damaged makes the connection refuse every later write.
class CArchiveDatabase
{
public:
    enum class OpenResult { Opened, Created, WrongVersion, Damaged, InterruptedWrite, Failed };
    // How far the opened file is known to be whole.
    enum class CheckState { Checked, Pending, Failed };

    CArchiveDatabase();
    ~CArchiveDatabase();
    CArchiveDatabase(const CArchiveDatabase &) = delete;
    CArchiveDatabase &operator=(const CArchiveDatabase &) = delete;

    // schemaSql: statements separated by ";", in versions: the statements of each version end
    // with "PRAGMA user_version = N". A new file runs all of them, a file of an older version the
    // versions after its own, in one transaction; when that cannot be written (a read-only
    // file) the file opens at its own version and UpgradeError() says why.
    OpenResult Open(const QString &filePath, const QString &schemaSql);
    void Close();
    bool IsOpen() const { return m_Database.isOpen(); }
    QString FilePath() const { return m_Database.databaseName(); }
    // The version the file holds; after WrongVersion the one that was refused.
    int FileVersion() const { return m_FileVersion; }
    // The last version of the schema script given to Open.
    int SchemaVersion() const { return m_SchemaVersion; }
    QString UpgradeError() const { return m_UpgradeError; }
    // Why the last call failed; after Damaged or a failed check, what is wrong with the file.
    QString LastError() const { return m_LastError; }
    // The engine's own words of the last refusal, without the statement; empty when the
    // program refused on its own.
    QString LastReason() const { return m_LastReason; }

    // Checks the next part of the file not yet checked; true while parts remain.
    bool CheckNextPart();
    CheckState Check() const { return m_Check; }

    // Runs a reading statement straight on the connection's SQLite handle (prepared once and kept),
    // with the numbers given bound in order, and hands over each row; false when it fails. For the
    // reads that run often (the list, the rows of one configuration): QtSql describes every column
    // again at each run and turns every text to UTF-16 twice, which costs more than the read.
    bool Read(const QString &sql, std::initializer_list<qint64> numbers,
              const std::function<void(const CDirectRow &row)> &row);

    // The statement for sql, prepared on first use and kept; nullptr when it does not prepare.
    // A reading statement must be finished (QSqlQuery::finish) once its rows are read.
    QSqlQuery *Prepared(const QString &sql);
    bool Exec(QSqlQuery &query);
    // Prepares (once) and runs a statement without parameters.
    bool Exec(const QString &sql);

    // One level of transaction; levels nest, and only the outermost release writes the file.
    bool BeginSavepoint();
    bool ReleaseSavepoint();
    bool RollbackSavepoint();

private:
    struct CSchemaStep
    {
        int Version = 0;
        QStringList Statements;
    };

    static QList<CSchemaStep> SchemaSteps(const QString &schemaSql);
    // Whether an existing file is refused before any connection could write to it; trouble: a
    // sign that it must be checked whole.
    std::optional<OpenResult> RefusalBeforeConnecting(const QString &filePath, bool &trouble);
    bool OpenConnection(const QString &filePath);
    OpenResult OpenVersion(const QList<CSchemaStep> &steps);
    bool RunSteps(const QList<CSchemaStep> &steps, int fromVersion);
    std::optional<qint64> QueryNumber(const QString &sql);
    std::optional<QString> Damage(const QString &filePath, bool wholeFile);
    std::optional<QString> QuickCheck(const QString &part);
    void RefuseWrites(const QString &damage);
    // A refusal of the program's own / of the engine, kept for LastError and LastReason.
    void Refuse(const QString &why);
    void Fail(const QString &what, const QString &driverText);
    sqlite3_stmt *DirectStatement(const QString &sql);
    bool RunDirect(const QString &sql);
    void FailDirect(const QString &sql);

    QString m_ConnectionName;
    QSqlDatabase m_Database;
    std::map<QString, std::unique_ptr<QSqlQuery>> m_Statements;
    sqlite3 *m_Handle = nullptr;
    std::map<QString, sqlite3_stmt *> m_DirectStatements;
    int m_FileVersion = 0;
    int m_SchemaVersion = 0;
    QString m_UpgradeError;
    QString m_LastError;
    QString m_LastReason;
    CheckState m_Check = CheckState::Checked;
    QStringList m_PartsToCheck;
    QString m_OpenMarker;
};

// The statements of a script, split at the ";" that stand outside quotes and "--" comments.
QStringList SplitSqlScript(const QString &script);

} // namespace Platform
