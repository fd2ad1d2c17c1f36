#include "platform/ArchiveDatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSqlDriver>
#include <QSqlError>

#include <sqlite3.h>

#include <algorithm>

namespace Platform {

namespace {

// The file a run keeps beside the archive while it has it open: found at the next opening, it
// says that run ended without closing the archive.
QString OpenMarkerPath(const QString &filePath)
{
    return filePath + QStringLiteral("-open");
}

// SQLite finishes an interrupted write by writing the file and deleting the journal.
bool CanFinishWrite(const QString &filePath)
{
    const QFileInfo file(filePath);
    return file.isWritable() && QFileInfo(file.absolutePath()).isWritable();
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
    : m_ConnectionName(QStringLiteral("IxoArchive-%1").arg(reinterpret_cast<quintptr>(this)))
{}

CArchiveDatabase::~CArchiveDatabase()
{
    Close();
}

CArchiveDatabase::OpenResult CArchiveDatabase::Open(const QString &filePath, const QString &schemaSql)
{
    Close();
    Refuse({});
    m_UpgradeError.clear();
    m_FileVersion = 0;
    const QList<CSchemaStep> steps = SchemaSteps(schemaSql);
    if (steps.isEmpty()) {
        Refuse(QStringLiteral("schema senza versione"));
        return OpenResult::Failed;
    }
    m_SchemaVersion = steps.last().Version;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        Refuse(QStringLiteral("driver QSQLITE non disponibile"));
        return OpenResult::Failed;
    }
    const bool existed = QFileInfo::exists(filePath);
    bool trouble = false;
    if (existed) {
        if (const std::optional<OpenResult> refused = RefusalBeforeConnecting(filePath, trouble))
            return *refused;
    }
    if (!OpenConnection(filePath))
        return OpenResult::Failed;
    if (existed) {
        if (const std::optional<QString> damage = Damage(filePath, trouble)) {
            Close();
            Refuse(*damage);
            return OpenResult::Damaged;
        }
    }
    const OpenResult result = OpenVersion(steps);
    if (result != OpenResult::Opened && result != OpenResult::Created) {
        Close();
        if (!existed)
            QFile::remove(filePath);
        return result;
    }
    m_Check = result == OpenResult::Opened && !trouble ? CheckState::Pending : CheckState::Checked;
    QFile marker(OpenMarkerPath(filePath));
    if (marker.open(QIODevice::WriteOnly))
        m_OpenMarker = marker.fileName();
    return result;
}

std::optional<CArchiveDatabase::OpenResult> CArchiveDatabase::RefusalBeforeConnecting(const QString &filePath,
                                                                                      bool &trouble)
{
    // A file the user may not read is not a damaged one.
    if (!QFileInfo(filePath).isReadable()) {
        Refuse(QStringLiteral("file non leggibile"));
        return OpenResult::Failed;
    }
    const QString journal = LeftoverJournal(filePath);
    if (!journal.isEmpty() && !CanFinishWrite(filePath)) {
        Refuse(QStringLiteral("scrittura interrotta, da completare dove il file e la cartella sono "
                              "scrivibili: ") +
               journal);
        return OpenResult::InterruptedWrite;
    }
    trouble = !journal.isEmpty() || QFileInfo::exists(OpenMarkerPath(filePath));
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

bool CArchiveDatabase::OpenConnection(const QString &filePath)
{
    m_Database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_ConnectionName);
    m_Database.setDatabaseName(filePath);
    if (m_Database.open()) {
        // The driver's handle is of the system's SQLite library, the one this program links.
        const QVariant handle = m_Database.driver()->handle();
        if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
            m_Handle = *static_cast<sqlite3 *const *>(handle.constData());
        return true;
    }
    Fail(QStringLiteral("apertura"), m_Database.lastError().text());
    Close();
    return false;
}

CArchiveDatabase::OpenResult CArchiveDatabase::OpenVersion(const QList<CSchemaStep> &steps)
{
    const std::optional<qint64> version = QueryNumber(QStringLiteral("PRAGMA user_version"));
    const std::optional<qint64> objects = QueryNumber(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    if (!version || !objects) // not a database at all
        return OpenResult::Failed;
    m_FileVersion = int(*version);
    // A file with no table at all is what an interrupted first start leaves: start it afresh.
    if (m_FileVersion == 0 && *objects == 0) {
        if (!RunSteps(steps, 0))
            return OpenResult::Failed;
        m_FileVersion = m_SchemaVersion;
        return OpenResult::Created;
    }
    const bool known = std::any_of(steps.begin(), steps.end(),
                                   [this](const CSchemaStep &step) { return step.Version == m_FileVersion; });
    if (!known)
        return OpenResult::WrongVersion;
    if (m_FileVersion != m_SchemaVersion) {
        if (RunSteps(steps, m_FileVersion))
            m_FileVersion = m_SchemaVersion;
        else
            m_UpgradeError = m_LastError;
    }
    return OpenResult::Opened;
}

std::optional<QString> CArchiveDatabase::Damage(const QString &filePath, bool wholeFile)
{
    // SQLite reads a missing tail as zeros: the size must be what the header promises.
    const std::optional<qint64> pages = QueryNumber(QStringLiteral("PRAGMA page_count"));
    const std::optional<qint64> pageSize =
        pages ? QueryNumber(QStringLiteral("PRAGMA page_size")) : std::nullopt;
    if (!pageSize)
        return m_LastError;
    const qint64 size = QFileInfo(filePath).size();
    if (size != *pages * *pageSize)
        return QStringLiteral("file di %1 byte invece di %2 (%3 pagine da %4 byte)")
            .arg(size)
            .arg(*pages * *pageSize)
            .arg(*pages)
            .arg(*pageSize);
    return wholeFile ? QuickCheck(QString()) : std::nullopt;
}

std::optional<QString> CArchiveDatabase::QuickCheck(const QString &part)
{
    QString sql = QStringLiteral("PRAGMA quick_check");
    if (!part.isEmpty())
        sql += QStringLiteral("('") + QString(part).replace(QLatin1Char('\''), QStringLiteral("''")) +
               QStringLiteral("')");
    QSqlQuery query(m_Database);
    query.setForwardOnly(true);
    if (!query.exec(sql))
        return query.lastError().text().trimmed() + QStringLiteral(" [") + sql + QLatin1Char(']');
    QStringList verdict;
    while (query.next())
        verdict << query.value(0).toString();
    if (verdict == QStringList{QStringLiteral("ok")})
        return std::nullopt;
    return QStringLiteral("controllo di integrità: ") + verdict.join(QStringLiteral("; "));
}

bool CArchiveDatabase::CheckNextPart()
{
    if (m_Check != CheckState::Pending || !IsOpen())
        return false;
    if (m_PartsToCheck.isEmpty()) {
        QSqlQuery tables(m_Database);
        tables.setForwardOnly(true);
        if (!tables.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
            RefuseWrites(tables.lastError().text().trimmed());
            return false;
        }
        m_PartsToCheck << QStringLiteral("sqlite_master");
        while (tables.next())
            m_PartsToCheck << tables.value(0).toString();
    }
    if (const std::optional<QString> damage = QuickCheck(m_PartsToCheck.takeFirst())) {
        RefuseWrites(*damage);
        return false;
    }
    if (m_PartsToCheck.isEmpty())
        m_Check = CheckState::Checked;
    return m_Check == CheckState::Pending;
}

void CArchiveDatabase::RefuseWrites(const QString &damage)
{
    m_Check = CheckState::Failed;
    m_PartsToCheck.clear();
    Refuse(damage);
    QSqlQuery(QStringLiteral("PRAGMA query_only = 1"), m_Database).finish();
}

void CArchiveDatabase::Close()
{
    m_Statements.clear();
    // Before the connection closes: SQLite keeps a connection with statements open.
    for (const auto &[sql, statement] : m_DirectStatements)
        sqlite3_finalize(statement);
    m_DirectStatements.clear();
    m_Handle = nullptr;
    if (m_Database.isValid()) {
        m_Database.close();
        m_Database = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_ConnectionName);
    }
    // A damaged file keeps the marker, so the next start checks it whole before it opens it.
    if (!m_OpenMarker.isEmpty() && m_Check != CheckState::Failed)
        QFile::remove(m_OpenMarker);
    m_OpenMarker.clear();
    m_Check = CheckState::Checked;
    m_PartsToCheck.clear();
}

QSqlQuery *CArchiveDatabase::Prepared(const QString &sql)
{
    const auto found = m_Statements.find(sql);
    if (found != m_Statements.end())
        return found->second.get();
    auto query = std::make_unique<QSqlQuery>(m_Database);
    // Rows are read once, in order: the driver then keeps only the current one.
    query->setForwardOnly(true);
    if (!query->prepare(sql)) {
        Fail(sql, query->lastError().text());
        return nullptr;
    }
    return m_Statements.emplace(sql, std::move(query)).first->second.get();
}

bool CArchiveDatabase::Read(const QString &sql, std::initializer_list<qint64> numbers,
                            const std::function<void(const CDirectRow &row)> &row)
{
    sqlite3_stmt *statement = DirectStatement(sql);
    if (statement == nullptr)
        return false;
    // Reset whatever happens, so the statement ends its read of the file and can run again.
    const auto reset = qScopeGuard([statement] { sqlite3_reset(statement); });
    int index = 0;
    for (const qint64 number : numbers)
        sqlite3_bind_int64(statement, ++index, number);
    int result = SQLITE_ROW;
    const CDirectRow current(statement);
    while ((result = sqlite3_step(statement)) == SQLITE_ROW)
        row(current);
    if (result != SQLITE_DONE)
        FailDirect(sql);
    return result == SQLITE_DONE;
}

sqlite3_stmt *CArchiveDatabase::DirectStatement(const QString &sql)
{
    const auto found = m_DirectStatements.find(sql);
    if (found != m_DirectStatements.end())
        return found->second;
    if (m_Handle == nullptr) {
        Fail(sql, QStringLiteral("archivio non aperto"));
        return nullptr;
    }
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v3(m_Handle, sql.toUtf8().constData(), -1, SQLITE_PREPARE_PERSISTENT, &statement,
                           nullptr) != SQLITE_OK) {
        FailDirect(sql);
        sqlite3_finalize(statement);
        return nullptr;
    }
    return m_DirectStatements.emplace(sql, statement).first->second;
}

void CArchiveDatabase::FailDirect(const QString &sql)
{
    Fail(sql, QString::fromUtf8(sqlite3_errmsg(m_Handle)));
}

qint64 CDirectRow::Number(int column) const
{
    return sqlite3_column_int64(m_Statement, column);
}

QString CDirectRow::Text(int column) const
{
    // The text first: asking for its length may convert it.
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_Statement, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(m_Statement, column));
}

