#pragma once

// The archive's work written the least way through the sqlite3 C API, on a connection of its own
// to the same file: statements prepared once, values bound and read column by column, each
// change one transaction. The reference of the archive benchmarks.
#include "model/Archive.h"

#include <QString>

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

class CSqliteReference
{
public:
    explicit CSqliteReference(const QString &path)
    {
        Check(sqlite3_open_v2(path.toUtf8().constData(), &m_Database, SQLITE_OPEN_READWRITE, nullptr));
        m_List =
            Prepare("SELECT IDProgramma, m_NomeProgramma FROM Programmi ORDER BY m_NomeProgramma COLLATE "
                    "NOCASE, IDProgramma");
        m_Begin = Prepare("BEGIN");
        m_Commit = Prepare("COMMIT");
        m_NewID = Prepare("INSERT INTO CounterProgrammi DEFAULT VALUES");
        m_GiveBack = Prepare("DELETE FROM CounterProgrammi WHERE IDProgramma = ?");
        for (const QString &name : CArchive::ConfigurationTables())
            m_Tables.push_back(MakeTable(name));
    }
    ~CSqliteReference()
    {
        for (sqlite3_stmt *statement : m_Statements)
            sqlite3_finalize(statement);
        sqlite3_close(m_Database);
    }
    CSqliteReference(const CSqliteReference &) = delete;
    CSqliteReference &operator=(const CSqliteReference &) = delete;

    // The listing "Programmi", kept as a list shows it.
    std::vector<std::pair<qint64, QString>> List()
    {
        std::vector<std::pair<qint64, QString>> rows;
        while (sqlite3_step(m_List) == SQLITE_ROW)
            rows.emplace_back(sqlite3_column_int64(m_List, 0), Text(m_List, 1));
        sqlite3_reset(m_List);
        return rows;
    }

    // A new id from the counter and the thirteen rows of record 2's values under it.
    qint64 Add()
    {
        Run(m_Begin);
        Run(m_NewID);
        const qint64 id = sqlite3_last_insert_rowid(m_Database);
        for (const CTable &table : m_Tables) {
            sqlite3_bind_int64(table.Insert, 1, id);
            for (size_t c = 0; c < table.Defaults.size(); ++c) {
                const CValue &value = table.Defaults[c];
                if (value.IsText)
                    sqlite3_bind_text(table.Insert, int(c) + 2, value.Text.constData(), -1, SQLITE_STATIC);
                else
                    sqlite3_bind_int64(table.Insert, int(c) + 2, value.Number);
            }
            Run(table.Insert);
        }
        Run(m_Commit);
        return id;
    }

    void Delete(qint64 id)
    {
        Run(m_Begin);
        for (const CTable &table : m_Tables) {
            sqlite3_bind_int64(table.Delete, 1, id);
            Run(table.Delete);
        }
        sqlite3_bind_int64(m_GiveBack, 1, id);
        Run(m_GiveBack);
        Run(m_Commit);
    }

    // The thirteen rows of id read into numbers and texts, as one state of the file.
    void Load(qint64 id)
    {
        m_Numbers.clear();
        Run(m_Begin);
        for (const CTable &table : m_Tables) {
            sqlite3_bind_int64(table.Select, 1, id);
            if (sqlite3_step(table.Select) != SQLITE_ROW)
                Fail("no row");
            for (int c = 0; c < table.Columns; ++c) {
                if (sqlite3_column_type(table.Select, c) == SQLITE_TEXT)
                    m_Name = Text(table.Select, c);
                else
                    m_Numbers.push_back(qint16(sqlite3_column_int64(table.Select, c)));
            }
            sqlite3_reset(table.Select);
        }
        Run(m_Commit);
    }

private:
    struct CValue
    {
        bool IsText = false;
        qint64 Number = 0;
        QByteArray Text;
    };
    struct CTable
    {
        int Columns = 0;
        // Record 2's value of each column.
        std::vector<CValue> Defaults;
        sqlite3_stmt *Insert = nullptr;
        sqlite3_stmt *Select = nullptr;
        sqlite3_stmt *Delete = nullptr;
    };

    CTable MakeTable(const QString &name)
    {
        CTable table;
        const QByteArray table8 = name.toUtf8();
        sqlite3_stmt *all = Prepare("SELECT * FROM " + table8 + " WHERE IDProgramma = 2");
        if (sqlite3_step(all) != SQLITE_ROW)
            Fail("no record 2");
        QByteArray columns, marks;
        for (int c = 1; c < sqlite3_column_count(all); ++c) {
            columns += QByteArray(columns.isEmpty() ? "" : ", ") + sqlite3_column_name(all, c);
            marks += ", ?";
            const bool text = sqlite3_column_type(all, c) == SQLITE_TEXT;
            table.Defaults.push_back(
                {text, sqlite3_column_int64(all, c),
                 QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(all, c)))});
        }
        sqlite3_reset(all);
        table.Columns = int(table.Defaults.size());
        table.Insert =
            Prepare("INSERT INTO " + table8 + " (IDProgramma, " + columns + ") VALUES (?" + marks + ")");
        table.Select = Prepare("SELECT " + columns + " FROM " + table8 + " WHERE IDProgramma = ?");
        table.Delete = Prepare("DELETE FROM " + table8 + " WHERE IDProgramma = ?");
        return table;
    }

    static QString Text(sqlite3_stmt *statement, int column)
    {
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, column)),
                                 sqlite3_column_bytes(statement, column));
    }

    sqlite3_stmt *Prepare(const QByteArray &sql)
    {
        sqlite3_stmt *statement = nullptr;
        Check(sqlite3_prepare_v3(m_Database, sql.constData(), -1, SQLITE_PREPARE_PERSISTENT, &statement,
                                 nullptr));
        m_Statements.push_back(statement);
        return statement;
    }

    void Run(sqlite3_stmt *statement)
    {
        const int result = sqlite3_step(statement);
        sqlite3_reset(statement);
        if (result != SQLITE_DONE)
            Fail(sqlite3_errmsg(m_Database));
    }

    void Check(int result)
    {
        if (result != SQLITE_OK)
            Fail(sqlite3_errmsg(m_Database));
    }

    [[noreturn]] static void Fail(const char *what)
    {
        std::fprintf(stderr, "sqlite3: %s\n", what);
        std::exit(1);
    }

    sqlite3 *m_Database = nullptr;
    std::vector<sqlite3_stmt *> m_Statements;
    sqlite3_stmt *m_List = nullptr;
    sqlite3_stmt *m_Begin = nullptr;
    sqlite3_stmt *m_Commit = nullptr;
    sqlite3_stmt *m_NewID = nullptr;
    sqlite3_stmt *m_GiveBack = nullptr;
    std::vector<CTable> m_Tables;
    std::vector<qint16> m_Numbers;
    QString m_Name;
};
