#include "platform/ArchiveStatement.h"

#include <QScopeGuard>

#include <sqlite3.h>

#include <utility>

namespace Platform {
namespace {

// The names a statement's text reaches while SQLite prepares it.
struct CReached
{
    QStringList Tables;
    // The views whose own tables were read: a view keeps no rows of its own.
    QStringList Views;
};

// SQLite asks about every table a statement's text reaches while it prepares it, and names the
// view (or trigger) a read comes from.
int NoteTable(void *reached, int action, const char *table, const char *, const char *, const char *view)
{
    switch (action) {
    case SQLITE_READ:
    case SQLITE_INSERT:
    case SQLITE_UPDATE:
    case SQLITE_DELETE: {
        auto *names = static_cast<CReached *>(reached);
        const QString name = QString::fromUtf8(table);
        if (table != nullptr && !names->Tables.contains(name))
            names->Tables.append(name);
        if (view != nullptr)
            names->Views.append(QString::fromUtf8(view));
        break;
    }
    default:
        break;
    }
    return SQLITE_OK;
}

} // namespace

CArchiveStatement::CArchiveStatement(sqlite3 *handle, const QString &sql, bool kept)
{
    CReached reached;
    sqlite3_set_authorizer(handle, &NoteTable, &reached);
    const auto noMoreNotes = qScopeGuard([handle] { sqlite3_set_authorizer(handle, nullptr, nullptr); });
    if (sqlite3_prepare_v3(handle, sql.toUtf8().constData(), -1, kept ? SQLITE_PREPARE_PERSISTENT : 0,
                           &m_Statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_Statement);
        m_Statement = nullptr;
    }
    for (const QString &view : std::as_const(reached.Views))
        reached.Tables.removeAll(view);
    m_Tables = std::move(reached.Tables);
}

CArchiveStatement::~CArchiveStatement()
{
    sqlite3_finalize(m_Statement);
}

CArchiveStatement::CArchiveStatement(CArchiveStatement &&other) noexcept
    : m_Statement(std::exchange(other.m_Statement, nullptr)), m_Tables(std::move(other.m_Tables))
{}

CArchiveStatement &CArchiveStatement::operator=(CArchiveStatement &&other) noexcept
{
    std::swap(m_Statement, other.m_Statement);
    std::swap(m_Tables, other.m_Tables);
    return *this;
}

bool CArchiveStatement::Writes() const
{
    return sqlite3_stmt_readonly(m_Statement) == 0;
}

QString CArchiveStatement::Sql() const
{
    return QString::fromUtf8(sqlite3_sql(m_Statement));
}

int CArchiveStatement::Run(const QVariantList &values, const RowReader &row)
{
    // Whatever happens, the statement ends its read of the file and can run again.
    const auto reset = qScopeGuard([this] {
        sqlite3_reset(m_Statement);
        sqlite3_clear_bindings(m_Statement);
    });
    for (qsizetype i = 0; i < values.size(); ++i)
        Bind(int(i + 1), values[i]);
    int result = SQLITE_ROW;
    while ((result = sqlite3_step(m_Statement)) == SQLITE_ROW) {
        if (row)
            row(*this);
    }
    return result;
}

void CArchiveStatement::Bind(int index, const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        sqlite3_bind_null(m_Statement, index);
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(m_Statement, index, value.toDouble());
        break;
    case QMetaType::QString: {
        const QByteArray text = value.toString().toUtf8();
        sqlite3_bind_text64(m_Statement, index, text.constData(), sqlite3_uint64(text.size()),
                            SQLITE_TRANSIENT, SQLITE_UTF8);
        break;
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        sqlite3_bind_blob64(m_Statement, index, bytes.constData(), sqlite3_uint64(bytes.size()),
                            SQLITE_TRANSIENT);
        break;
    }
    default:
        if (value.isNull())
            sqlite3_bind_null(m_Statement, index);
        else
            sqlite3_bind_int64(m_Statement, index, value.toLongLong());
    }
}

int CArchiveStatement::ColumnCount() const
{
    return sqlite3_column_count(m_Statement);
}

qint64 CArchiveStatement::Number(int column) const
{
    return sqlite3_column_int64(m_Statement, column);
}

QString CArchiveStatement::Text(int column) const
{
    // The text first: asking for its length may convert it.
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_Statement, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(m_Statement, column));
}

QVariant CArchiveStatement::Value(int column) const
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

} // namespace Platform