QVariant CDirectRow::Value(int column) const
{
    switch (sqlite3_column_type(m_Statement, column)) {
    case SQLITE_INTEGER:
        return Number(column);
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_Statement, column);
    case SQLITE_NULL:
        return {};
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char *>(sqlite3_column_blob(m_Statement, column)),
                          sqlite3_column_bytes(m_Statement, column));
    default:
        return Text(column);
    }
}

bool CArchiveDatabase::Exec(QSqlQuery &query)
{
    if (query.exec())
        return true;
    Fail(query.lastQuery(), query.lastError().text());
    return false;
}

bool CArchiveDatabase::Exec(const QString &sql)
{
    QSqlQuery *query = Prepared(sql);
    return query && Exec(*query);
}

bool CArchiveDatabase::BeginSavepoint()
{
    return RunDirect(QStringLiteral("SAVEPOINT ixo"));
}

bool CArchiveDatabase::ReleaseSavepoint()
{
    return RunDirect(QStringLiteral("RELEASE ixo"));
}

bool CArchiveDatabase::RollbackSavepoint()
{
    // ROLLBACK TO keeps the level open; the release then closes it with nothing to write.
    const bool rolledBack = RunDirect(QStringLiteral("ROLLBACK TO ixo"));
    return ReleaseSavepoint() && rolledBack;
}

