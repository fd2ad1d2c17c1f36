#include "platform/ArchiveDatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>

namespace Platform {

CArchiveDatabase::CArchiveDatabase()
    : m_ConnectionName(QStringLiteral("IxoArchive-%1").arg(reinterpret_cast<quintptr>(this)))
{}

CArchiveDatabase::~CArchiveDatabase()
{
    Close();
}

CArchiveDatabase::OpenResult CArchiveDatabase::Open(const QString &filePath, const QString &schemaSql,
                                                    int schemaVersion)
{
    Close();
    m_LastError.clear();
    m_FileVersion = 0;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        m_LastError = QStringLiteral("driver QSQLITE non disponibile");
        return OpenResult::Failed;
    }
    const bool existed = QFileInfo::exists(filePath);
    if (existed) {
        // A file the user may not read is not a damaged one.
        if (!QFileInfo(filePath).isReadable()) {
            m_LastError = QStringLiteral("file non leggibile");
            return OpenResult::Failed;
        }
        if (const std::optional<QString> damage = Damage(filePath)) {
            m_LastError = *damage;
            return OpenResult::Damaged;
        }
    }
    m_Database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_ConnectionName);
    m_Database.setDatabaseName(filePath);
    if (!m_Database.open()) {
        Fail(QStringLiteral("apertura"), m_Database.lastError().text());
        Close();
        return OpenResult::Failed;
    }
    const std::optional<int> version = QueryInt(QStringLiteral("PRAGMA user_version"));
    const std::optional<int> objects = QueryInt(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    if (!version || !objects) { // not a database at all
        Close();
        return OpenResult::Failed;
    }
    m_FileVersion = *version;
    // A file with no table at all is what an interrupted first start leaves: start it afresh.
    const bool fresh = m_FileVersion == 0 && *objects == 0;
    if (fresh) {
        const std::optional<int> created =
            RunScript(schemaSql) ? QueryInt(QStringLiteral("PRAGMA user_version")) : std::nullopt;
        if (!created) {
            Close();
            if (!existed)
                QFile::remove(filePath);
            return OpenResult::Failed;
        }
        m_FileVersion = *created;
    }
    if (m_FileVersion != schemaVersion) {
        const int found = m_FileVersion;
        Close();
        m_FileVersion = found;
        return OpenResult::WrongVersion;
    }
    return fresh ? OpenResult::Created : OpenResult::Opened;
}

std::optional<QString> CArchiveDatabase::Damage(const QString &filePath)
{
    const QString name = m_ConnectionName + QStringLiteral("-check");
    // A journal left by an interrupted write is SQLite's own way back to the last whole state;
    // a read-only connection cannot replay it, so a writing one does that first.
    if (QFileInfo::exists(filePath + QStringLiteral("-journal"))) {
        {
            QSqlDatabase recovery = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            recovery.setDatabaseName(filePath);
            if (recovery.open())
                QSqlQuery(QStringLiteral("SELECT count(*) FROM sqlite_master"), recovery).finish();
            recovery.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
    std::optional<QString> damage;
    {
        QSqlDatabase check = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        check.setDatabaseName(filePath);
        check.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        auto value = [&](const QString &sql) -> std::optional<QVariant> {
            QSqlQuery query(check);
            if (!query.exec(sql) || !query.next()) {
                damage = query.lastError().text().trimmed() + QStringLiteral(" [") + sql + QLatin1Char(']');
                return std::nullopt;
            }
            return query.value(0);
        };
        if (!check.open()) {
            damage = check.lastError().text().trimmed();
        } else if (const auto pages = value(QStringLiteral("PRAGMA page_count"))) {
            const auto pageSize = value(QStringLiteral("PRAGMA page_size"));
            const qint64 size = QFileInfo(filePath).size();
            const qint64 expected = pages->toLongLong() * pageSize.value_or(0).toLongLong();
            if (pageSize && size != expected)
                damage = QStringLiteral("file di %1 byte invece di %2 (%3 pagine da %4 byte)")
                             .arg(size)
                             .arg(expected)
                             .arg(pages->toLongLong())
                             .arg(pageSize->toLongLong());
            if (!damage) {
                const auto verdict = value(QStringLiteral("PRAGMA quick_check"));
                if (verdict && verdict->toString() != QLatin1String("ok"))
                    damage = QStringLiteral("controllo di integrità: ") + verdict->toString();
            }
        }
        check.close();
    }
    QSqlDatabase::removeDatabase(name);
    return damage;
}

void CArchiveDatabase::Close()
{
    m_Statements.clear();
    if (m_Database.isValid()) {
        m_Database.close();
        m_Database = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_ConnectionName);
    }
}

QSqlQuery *CArchiveDatabase::Prepared(const QString &sql)
{
    const auto found = m_Statements.find(sql);
    if (found != m_Statements.end())
        return found->second.get();
    auto query = std::make_unique<QSqlQuery>(m_Database);
    if (!query->prepare(sql)) {
        Fail(sql, query->lastError().text());
        return nullptr;
    }
    return m_Statements.emplace(sql, std::move(query)).first->second.get();
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
    return Exec(QStringLiteral("SAVEPOINT ixo"));
}

bool CArchiveDatabase::ReleaseSavepoint()
{
    return Exec(QStringLiteral("RELEASE ixo"));
}

bool CArchiveDatabase::RollbackSavepoint()
{
    // ROLLBACK TO keeps the level open; the release then closes it with nothing to write.
    const bool rolledBack = Exec(QStringLiteral("ROLLBACK TO ixo"));
    return ReleaseSavepoint() && rolledBack;
}

bool CArchiveDatabase::RunScript(const QString &schemaSql)
{
    const QStringList statements = SplitSqlScript(schemaSql);
    if (statements.isEmpty()) {
        m_LastError = QStringLiteral("schema vuoto");
        return false;
    }
    QSqlQuery query(m_Database);
    if (!m_Database.transaction()) {
        Fail(QStringLiteral("BEGIN"), m_Database.lastError().text());
        return false;
    }
    for (const QString &statement : statements) {
        if (!query.exec(statement)) {
            Fail(statement, query.lastError().text());
            query.finish();
            m_Database.rollback();
            return false;
        }
    }
    query.finish();
    if (!m_Database.commit()) {
        Fail(QStringLiteral("COMMIT"), m_Database.lastError().text());
        return false;
    }
    return true;
}

std::optional<int> CArchiveDatabase::QueryInt(const QString &sql)
{
    QSqlQuery query(m_Database);
    if (!query.exec(sql) || !query.next()) {
        Fail(sql, query.lastError().text());
        return std::nullopt;
    }
    return query.value(0).toInt();
}

void CArchiveDatabase::Fail(const QString &what, const QString &driverText)
{
    m_LastError = driverText.trimmed() + QStringLiteral(" [") + what.simplified() + QLatin1Char(']');
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
