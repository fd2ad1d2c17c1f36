#include "platform/ArchiveConnection.h"

#include "platform/HeldInput.h"

#include <QtGlobal>

#include <sqlite3.h>

#include <cerrno>
#include <thread>

namespace Platform {

namespace {

// Another program's write waits this long for this connection's read, and the other way round.
std::atomic<std::chrono::milliseconds> g_BusyTimeout{std::chrono::milliseconds(5000)};
// How often a wait for a lock looks again, and whether it was interrupted.
constexpr std::chrono::milliseconds kBusyStep(10);

// The system's own words for a refusal of the file, where SQLite had them from the system.
QString SystemReason(sqlite3 *handle, int code)
{
    switch (code & 0xff) {
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR: {
        const int error = handle ? sqlite3_system_errno(handle) : 0;
        return error != 0 ? qt_error_string(error) : QString();
    }
    case SQLITE_FULL:
        return qt_error_string(ENOSPC);
    default:
        return {};
    }
}

} // namespace

CArchiveConnection::~CArchiveConnection()
{
    Close();
}

bool CArchiveConnection::Open(const QString &filePath, EMode mode, EBusyWait busyWait)
{
    Close();
    // One thread runs the connection's statements: SQLite needs no lock of its own around each call
    // (Interrupt, from another thread, is made safe here).
    const int flags =
        SQLITE_OPEN_NOMUTEX | (mode == EMode::ReadOnly    ? SQLITE_OPEN_READONLY
                               : mode == EMode::ReadWrite ? SQLITE_OPEN_READWRITE
                                                          : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    sqlite3 *handle = nullptr;
    const int result = sqlite3_open_v2(filePath.toUtf8().constData(), &handle, flags, nullptr);
    if (result != SQLITE_OK) {
        m_LastCode = result;
        m_LastReason = SystemReason(handle, result);
        m_LastError = QString::fromUtf8(handle ? sqlite3_errmsg(handle) : sqlite3_errstr(result)) +
                      QStringLiteral(" [apertura]");
        sqlite3_close(handle);
        return false;
    }
    // Masked where only the kind of failure matters; the check tells a journal it cannot roll back
    // by its extended code.
    sqlite3_extended_result_codes(handle, 1);
    // SQLite's own busy time-out sleeps on through an interrupt: a check stopped while another
    // program holds the file would hold up its caller for the whole time-out.
    m_BusyTimeout = g_BusyTimeout.load();
    m_BusyWait = busyWait;
    sqlite3_busy_handler(handle, &CArchiveConnection::WaitWhileBusy, this);
    const std::lock_guard lock(m_HandleMutex);
    m_Interrupted = false;
    m_Handle = handle;
    return true;
}

void CArchiveConnection::Close()
{
    // Before the connection closes: SQLite keeps a connection with statements open.
    m_Statements.clear();
    const std::lock_guard lock(m_HandleMutex);
    sqlite3_close(m_Handle);
    m_Handle = nullptr;
}

bool CArchiveConnection::IsReadOnly() const
{
    return m_Handle == nullptr || sqlite3_db_readonly(m_Handle, "main") != 0;
}

bool CArchiveConnection::InTransaction() const
{
    return m_Handle != nullptr && sqlite3_get_autocommit(m_Handle) == 0;
}

template <typename Attempt> int CArchiveConnection::PastLocks(Attempt attempt)
{
    const auto busy = [](int result) {
        return (result & 0xff) == SQLITE_BUSY || (result & 0xff) == SQLITE_LOCKED;
    };
    int result = attempt();
    if (!busy(result) || m_BusyWait != EBusyWait::EventLoop)
        return result;
    const auto deadline = std::chrono::steady_clock::now() + m_BusyTimeout;
    const CHeldInput held;
    while (busy(result) && std::chrono::steady_clock::now() < deadline) {
        // The program's exit, or an Interrupt that came while the loop turned, ends the wait
        // before another attempt could still change the file.
        if (m_Interrupted || !TurnEventsFor(int(kBusyStep.count())) || m_Interrupted)
            return SQLITE_INTERRUPT;
        result = attempt();
    }
    return result;
}

std::unique_ptr<CArchiveStatement> CArchiveConnection::Prepare(const QString &sql, bool kept)
{
    std::unique_ptr<CArchiveStatement> statement;
    const int result = PastLocks([&] {
        statement = std::make_unique<CArchiveStatement>(m_Handle, sql, kept);
        return statement->IsPrepared() ? SQLITE_OK : sqlite3_errcode(m_Handle);
    });
    if (result == SQLITE_OK)
        return statement;
    // The statement's tables are not known before its text is read against the schema.
    Fail(sql, result, {QStringLiteral("sqlite_master")});
    return nullptr;
}

CArchiveStatement *CArchiveConnection::Prepared(const QString &sql)
{
    const auto found = m_Statements.find(sql);
    if (found != m_Statements.end())
        return found->second.get();
    if (!OpenElseRefused(sql))
        return nullptr;
    std::unique_ptr<CArchiveStatement> statement = Prepare(sql, true);
    if (!statement)
        return nullptr;
    return m_Statements.emplace(sql, std::move(statement)).first->second.get();
}

bool CArchiveConnection::Exec(CArchiveStatement &statement, const QVariantList &values,
                              const CArchiveStatement::RowReader &row)
{
    const int result = PastLocks([&] { return statement.Run(values, row); });
    if (result != SQLITE_DONE)
        Fail(statement.Sql(), result, statement.Tables());
    return result == SQLITE_DONE;
}

bool CArchiveConnection::Exec(const QString &sql, const QVariantList &values,
                              const CArchiveStatement::RowReader &row)
{
    CArchiveStatement *statement = Prepared(sql);
    return statement != nullptr && Exec(*statement, values, row);
}

bool CArchiveConnection::ExecOnce(const QString &sql, const CArchiveStatement::RowReader &row)
{
    if (!OpenElseRefused(sql))
        return false;
    const std::unique_ptr<CArchiveStatement> statement = Prepare(sql, false);
    return statement != nullptr && Exec(*statement, {}, row);
}

bool CArchiveConnection::ExecTransaction(const QStringList &statements)
{
    if (!ExecOnce(QStringLiteral("BEGIN")))
        return false;
    bool done = true;
    for (const QString &statement : statements)
        done = done && ExecOnce(statement);
    if (done && ExecOnce(QStringLiteral("COMMIT")))
        return true;
    // The failure is what the caller is told, not the rollback's answer.
    const CFailure failure = LastFailure();
    ExecOnce(QStringLiteral("ROLLBACK"));
    RestoreFailure(failure);
    return false;
}

std::optional<qint64> CArchiveConnection::Number(const QString &sql)
{
    std::optional<qint64> number;
    const bool ran = ExecOnce(sql, [&number](const CArchiveStatement &row) {
        if (!number)
            number = row.Number(0);
    });
    if (ran && !number)
        Refuse(QStringLiteral("nessuna riga [") + sql.simplified() + QLatin1Char(']'));
    return ran ? number : std::nullopt;
}

std::optional<QStringList> CArchiveConnection::DamageWithin(const QString &table)
{
    QStringList indexes;
    const bool listed =
        Exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ?"), {table},
             [&indexes](const CArchiveStatement &row) { indexes << row.Text(0); });
    if (!listed && !LastFoundDamage())
        return std::nullopt;
    // Without a schema that names its indexes, nothing but the table can be blamed.
    if (!listed || indexes.isEmpty())
        return QStringList{table};
    // Every column of every row, in the table's own order: what a configuration's reads need.
    const QString quoted = QString(table).replace(QLatin1Char('"'), QStringLiteral("\"\""));
    if (ExecOnce(QStringLiteral("SELECT * FROM \"%1\" NOT INDEXED").arg(quoted)))
        return indexes;
    if (LastFoundDamage())
        return QStringList{table};
    return std::nullopt;
}

qint64 CArchiveConnection::LastInsertId() const
{
    return sqlite3_last_insert_rowid(m_Handle);
}

qint64 CArchiveConnection::Changes() const
{
    return sqlite3_changes64(m_Handle);
}

bool CArchiveConnection::LastFoundDamage() const
{
    const int code = m_LastCode & 0xff;
    return code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
}

bool CArchiveConnection::LastFoundBusy() const
{
    const int code = m_LastCode & 0xff;
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

bool CArchiveConnection::LastInterrupted() const
{
    return (m_LastCode & 0xff) == SQLITE_INTERRUPT;
}

void CArchiveConnection::Interrupt()
{
    const std::lock_guard lock(m_HandleMutex);
    m_Interrupted = true;
    if (m_Handle != nullptr)
        sqlite3_interrupt(m_Handle);
}

void CArchiveConnection::SetBusyTimeout(std::chrono::milliseconds timeout)
{
    g_BusyTimeout = timeout;
}

std::chrono::milliseconds CArchiveConnection::BusyTimeout()
{
    return g_BusyTimeout;
}

int CArchiveConnection::WaitWhileBusy(void *connection, int attempt)
{
    auto *self = static_cast<CArchiveConnection *>(connection);
    const auto now = std::chrono::steady_clock::now();
    if (attempt == 0)
        self->m_BusySince = now;
    if (self->m_BusyWait != EBusyWait::Sleep || self->m_Interrupted ||
        now - self->m_BusySince >= self->m_BusyTimeout)
        return 0;
    std::this_thread::sleep_for(kBusyStep);
    return 1;
}

bool CArchiveConnection::OpenElseRefused(const QString &sql)
{
    if (m_Handle == nullptr)
        Refuse(QStringLiteral("archivio non aperto [") + sql.simplified() + QLatin1Char(']'));
    return m_Handle != nullptr;
}

void CArchiveConnection::Refuse(const QString &why, const QString &reason)
{
    m_LastCode = SQLITE_ERROR;
    m_LastError = why;
    m_LastReason = reason;
    m_LastTables.clear();
}

void CArchiveConnection::RestoreFailure(const CFailure &failure)
{
    m_LastError = failure.Error;
    m_LastReason = failure.Reason;
    m_LastTables = failure.Tables;
    m_LastCode = failure.Code;
}

void CArchiveConnection::Fail(const QString &sql, int code, const QStringList &tables)
{
    m_LastCode = code;
    m_LastReason = SystemReason(m_Handle, code);
    m_LastTables = tables;
    // The engine's message belongs to its last call; a wait the program's close cut short is ours.
    const QString what = (code & 0xff) == SQLITE_INTERRUPT && !m_Interrupted
                             ? QStringLiteral("attesa interrotta, il programma si chiude")
                             : QString::fromUtf8(sqlite3_errmsg(m_Handle)).trimmed();
    m_LastError = what + QStringLiteral(" [") + sql.simplified() + QLatin1Char(']');
}

} // namespace Platform
