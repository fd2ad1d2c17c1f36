#pragma once

#include "platform/ArchiveStatement.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

namespace Platform {

// One connection to an archive file through SQLite's C API, closed when the object ends. Every
// statement runs through Exec: kept for the life of the connection once prepared (Prepared),
// or, for one that runs once (a schema script, a check), prepared for that run only (ExecOnce).
// Failures are answered, never thrown: LastError says what failed with the engine's words and
// the statement (for the trace), LastReason the system's own reason when the system refused
// (for the user: "Permission denied", "No space left on device"; empty otherwise).
//   CArchiveConnection connection;
//   connection.Open("/…/IxoEkaProgram.db", CArchiveConnection::EMode::ReadOnly);
//   connection.Number("PRAGMA user_version") -> 2
class CArchiveConnection
{
public:
    enum class EMode { ReadOnly, ReadWrite, Create };
    // How a statement waits for another program's lock, up to the busy time-out. Sleep: the
    // thread sleeps (a worker's connection). EventLoop: the statement is tried again while the
    // event loop turns, the user's input held (CHeldInput), so that the window's thread never
    // sleeps on a lock, and the program's close ends the wait (LastInterrupted). None: no wait.
    enum class EBusyWait { Sleep, EventLoop, None };

    CArchiveConnection() = default;
    ~CArchiveConnection();
    CArchiveConnection(const CArchiveConnection &) = delete;
    CArchiveConnection &operator=(const CArchiveConnection &) = delete;

    // ReadWrite opens a file the system does not let this program write read-only.
    bool Open(const QString &filePath, EMode mode, EBusyWait busyWait = EBusyWait::Sleep);
    void Close();
    bool IsOpen() const { return m_Handle != nullptr; }
    // The file cannot be written through this connection.
    bool IsReadOnly() const;
    // A transaction (or savepoint) is open on the connection.
    bool InTransaction() const;

    // The statement for sql, prepared on first use and kept; nullptr when it does not prepare.
    CArchiveStatement *Prepared(const QString &sql);
    bool Exec(CArchiveStatement &statement, const QVariantList &values = {},
              const CArchiveStatement::RowReader &row = {});
    bool Exec(const QString &sql, const QVariantList &values = {},
              const CArchiveStatement::RowReader &row = {});
    bool ExecOnce(const QString &sql, const CArchiveStatement::RowReader &row = {});
    // Statements that run once, in one transaction: all of them or none.
    bool ExecTransaction(const QStringList &statements);
    // The first column of the first row of a statement that runs once.
    std::optional<qint64> Number(const QString &sql);
    // Where damage that the engine met in `table` lies: in its indexes alone (their names) when
    // every row of the table still reads without them, else in the table itself. Nullopt when
    // the rows could not be read for another reason (a lock, an interrupt), the last failure
    // then saying why.
    //   "CModInstr" with a leaf page of its index spoilt -> {"CModInstr_Programmi"}
    //   "CLinearize" with a leaf page of its rows spoilt  -> {"CLinearize"}
    std::optional<QStringList> DamageWithin(const QString &table);
    qint64 LastInsertId() const;
    // The rows the last change touched.
    qint64 Changes() const;

    // From any thread: the statement running now ends as interrupted, and so does every wait for
    // another program's lock until the next Open.
    void Interrupt();
    // How long a statement waits for another program's lock before it fails as busy, for the
    // connections opened afterwards: 5 s, shorter in tests.
    static void SetBusyTimeout(std::chrono::milliseconds timeout);
    static std::chrono::milliseconds BusyTimeout();

    QString LastError() const { return m_LastError; }
    QString LastReason() const { return m_LastReason; }
    // The SQLite result of the last failure, extended (SQLITE_READONLY_ROLLBACK, SQLITE_IOERR_READ).
    int LastCode() const { return m_LastCode; }
    // The engine found the file malformed (SQLITE_CORRUPT, SQLITE_NOTADB): the only failures that
    // say the file is damaged, where a lock, an interrupt or the system's refusal says nothing of it.
    bool LastFoundDamage() const;
    // Another program's lock kept the last statement from the file past the busy time-out
    // (SQLITE_BUSY, SQLITE_LOCKED): nothing is known of the file, and the statement may work later.
    bool LastFoundBusy() const;
    // The last statement was interrupted (Interrupt, or the program closing while it waited).
    bool LastInterrupted() const;
    // The tables the last failed statement reads or writes ("sqlite_master" where its text
    // could not even be prepared): where the engine found damage, the parts it lies in.
    QStringList LastTables() const { return m_LastTables; }
    // A refusal of the program's own, kept for LastError and LastReason.
    void Refuse(const QString &why, const QString &reason = {});
    // The last failure, kept while a rollback runs and put back afterwards: the caller is told
    // why its statement failed, not how the rollback went.
    struct CFailure
    {
        QString Error;
        QString Reason;
        QStringList Tables;
        int Code = 0;
    };
    CFailure LastFailure() const { return {m_LastError, m_LastReason, m_LastTables, m_LastCode}; }
    void RestoreFailure(const CFailure &failure);

private:
    // False, the refusal kept, when no file is open for sql to run on.
    bool OpenElseRefused(const QString &sql);
    void Fail(const QString &sql, int code, const QStringList &tables);
    // Runs attempt (a prepare or a run, giving SQLite's result) again while another program's
    // lock refuses it, as m_BusyWait says.
    template <typename Attempt> int PastLocks(Attempt attempt);
    // A statement that runs once, prepared past locks; nullptr when it does not prepare.
    std::unique_ptr<CArchiveStatement> Prepare(const QString &sql, bool kept);
    // SQLite's busy handler: true while the lock is worth waiting for.
    static int WaitWhileBusy(void *connection, int attempt);

    sqlite3 *m_Handle = nullptr;
    std::atomic_bool m_Interrupted = false;
    std::chrono::milliseconds m_BusyTimeout{};
    EBusyWait m_BusyWait = EBusyWait::Sleep;
    std::chrono::steady_clock::time_point m_BusySince;
    // Open, Close and Interrupt may come from two threads.
    std::mutex m_HandleMutex;
    std::map<QString, std::unique_ptr<CArchiveStatement>> m_Statements;
    QString m_LastError;
    QString m_LastReason;
    QStringList m_LastTables;
    int m_LastCode = 0;
};

} // namespace Platform
