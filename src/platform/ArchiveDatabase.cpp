#include "platform/ArchiveDatabase.h"

#include "platform/HeldInput.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <unistd.h>
#include <utility>

namespace Platform {

namespace {

// The system's words for why this program may not do `mode` (R_OK, W_OK) to path; empty when
// it may.
QString AccessRefusal(const QString &path, int mode)
{
    return access(QFile::encodeName(path).constData(), mode) == 0 ? QString() : qt_error_string(errno);
}

// SQLite finishes an interrupted write by writing the file and deleting the journal.
bool CanFinishWrite(const QString &filePath)
{
    return AccessRefusal(filePath, W_OK).isEmpty() &&
           AccessRefusal(QFileInfo(filePath).absolutePath(), W_OK).isEmpty();
}

// The file beside filePath that holds a write not finished ("-journal" of a rolled-back write
// still to undo, or "-wal"); empty when there is none.
QString LeftoverJournal(const QString &filePath)
{
    // SQLite undoes a rollback journal only when it is not empty and its header is not zeroed;
    // a write-ahead log holds writes that are not in the file yet.
    QFile journal(filePath + QStringLiteral("-journal"));
    char first = 0;
    if (journal.size() > 0 && (!journal.open(QIODevice::ReadOnly) || !journal.getChar(&first) || first != 0))
        return journal.fileName();
    const QString wal = filePath + QStringLiteral("-wal");
    return QFileInfo(wal).size() > 0 ? wal : QString();
}

} // namespace

CArchiveDatabase::CArchiveDatabase()
{
    // Connected first, so whoever else waits for Finished sees the verdict taken.
    QObject::connect(&m_Checker, &CArchiveChecker::Finished, [this] { TakeVerdict(); });
}

CArchiveDatabase::~CArchiveDatabase()
{
    Close();
}

CArchiveDatabase::OpenResult CArchiveDatabase::Open(const QString &filePath, const QString &schemaSql)
{
    Close();
    m_FilePath = filePath;
    m_Refusal.clear();
    m_RefusalReason.clear();
    m_UpgradeError.clear();
    m_FileVersion = 0;
    const QList<CSchemaStep> steps = SchemaSteps(schemaSql);
    if (steps.isEmpty()) {
        m_Refusal = QStringLiteral("schema senza versione");
        return OpenResult::Failed;
    }
    m_SchemaVersion = steps.last().Version;
    const bool existed = QFileInfo::exists(filePath);
    bool trouble = false;
    if (existed) {
        if (const std::optional<OpenResult> refused = RefusalBeforeConnecting(trouble))
            return *refused;
    }
    using EMode = CArchiveConnection::EMode;
    // The window's thread waits for another program's lock with its event loop turning.
    if (!m_Connection.Open(filePath, existed ? EMode::ReadWrite : EMode::Create,
                           CArchiveConnection::EBusyWait::EventLoop))
        return OpenResult::Failed;
    // The engine's own guard: no change reaches the file before the check has passed.
    if (existed)
        m_Connection.ExecOnce(QStringLiteral("PRAGMA query_only = 1"));
    const OpenResult result = OpenVersion(steps);
    if (result != OpenResult::Opened && result != OpenResult::Created) {
        m_Connection.Close();
        if (!existed)
            QFile::remove(filePath);
        return result;
    }
    FindReadOnly();
    // Where the marker takes no lock, a program that ended without closing the file cannot be
    // told from one still running: the file is checked whole.
    if (m_Marker.Place(filePath) && !m_Marker.Locked())
        trouble = true;
    if (result == OpenResult::Opened) {
        m_Check = CheckState::Pending;
        m_CheckLeft = CheckRequest(steps, trouble);
        if (trouble)
            WaitForCheck();
    }
    return result;
}

std::optional<CArchiveDatabase::OpenResult> CArchiveDatabase::RefusalBeforeConnecting(bool &trouble)
{
    // A file the user may not read is not a damaged one.
    m_RefusalReason = AccessRefusal(m_FilePath, R_OK);
    if (!m_RefusalReason.isEmpty()) {
        m_Refusal = QStringLiteral("file non leggibile: ") + m_RefusalReason;
        return OpenResult::Failed;
    }
    const QString journal = LeftoverJournal(m_FilePath);
    if (!journal.isEmpty() && !CanFinishWrite(m_FilePath)) {
        m_Refusal = QStringLiteral("scrittura interrotta, da completare dove il file e la cartella sono "
                                   "scrivibili: ") +
                    journal;
        return OpenResult::InterruptedWrite;
    }
    m_LeftBehind = CInstanceMarker::LeftBehind(m_FilePath);
    trouble = !journal.isEmpty() || !m_LeftBehind.isEmpty();
    return std::nullopt;
}

QList<CArchiveDatabase::CSchemaStep> CArchiveDatabase::SchemaSteps(const QString &schemaSql)
{
    static const QRegularExpression versionPragma(QStringLiteral("^PRAGMA\\s+user_version\\s*=\\s*(-?\\d+)$"),
                                                  QRegularExpression::CaseInsensitiveOption);
    QList<CSchemaStep> steps(1);
    for (const QString &statement : SplitSqlScript(schemaSql)) {
        steps.last().Statements << statement;
        const QRegularExpressionMatch match = versionPragma.match(statement);
        if (match.hasMatch()) {
            steps.last().Version = match.captured(1).toInt();
            steps.append(CSchemaStep());
        }
    }
    // Statements after the last version would belong to none.
    const bool versioned = steps.size() > 1 && steps.last().Statements.isEmpty();
    steps.removeLast();
    return versioned ? steps : QList<CSchemaStep>();
}

QStringList CArchiveDatabase::StatementsAfter(const QList<CSchemaStep> &steps, int version)
{
    QStringList statements;
    for (const CSchemaStep &step : steps) {
        if (step.Version > version)
            statements << step.Statements;
    }
    return statements;
}

CArchiveDatabase::OpenResult CArchiveDatabase::OpenVersion(const QList<CSchemaStep> &steps)
{
    // The first reads: SQLite replays a journal left behind here.
    const std::optional<qint64> version = m_Connection.Number(QStringLiteral("PRAGMA user_version"));
    const std::optional<qint64> objects =
        version ? m_Connection.Number(QStringLiteral("SELECT count(*) FROM sqlite_master")) : std::nullopt;
    if (!objects)
        return LastFoundDamage() ? OpenResult::NotAnArchive : OpenResult::Failed;
    m_FileVersion = int(*version);
    // A file with no table at all is what an interrupted first start leaves: start it afresh.
    if (m_FileVersion == 0 && *objects == 0) {
        if (!m_Connection.ExecOnce(QStringLiteral("PRAGMA query_only = 0")) ||
            !m_Connection.ExecTransaction(StatementsAfter(steps, 0)))
            return OpenResult::Failed;
        m_FileVersion = m_SchemaVersion;
        return OpenResult::Created;
    }
    const bool known = std::any_of(steps.begin(), steps.end(),
                                   [this](const CSchemaStep &step) { return step.Version == m_FileVersion; });
    return known ? OpenResult::Opened : OpenResult::WrongVersion;
}

bool CArchiveDatabase::LastFoundDamage() const
{
    return m_Refusal.isEmpty() && m_Connection.LastFoundDamage();
}

void CArchiveDatabase::FindReadOnly()
{
    m_ReadOnlyReason = AccessRefusal(m_FilePath, W_OK);
    if (!m_ReadOnlyReason.isEmpty() || m_Connection.IsReadOnly()) {
        m_ReadOnly = ReadOnly::File;
        return;
    }
    // Every change writes its journal beside the file.
    m_ReadOnlyReason = AccessRefusal(QFileInfo(m_FilePath).absolutePath(), W_OK);
    m_ReadOnly = m_ReadOnlyReason.isEmpty() ? ReadOnly::No : ReadOnly::Folder;
}

CArchiveChecker::CRequest CArchiveDatabase::CheckRequest(const QList<CSchemaStep> &steps, bool wholeFile)
{
    QStringList upgrade;
    if (m_FileVersion != m_SchemaVersion) {
        if (m_ReadOnly == ReadOnly::No)
            upgrade = StatementsAfter(steps, m_FileVersion);
        else
            m_UpgradeError = QStringLiteral("archivio in sola lettura: ") + m_ReadOnlyReason;
    }
    using EScope = CArchiveChecker::EScope;
    // This connection may write, so its read rolls a journal back, query_only notwithstanding.
    const auto rollBack = [this] {
        m_Connection.Number(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    };
    return {m_FilePath, wholeFile ? EScope::WholeFile : EScope::Parts, upgrade, rollBack};
}

void CArchiveDatabase::StartCheck()
{
    if (!m_CheckLeft)
        return;
    m_Check = CheckState::Pending;
    m_Checker.Start(*std::exchange(m_CheckLeft, std::nullopt));
}

void CArchiveDatabase::TakeVerdict()
{
    const CArchiveChecker::CVerdict &verdict = m_Checker.Verdict();
    switch (verdict.Outcome) {
    case CArchiveChecker::EOutcome::Damaged:
        m_Check = CheckState::Failed;
        m_Damage = verdict.Finding;
        AddDamagedParts(verdict.DamagedParts);
        RemoveLeftBehind();
        return;
    case CArchiveChecker::EOutcome::Undecided:
        CheckAgainAtNextWait(CheckState::Undecided, verdict.Finding);
        return;
    case CArchiveChecker::EOutcome::Unreadable:
        m_UnreadableReason = verdict.Reason;
        CheckAgainAtNextWait(CheckState::Unreadable, verdict.Finding);
        return;
    case CArchiveChecker::EOutcome::Whole:
        break;
    }
    // What a statement found damaged stays so, whatever the parts the check read.
    if (m_DamageMet) {
        m_Check = CheckState::Checked;
        return;
    }
    if (verdict.Upgraded)
        m_FileVersion = m_SchemaVersion;
    else if (!verdict.UpgradeError.isEmpty())
        m_UpgradeError = verdict.UpgradeError;
    if (m_ReadOnly == ReadOnly::No)
        m_Connection.ExecOnce(QStringLiteral("PRAGMA query_only = 0"));
    RemoveLeftBehind();
    m_Check = CheckState::Checked;
}

void CArchiveDatabase::CheckAgainAtNextWait(CheckState state, const QString &why)
{
    m_Check = state;
    m_WhyUndecided = why;
    m_CheckLeft = m_Checker.Request();
}

void CArchiveDatabase::NoteDamage(const QStringList &parts, const QString &finding)
{
    // The caller is told why its statement failed, not how the damage was looked into.
    const CArchiveConnection::CFailure failure = m_Connection.LastFailure();
    if (!m_DamageMet) {
        m_DamageMet = true;
        m_Damage = finding;
        // The engine's own guard again: nothing more reaches the damaged file.
        m_Connection.ExecOnce(QStringLiteral("PRAGMA query_only = 1"));
        RemoveLeftBehind();
    }
    for (const QString &part : parts) {
        // A statement that went through a spoilt index names only its table; as the check does,
        // the table is blamed only when its own rows do not read.
        AddDamagedParts(part == QStringLiteral("sqlite_master")
                            ? QStringList{part}
                            : m_Connection.DamageWithin(part).value_or(QStringList{part}));
    }
    m_Connection.RestoreFailure(failure);
}

void CArchiveDatabase::AddDamagedParts(const QStringList &parts)
{
    for (const QString &part : parts) {
        if (!m_DamagedParts.contains(part))
            m_DamagedParts << part;
    }
}

void CArchiveDatabase::RemoveLeftBehind()
{
    CInstanceMarker::Remove(m_LeftBehind);
    m_LeftBehind.clear();
}

bool CArchiveDatabase::HeldByAnotherProgram(const QString &filePath)
{
    CArchiveConnection probe;
    if (!probe.Open(filePath, CArchiveConnection::EMode::ReadOnly, CArchiveConnection::EBusyWait::None))
        return false;
    return !probe.Number(QStringLiteral("SELECT count(*) FROM sqlite_master")) && probe.LastFoundBusy();
}

bool CArchiveDatabase::WaitForCheck()
{
    // A file a statement found damaged refuses every change already; the check only goes on
    // naming its parts.
    if (m_DamageMet)
        return true;
    StartCheck();
    if (m_Check != CheckState::Pending)
        return true;
    QEventLoop loop;
    bool ended = false;
    QObject::connect(&m_Checker, &CArchiveChecker::Finished, &loop, [&loop, &ended] {
        ended = true;
        loop.quit();
    });
    // The window repaints and can be closed meanwhile; what else the user does is dropped.
    ExecHoldingInput(loop);
    if (ended)
        return true;
    // Only the application's exit ends the loop before the verdict, and from then on until the
    // outermost loop has returned every local loop would return at once.
    m_Checker.Stop();
    if (m_Check == CheckState::Pending)
        CheckAgainAtNextWait(CheckState::Undecided,
                             QStringLiteral("controllo interrotto: il programma si chiude"));
    return false;
}

void CArchiveDatabase::Close()
{
    m_Checker.Stop();
    m_CheckLeft.reset();
    m_Connection.Close();
    // A damaged file keeps the marker, so the next start checks it whole before it opens it.
    m_Marker.Release(Check() == CheckState::Failed);
    m_LeftBehind.clear();
    m_Check = CheckState::Checked;
    m_DamageMet = false;
    m_DamagedParts.clear();
    m_Damage.clear();
    m_WhyUndecided.clear();
    m_UnreadableReason.clear();
    m_ReadOnly = ReadOnly::No;
    m_ReadOnlyReason.clear();
}

bool CArchiveDatabase::BeginSavepoint()
{
    return Exec(QStringLiteral("SAVEPOINT ixo"));
}

bool CArchiveDatabase::ReleaseSavepoint()
{
    if (Exec(QStringLiteral("RELEASE ixo")))
        return true;
    EndTransaction();
    return false;
}

bool CArchiveDatabase::RollbackSavepoint()
{
    // ROLLBACK TO keeps the level open; the release then closes it with nothing to write.
    if (Exec(QStringLiteral("ROLLBACK TO ixo")) && Exec(QStringLiteral("RELEASE ixo")))
        return true;
    // After a write the outermost release still wants the file to itself, and another program's
    // reader may refuse it: the whole transaction is undone, which waits for no lock.
    EndTransaction();
    return !m_Connection.InTransaction();
}

void CArchiveDatabase::EndTransaction()
{
    if (!m_Connection.InTransaction())
        return;
    // The failure is what the caller is told, not the rollback's answer.
    const CArchiveConnection::CFailure failure = m_Connection.LastFailure();
    m_Connection.ExecOnce(QStringLiteral("ROLLBACK"));
    m_Connection.RestoreFailure(failure);
}

QStringList SplitSqlScript(const QString &script)
{
    QStringList statements;
    QString current;
    bool inQuote = false;
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script[i];
        if (!inQuote && c == QLatin1Char('-') && i + 1 < script.size() && script[i + 1] == QLatin1Char('-')) {
            while (i < script.size() && script[i] != QLatin1Char('\n'))
                ++i;
            current += QLatin1Char('\n');
            continue;
        }
        if (c == QLatin1Char('\''))
            inQuote = !inQuote;
        if (c == QLatin1Char(';') && !inQuote) {
            if (!current.trimmed().isEmpty())
                statements << current.trimmed();
            current.clear();
            continue;
        }
        current += c;
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

} // namespace Platform
