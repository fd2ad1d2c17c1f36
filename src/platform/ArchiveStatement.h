#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

struct sqlite3;
struct sqlite3_stmt;

namespace Platform {

// One SQLite statement, prepared on a connection and finalized when the object ends. Run binds
// the values in order, steps through every row and leaves the statement ready for its next run
// (reset, bindings cleared) however the run ended; while a row is handed over, its columns are
// read here.
//   CArchiveStatement count(handle, "SELECT count(*) FROM CModInstr WHERE IDProgramma > ?", false);
//   qint64 n = 0;
//   count.Run({2}, [&n](const CArchiveStatement &row) { n = row.Number(0); });  // SQLITE_DONE
class CArchiveStatement
{
public:
    using RowReader = std::function<void(const CArchiveStatement &row)>;

    CArchiveStatement() = default;
    // kept: the statement will run many times (SQLite then keeps it out of its short-lived memory).
    CArchiveStatement(sqlite3 *handle, const QString &sql, bool kept);
    ~CArchiveStatement();
    CArchiveStatement(CArchiveStatement &&other) noexcept;
    CArchiveStatement &operator=(CArchiveStatement &&other) noexcept;
    CArchiveStatement(const CArchiveStatement &) = delete;
    CArchiveStatement &operator=(const CArchiveStatement &) = delete;

    // False when the text did not prepare; the connection's error says why.
    bool IsPrepared() const { return m_Statement != nullptr; }
    // True when running it changes the file; false for reads, savepoints and their release.
    bool Writes() const;
    QString Sql() const;
    // The tables it reads or writes, as the engine resolved its text (a view's own tables).
    const QStringList &Tables() const { return m_Tables; }
    // SQLite's result: SQLITE_DONE when the statement ran to its end.
    int Run(const QVariantList &values = {}, const RowReader &row = {});

    int ColumnCount() const;
    qint64 Number(int column) const;
    QString Text(int column) const;
    // As the column holds it: a number, a double, a text, bytes, or an invalid QVariant for NULL.
    QVariant Value(int column) const;

private:
    void Bind(int index, const QVariant &value);

    sqlite3_stmt *m_Statement = nullptr;
    QStringList m_Tables;
};

} // namespace Platform
