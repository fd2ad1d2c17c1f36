#pragma once

#include "platform/ArchiveChecker.h"
#include "platform/ArchiveConnection.h"
#include "platform/InstanceMarker.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace Platform {

// The archive's database engine: one SQLite file on a connection of the window's thread
// (CArchiveConnection), made from a schema script when missing (or holding no table at all),
// every statement prepared once and kept, transactions nested as savepoints. Failures are
// answered, never thrown: each call says whether it worked and LastError() tells why not.
// Table and column names in the statements are the caller's own fixed names; values are
// always bound.
//   Open("/…/IxoEkaProgram.db", schema) -> Created on a first run, Opened afterwards,
//                                          WrongVersion for a file of another version,
//                                          NotAnArchive for a file SQLite cannot read as one,
//                                          InterruptedWrite for a journal left where it
//                                          cannot be finished
// Nothing is written to an existing file before it has passed its check: until then the
// connection refuses every change (PRAGMA query_only), and the schema of an older version is
// brought up to date only once the file is found whole. A journal left by an interrupted write
// is SQLite's own way back to the last whole state, replayed at the first read (query_only does
// not keep this connection from it); that needs the file and its folder writable, so without
// them the file is refused before any connection exists. The check (CArchiveChecker) runs on a
// thread of its own: after a sign of trouble (a journal, or the marker of a program that did not
// close the file, CInstanceMarker, or a marker that takes no lock here) on the whole file, with
// Open waiting for it, else on each part in turn from StartCheck on (or the first wait for it),
// while the caller goes on. A journal that another program leaves meanwhile is replayed on this
// connection for the check. A file found damaged keeps refusing changes, and this program's
// marker is left behind, so every later start checks it whole again and comes to the same
// answer until the file is replaced. A check that could not read the file (another program kept
// it locked) decides nothing: changes wait for the next check, which the next wait runs.
class CArchiveDatabase
{
public:
    enum class OpenResult { Opened, Created, WrongVersion, NotAnArchive, InterruptedWrite, Failed };
    // How far the opened file is known to be whole. Failed: damaged, found so by the check or by
    // any statement since. Undecided: another program's lock kept the check from the file, or the
    // check was stopped. Unreadable: the check could not open or read the file for another reason
    // (gone, replaced, an I/O error). The next wait checks an undecided or unreadable file again.
    enum class CheckState { Checked, Pending, Failed, Undecided, Unreadable };
    // Why no change can be written to the file, whatever its check says.
    enum class ReadOnly { No, File, Folder };

    CArchiveDatabase();
    ~CArchiveDatabase();
    CArchiveDatabase(const CArchiveDatabase &) = delete;
    CArchiveDatabase &operator=(const CArchiveDatabase &) = delete;

    // schemaSql: statements separated by ";", in versions: the statements of each version end
    // with "PRAGMA user_version = N". A new file runs all of them, a file of an older version the
    // versions after its own once its check has passed, in one transaction; when that cannot be
    // written (a read-only file) the file stays at its own version and UpgradeError() says why.
    OpenResult Open(const QString &filePath, const QString &schemaSql);
    void Close();
    bool IsOpen() const { return m_Connection.IsOpen(); }
    QString FilePath() const { return m_FilePath; }
    // The version the file holds; after WrongVersion the one that was refused.
    int FileVersion() const { return m_FileVersion; }
    // The last version of the schema script given to Open.
    int SchemaVersion() const { return m_SchemaVersion; }
    QString UpgradeError() const { return m_UpgradeError; }
    // Why the last call failed, for the trace.
    QString LastError() const { return m_Refusal.isEmpty() ? m_Connection.LastError() : m_Refusal; }
    // The system's own words for the last refusal, when the system refused; else empty.
    QString LastReason() const { return m_Refusal.isEmpty() ? m_Connection.LastReason() : m_RefusalReason; }
    // The engine found the file malformed in the last call.
    bool LastFoundDamage() const;
    // Another program's lock kept the last call from the file past the busy time-out.
    bool LastFoundBusy() const { return m_Refusal.isEmpty() && m_Connection.LastFoundBusy(); }
    // The last call was cut short: the program is closing.
    bool LastInterrupted() const { return m_Refusal.isEmpty() && m_Connection.LastInterrupted(); }
    // The wait for another program's lock running now, and every later one, ends as interrupted:
    // the program is quitting, and nothing a wait holds up may reach the file any more.
    void Interrupt() { m_Connection.Interrupt(); }

