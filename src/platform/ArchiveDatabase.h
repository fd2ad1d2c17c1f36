#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <map>
#include <memory>
#include <optional>

namespace Platform {

// The archive's database engine: one SQLite file reached through QtSql. It creates the file
// from a schema script when the file is missing (or holds no table at all), checks the
// schema version kept in "PRAGMA user_version", keeps every statement it has prepared for
// the life of the connection, and nests transactions as savepoints. Failures are answered,
// never thrown: each call says whether it worked and LastError() tells why not. Table and
// column names in the statements are the caller's own fixed names; values are always bound.
//   Open("/…/IxoEkaProgram.db", schema, 1) -> Created on a first run, Opened afterwards,
//                                            WrongVersion for a file of another version,
//                                            Damaged for a cut or corrupted file
// An existing file is checked on a read-only connection before anything can write to it
// (SQLite reads a missing tail as zeros, and the next write would make that loss final), so a
// refused file stays byte for byte as it was and a copy of it can still be restored.
class CArchiveDatabase
{
public:
    enum class OpenResult { Opened, Created, WrongVersion, Damaged, Failed };

    CArchiveDatabase();
    ~CArchiveDatabase();
    CArchiveDatabase(const CArchiveDatabase &) = delete;
    CArchiveDatabase &operator=(const CArchiveDatabase &) = delete;

    // schemaSql: statements separated by ";", the last of them setting "PRAGMA user_version".
    OpenResult Open(const QString &filePath, const QString &schemaSql, int schemaVersion);
    void Close();
    bool IsOpen() const { return m_Database.isOpen(); }
    QString FilePath() const { return m_Database.databaseName(); }
    // The version the file holds; after WrongVersion the one that was refused.
    int FileVersion() const { return m_FileVersion; }
    // Why the last call failed; after Damaged, what is wrong with the file.
    QString LastError() const { return m_LastError; }

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
    bool RunScript(const QString &schemaSql);
    std::optional<int> QueryInt(const QString &sql);
    std::optional<QString> Damage(const QString &filePath);
    void Fail(const QString &what, const QString &driverText);

    QString m_ConnectionName;
    QSqlDatabase m_Database;
    std::map<QString, std::unique_ptr<QSqlQuery>> m_Statements;
    int m_FileVersion = 0;
    QString m_LastError;
};

// The statements of a script, split at the ";" that stand outside quotes and "--" comments.
QStringList SplitSqlScript(const QString &script);

} // namespace Platform
