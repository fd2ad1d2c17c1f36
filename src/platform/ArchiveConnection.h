#pragma once

#include "platform/ArchiveStatement.h"

#include <QString>

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

    CArchiveConnection() = default;
    ~CArchiveConnection();
    CArchiveConnection(const CArchiveConnection &) = delete;
    CArchiveConnection &operator=(const CArchiveConnection &) = delete;

    // ReadWrite opens a file the system does not let this program write read-only.
    bool Open(const QString &filePath, EMode mode);
    void Close();
    bool IsOpen() const { return m_Handle != nullptr; }
    // The file cannot be written through this connection.
    bool IsReadOnly() const;

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
    // A refusal of the program's own, kept for LastError and LastReason.
    void Refuse(const QString &why, const QString &reason = {});

private:
    // False, the refusal kept, when no file is open for sql to run on.
    bool OpenElseRefused(const QString &sql);
    void Fail(const QString &sql, int code);
    // SQLite's busy handler: true while the lock is worth waiting for.
    static int WaitWhileBusy(void *connection, int attempt);

    sqlite3 *m_Handle = nullptr;
    std::atomic_bool m_Interrupted = false;
    std::chrono::milliseconds m_BusyTimeout{};
    std::chrono::steady_clock::time_point m_BusySince;
    // Open, Close and Interrupt may come from two threads.
    std::mutex m_HandleMutex;
    std::map<QString, std::unique_ptr<CArchiveStatement>> m_Statements;
    QString m_LastError;
    QString m_LastReason;
    int m_LastCode = 0;
};

} // namespace Platform
