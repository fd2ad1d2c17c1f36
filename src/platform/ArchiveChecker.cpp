#include "platform/ArchiveChecker.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <QThread>

#include <sqlite3.h>

namespace Platform {
namespace {

constexpr int kCheckCacheKiB = 256;
// A read that the system failed is made this often in all before the file is left unreadable.
constexpr int kReadAttempts = 3;
// A journal of another program's interrupted write is rolled back at most this often in one check.
constexpr int kJournalRollBacks = 2;

} // namespace

CArchiveChecker::CArchiveChecker(QObject *parent) : QObject(parent) {}

CArchiveChecker::~CArchiveChecker()
{
    Stop();
}

void CArchiveChecker::Start(const CRequest &request)
{
    Stop();
    m_Request = request;
    m_JournalRollBacks = 0;
    Launch();
}

void CArchiveChecker::Launch()
{
    m_Stopped = false;
    m_Verdict = {};
    const quint64 run = ++m_Run;
    m_Thread.reset(QThread::create([this, request = m_Request, run] {
        const CVerdict verdict = Run(request);
        QMetaObject::invokeMethod(
            this,
            [this, verdict, run] {
                if (run == m_Run)
                    Conclude(verdict);
            },
            Qt::QueuedConnection);
    }));
    m_Thread->start();
}

void CArchiveChecker::Conclude(const CVerdict &verdict)
{
    m_Thread->wait();
    m_Thread.reset();
    // Another program ended in the middle of a write: once its journal is rolled back, every
    // page of the file is read again.
    if (verdict.JournalLeft && m_Request.RollBackJournal && m_JournalRollBacks < kJournalRollBacks) {
        ++m_JournalRollBacks;
        m_Request.RollBackJournal();
        m_Request.Scope = EScope::WholeFile;
        Launch();
        return;
    }
    m_Verdict = verdict;
    Q_EMIT Finished();
}

void CArchiveChecker::Stop()
{
    ++m_Run;
    if (!m_Thread)
        return;
    m_Stopped = true;
    m_Connection.Interrupt();
    m_Thread->wait();
    m_Thread.reset();
}

CArchiveChecker::CVerdict CArchiveChecker::Run(const CRequest &request)
{
    CVerdict verdict;
    const auto mode = request.UpgradeStatements.isEmpty() ? CArchiveConnection::EMode::ReadOnly
                                                          : CArchiveConnection::EMode::ReadWrite;
    if (!m_Connection.Open(request.FilePath, mode)) {
        const CFinding failure = Failure();
        verdict.Outcome = failure.Outcome == EOutcome::Undecided ? EOutcome::Undecided : EOutcome::Unreadable;
        verdict.Finding = QStringLiteral("controllo non eseguito: ") + failure.Text;
        verdict.Reason = failure.Reason;
        return verdict;
    }
    const auto close = qScopeGuard([this] { m_Connection.Close(); });
    // An interrupt before the opening would have been forgotten by it.
    if (Stopped())
        return verdict;
    // The check reads each page once: a page cache would only hold memory the window's side
    // could use.
    m_Connection.ExecOnce(QStringLiteral("PRAGMA cache_size = -%1").arg(kCheckCacheKiB));
    CFinding file = Attempted([&request, this] { return SizeCheck(request.FilePath); });
    if (file.Outcome == EOutcome::Whole && request.Scope == EScope::WholeFile)
        file = Attempted([this] { return QuickCheck(QString()); });
    // A damaged file has its parts looked at one by one: which of them can still be read whole.
    CFinding parts = CFinding::Whole();
    if (file.Outcome == EOutcome::Damaged ||
        (file.Outcome == EOutcome::Whole && request.Scope == EScope::Parts))
        parts = ReadParts(verdict.DamagedParts);
    if (file.Outcome == EOutcome::Whole && !verdict.DamagedParts.isEmpty())
        file = CFinding::Damaged(QStringLiteral("controllo di integrità: parti danneggiate ") +
                                 verdict.DamagedParts.join(QStringLiteral(", ")));
    else if (file.Outcome == EOutcome::Whole)
        file = parts;
    if (Stopped())
        file = CFinding::Interrupted();
    verdict.Outcome = file.Outcome;
    verdict.Finding = file.Text;
    verdict.Reason = file.Reason;
    verdict.JournalLeft = file.JournalLeft;
    if (verdict.Outcome == EOutcome::Whole && !request.UpgradeStatements.isEmpty()) {
        verdict.Upgraded = m_Connection.ExecTransaction(request.UpgradeStatements);
        if (!verdict.Upgraded)
            verdict.UpgradeError = m_Connection.LastError();
    }
    return verdict;
}

template <typename Read> CArchiveChecker::CFinding CArchiveChecker::Attempted(Read read)
{
    CFinding finding = CFinding::Interrupted();
    for (int attempt = 0; attempt < kReadAttempts && !Stopped(); ++attempt) {
        finding = read();
        if (finding.Outcome != EOutcome::Unreadable)
            break;
    }
    return finding;
}

CArchiveChecker::CFinding CArchiveChecker::Failure() const
{
    const int code = m_Connection.LastCode();
    // A journal another program left stays until the caller rolls it back.
    const bool journalLeft = code == SQLITE_READONLY_ROLLBACK || code == SQLITE_READONLY_RECOVERY;
    const EOutcome outcome = m_Connection.LastFoundDamage() ? EOutcome::Damaged
                             : journalLeft || m_Connection.LastFoundBusy() || m_Connection.LastInterrupted()
                                 ? EOutcome::Undecided
                                 : EOutcome::Unreadable;
    return {outcome, m_Connection.LastError(), journalLeft, m_Connection.LastReason()};
}

CArchiveChecker::CFinding CArchiveChecker::SizeCheck(const QString &filePath)
{
    // Read under the file's shared lock, so that no other program's commit changes the file
    // between the header's count and the file's length.
    if (!m_Connection.ExecOnce(QStringLiteral("BEGIN")))
        return Failure();
    const auto endRead = qScopeGuard([this] { m_Connection.ExecOnce(QStringLiteral("COMMIT")); });
    // SQLite reads a missing tail as zeros: the size must be what the header promises.
    const std::optional<qint64> pages = m_Connection.Number(QStringLiteral("PRAGMA page_count"));
    const std::optional<qint64> pageSize =
        pages ? m_Connection.Number(QStringLiteral("PRAGMA page_size")) : std::nullopt;
    if (!pageSize)
        return Failure();
    const qint64 size = QFileInfo(filePath).size();
    if (size == *pages * *pageSize)
        return CFinding::Whole();
    return CFinding::Damaged(QStringLiteral("file di %1 byte invece di %2 (%3 pagine da %4 byte)")
                                 .arg(size)
                                 .arg(*pages * *pageSize)
                                 .arg(*pages)
                                 .arg(*pageSize));
}

CArchiveChecker::CFinding CArchiveChecker::ListParts(QStringList &parts)
{
    parts = {QStringLiteral("sqlite_master")};
    if (!m_Connection.ExecOnce(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"),
                               [&parts](const CArchiveStatement &row) { parts << row.Text(0); }))
        return Failure();
    return CFinding::Whole();
}

CArchiveChecker::CFinding CArchiveChecker::ReadParts(QStringList &damaged)
{
    QStringList parts;
    const CFinding listed = Attempted([&parts, this] { return ListParts(parts); });
    if (listed.Outcome == EOutcome::Undecided || listed.Outcome == EOutcome::Unreadable)
        return listed;
    // A schema that does not list whole is damaged itself; the tables it did list are read still.
    if (listed.Outcome == EOutcome::Damaged)
        damaged << QStringLiteral("sqlite_master");
    for (const QString &part : parts) {
        CFinding read = Attempted([&part, this] { return QuickCheck(part); });
        // The quick check reads a table with its indexes; an index alone may be what is spoilt.
        QStringList where{part};
        if (read.Outcome == EOutcome::Damaged && part != QStringLiteral("sqlite_master"))
            read = Attempted([&part, &where, this] { return Locate(part, where); });
        if (read.Outcome == EOutcome::Undecided || read.Outcome == EOutcome::Unreadable)
            return read;
        if (read.Outcome == EOutcome::Damaged) {
            for (const QString &name : std::as_const(where)) {
                if (!damaged.contains(name))
                    damaged << name;
            }
        }
    }
    return CFinding::Whole();
}

CArchiveChecker::CFinding CArchiveChecker::Locate(const QString &table, QStringList &where)
{
    const std::optional<QStringList> found = m_Connection.DamageWithin(table);
    if (!found)
        return Failure();
    where = *found;
    return CFinding::Damaged(QString());
}

CArchiveChecker::CFinding CArchiveChecker::QuickCheck(const QString &part)
{
    QString sql = QStringLiteral("PRAGMA quick_check");
    if (!part.isEmpty())
        sql += QStringLiteral("('") + QString(part).replace(QLatin1Char('\''), QStringLiteral("''")) +
               QStringLiteral("')");
    QStringList rows;
    if (!m_Connection.ExecOnce(sql, [&rows](const CArchiveStatement &row) { rows << row.Text(0); }))
        return Failure();
    if (rows == QStringList{QStringLiteral("ok")})
        return CFinding::Whole();
    return CFinding::Damaged(QStringLiteral("controllo di integrità: ") + rows.join(QStringLiteral("; ")));
}

} // namespace Platform