    CheckState Check() const { return m_DamageMet ? CheckState::Failed : m_Check; }
    // Starts the check that the opening left for later, once: on its thread it competes with
    // nothing the caller still has to do first (the first listing, the first paint).
    void StartCheck();
    // What the check found wrong with the file, for the trace.
    QString Damage() const { return m_Damage; }
    // The parts the check found damaged: "sqlite_master" (the schema), table names, or index
    // names where every row of their table still reads without them.
    const QStringList &DamagedParts() const { return m_DamagedParts; }
    // What kept the check from a verdict, for the trace.
    QString WhyUndecided() const { return m_WhyUndecided; }
    // The system's words for why the check could not read the file (Unreadable), if it said.
    QString UnreadableReason() const { return m_UnreadableReason; }
    // Whether another program holds a lock on the file that keeps it from being read now; asked
    // once, without waiting.
    static bool HeldByAnotherProgram(const QString &filePath);
    // Starts the check if need be (again, when undecided) and runs the event loop, the user's
    // input held back, until the check has ended. False when the application closes first: the
    // check is stopped, the file left Undecided.
    bool WaitForCheck();
    // Its Finished says that the check has ended (after this object has taken its verdict).
    const CArchiveChecker &Checker() const { return m_Checker; }
    ReadOnly WhyReadOnly() const { return m_ReadOnly; }
    // The system's words for why the file or its folder cannot be written.
    QString ReadOnlyReason() const { return m_ReadOnlyReason; }

    // The statement for sql, prepared on first use and kept; nullptr when it does not prepare.
    // Every statement, whenever it runs, may find the file damaged (SQLITE_CORRUPT, SQLITE_NOTADB):
    // the file is then taken as the check would take it, damaged in the parts the statement
    // reaches, and no change is written to it any more.
    CArchiveStatement *Prepared(const QString &sql) { return Noted(m_Connection.Prepared(sql)); }
    bool Exec(CArchiveStatement &statement, const QVariantList &values = {},
              const CArchiveStatement::RowReader &row = {})
    {
        return Noted(m_Connection.Exec(statement, values, row));
    }
    bool Exec(const QString &sql, const QVariantList &values = {},
              const CArchiveStatement::RowReader &row = {})
    {
        return Noted(m_Connection.Exec(sql, values, row));
    }
    qint64 LastInsertId() const { return m_Connection.LastInsertId(); }
    qint64 Changes() const { return m_Connection.Changes(); }

    // One level of transaction; levels nest, and only the outermost release writes the file. A
    // release or rollback that fails ends the whole transaction (ROLLBACK), so that the
    // connection never stays inside one and holds another program's writes back.
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
    // The statements that bring a file of that version up to the last one.
    static QStringList StatementsAfter(const QList<CSchemaStep> &steps, int version);
    // Whether an existing file is refused before any connection could write to it; trouble: a
    // sign that it must be checked whole.
    std::optional<OpenResult> RefusalBeforeConnecting(bool &trouble);
    OpenResult OpenVersion(const QList<CSchemaStep> &steps);
    void FindReadOnly();
    CArchiveChecker::CRequest CheckRequest(const QList<CSchemaStep> &steps, bool wholeFile);
    void TakeVerdict();
    // Leaves the file undecided or unreadable, and the check to run again at the next wait.
    void CheckAgainAtNextWait(CheckState state, const QString &why);
    // Takes the file for damaged when the engine said so in the last call.
    template <typename Result> Result Noted(Result result)
    {
        if (!result && m_Connection.LastFoundDamage())
            NoteDamage(m_Connection.LastTables(), m_Connection.LastError());
        return result;
    }
    void NoteDamage(const QStringList &parts, const QString &finding);
    void AddDamagedParts(const QStringList &parts);
    // The markers of programs that did not close the file have told what they had to: the file
    // was checked whole. A damaged file keeps only this program's, which the next start finds.
    void RemoveLeftBehind();
    // After a failed release or rollback: no transaction stays open.
    void EndTransaction();

    QString m_FilePath;
    CArchiveConnection m_Connection;
    CArchiveChecker m_Checker;
    CInstanceMarker m_Marker;
    // The markers of programs that did not close the file, removed once it is found whole.
    QStringList m_LeftBehind;
    int m_FileVersion = 0;
    int m_SchemaVersion = 0;
    QString m_UpgradeError;
    // Why the opening was refused, when it was.
    QString m_Refusal;
    QString m_RefusalReason;
    CheckState m_Check = CheckState::Checked;
    // The check the opening left for later, until it starts.
    std::optional<CArchiveChecker::CRequest> m_CheckLeft;
    QStringList m_DamagedParts;
    QString m_Damage;
    QString m_WhyUndecided;
    QString m_UnreadableReason;
    // A statement found the file damaged, whatever its check says.
    bool m_DamageMet = false;
    ReadOnly m_ReadOnly = ReadOnly::No;
    QString m_ReadOnlyReason;
};

// The statements of a script, split at the ";" that stand outside quotes and "--" comments.
QStringList SplitSqlScript(const QString &script);

} // namespace Platform
