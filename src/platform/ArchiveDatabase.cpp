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
    m_Database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_ConnectionName);
    m_Database.setDatabaseName(filePath);
    if (!m_Database.open()) {
        Fail(QStringLiteral("apertura"), m_Database.lastError().text());
        Close();
        return OpenResult::Failed;
    }
    m_FileVersion = QueryInt(QStringLiteral("PRAGMA user_version"));
    const int objects = QueryInt(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    if (m_FileVersion < 0 || objects < 0) { // not a database at all
        Close();
        return OpenResult::Failed;
    }
    // A file with no table at all is what an interrupted first start leaves: start it afresh.
    const bool fresh = m_FileVersion == 0 && objects == 0;
    if (fresh) {
        if (!RunScript(schemaSql)) {
            Close();
            if (!existed)
                QFile::remove(filePath);
            return OpenResult::Failed;
        }
        m_FileVersion = QueryInt(QStringLiteral("PRAGMA user_version"));
    }
    if (m_FileVersion != schemaVersion) {
        const int found = m_FileVersion;
        Close();
        m_FileVersion = found;
        return OpenResult::WrongVersion;
    }
    return fresh ? OpenResult::Created : OpenResult::Opened;
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

int CArchiveDatabase::QueryInt(const QString &sql)
{
    QSqlQuery query(m_Database);
    if (!query.exec(sql) || !query.next()) {
        Fail(sql, query.lastError().text());
        return -1;
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