bool CArchiveDatabase::RunDirect(const QString &sql)
{
    return Read(sql, {}, [](const CDirectRow &) {});
}

bool CArchiveDatabase::RunSteps(const QList<CSchemaStep> &steps, int fromVersion)
{
    QSqlQuery query(m_Database);
    if (!m_Database.transaction()) {
        Fail(QStringLiteral("BEGIN"), m_Database.lastError().text());
        return false;
    }
    for (const CSchemaStep &step : steps) {
        if (step.Version <= fromVersion)
            continue;
        for (const QString &statement : step.Statements) {
            if (!query.exec(statement)) {
                Fail(statement, query.lastError().text());
                query.finish();
                m_Database.rollback();
                return false;
            }
        }
    }
    query.finish();
    if (!m_Database.commit()) {
        Fail(QStringLiteral("COMMIT"), m_Database.lastError().text());
        m_Database.rollback();
        return false;
    }
    return true;
}

std::optional<qint64> CArchiveDatabase::QueryNumber(const QString &sql)
{
    QSqlQuery query(m_Database);
    query.setForwardOnly(true);
    if (!query.exec(sql) || !query.next()) {
        Fail(sql, query.lastError().text());
        return std::nullopt;
    }
    return query.value(0).toLongLong();
}

void CArchiveDatabase::Refuse(const QString &why)
{
    m_LastError = why;
    m_LastReason.clear();
}

void CArchiveDatabase::Fail(const QString &what, const QString &driverText)
{
    m_LastReason = driverText.trimmed();
    m_LastError = m_LastReason + QStringLiteral(" [") + what.simplified() + QLatin1Char(']');
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
