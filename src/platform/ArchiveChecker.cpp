#include "platform/ArchiveChecker.h"

#include <QFileInfo>
#include <QThread>

namespace Platform {
namespace {

constexpr int kCheckCacheKiB = 256;

} // namespace

CArchiveChecker::CArchiveChecker(QObject *parent) : QObject(parent) {}

CArchiveChecker::~CArchiveChecker()
{
    Stop();
}

void CArchiveChecker::Start(const CRequest &request)
{
    Stop();
    m_Stopped = false;
    m_Verdict = {};
    const quint64 run = ++m_Run;
    m_Thread.reset(QThread::create([this, request, run] {
        const CVerdict verdict = Run(request);
        QMetaObject::invokeMethod(
            this,
            [this, verdict, run] {
                if (run != m_Run)
                    return;
                m_Thread->wait();
                m_Thread.reset();
                m_Verdict = verdict;
                Q_EMIT Finished();
            },
            Qt::QueuedConnection);
    }));
    m_Thread->start();
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
        verdict.Damage = QStringLiteral("controllo non eseguito: ") + m_Connection.LastError();
        return verdict;
    }
    // The check reads each page once: a page cache would only hold memory the window's side
    // could use.
    m_Connection.ExecOnce(QStringLiteral("PRAGMA cache_size = -%1").arg(kCheckCacheKiB));
    verdict.Damage = SizeDamage(request.FilePath);
    const QStringList parts = Parts();
    if (verdict.Damage.isEmpty() && request.Scope == EScope::WholeFile)
        verdict.Damage = QuickCheck(QString());
    // A damaged file has its parts looked at one by one: which of them can still be read whole.
    if (!verdict.Damage.isEmpty() || request.Scope == EScope::Parts)
        verdict.DamagedParts = DamagedParts(parts);
    if (verdict.Damage.isEmpty() && !verdict.DamagedParts.isEmpty())
        verdict.Damage = QStringLiteral("controllo di integrità: parti danneggiate ") +
                         verdict.DamagedParts.join(QStringLiteral(", "));
    verdict.Whole = verdict.Damage.isEmpty() && !Stopped();
    if (verdict.Whole && !request.UpgradeStatements.isEmpty()) {
        verdict.Upgraded = m_Connection.ExecTransaction(request.UpgradeStatements);
        if (!verdict.Upgraded)
            verdict.UpgradeError = m_Connection.LastError();
    }
    m_Connection.Close();
    return verdict;
}

QString CArchiveChecker::SizeDamage(const QString &filePath)
{
    // SQLite reads a missing tail as zeros: the size must be what the header promises.
    const std::optional<qint64> pages = m_Connection.Number(QStringLiteral("PRAGMA page_count"));
    const std::optional<qint64> pageSize =
        pages ? m_Connection.Number(QStringLiteral("PRAGMA page_size")) : std::nullopt;
    if (!pageSize)
        return m_Connection.LastError();
    const qint64 size = QFileInfo(filePath).size();
    if (size == *pages * *pageSize)
        return {};
    return QStringLiteral("file di %1 byte invece di %2 (%3 pagine da %4 byte)")
        .arg(size)
        .arg(*pages * *pageSize)
        .arg(*pages)
        .arg(*pageSize);
}

QStringList CArchiveChecker::Parts()
{
    QStringList parts = {QStringLiteral("sqlite_master")};
    m_Connection.ExecOnce(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"),
                          [&parts](const CArchiveStatement &row) { parts << row.Text(0); });
    return parts;
}

QStringList CArchiveChecker::DamagedParts(const QStringList &parts)
{
    QStringList damaged;
    for (const QString &part : parts) {
        if (Stopped())
            break;
        if (!QuickCheck(part).isEmpty())
            damaged << part;
    }
    return damaged;
}

QString CArchiveChecker::QuickCheck(const QString &part)
{
    QString sql = QStringLiteral("PRAGMA quick_check");
    if (!part.isEmpty())
        sql += QStringLiteral("('") + QString(part).replace(QLatin1Char('\''), QStringLiteral("''")) +
               QStringLiteral("')");
    QStringList verdict;
    if (!m_Connection.ExecOnce(sql, [&verdict](const CArchiveStatement &row) { verdict << row.Text(0); }))
        return m_Connection.LastError();
    if (verdict == QStringList{QStringLiteral("ok")})
        return {};
    return QStringLiteral("controllo di integrità: ") + verdict.join(QStringLiteral("; "));
}

} // namespace Platform
