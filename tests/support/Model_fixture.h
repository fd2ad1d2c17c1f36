#pragma once

#include "model/Archive.h"
#include "model/ScaleTables.h"
#include "support/TempUserDirs.h"

#include <QLocale>

#include <gtest/gtest.h>

// Start-up fills the scale tables once; reports are read with "." as separator unless a test
// says otherwise.
class CModelEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        InitGlobalScale();
        QLocale::setDefault(QLocale::c());
    }
};
inline ::testing::Environment *const g_ModelEnvironment =
    ::testing::AddGlobalTestEnvironment(new CModelEnvironment);

// Every row of the tables (every configuration table unless named) as "CModInstr 3 Caldaia 2 0 0 0 0",
// in the order of their first column: equal rows, equal archives.
inline QStringList ArchiveRows(const QStringList &tables = CArchive::ConfigurationTables())
{
    QStringList rows;
    for (const QString &table : tables) {
        g_Connection->Run("SELECT * FROM " + table + " ORDER BY 1", {}, [&rows, &table](const auto &row) {
            rows << table;
            for (int i = 0; i < row.ColumnCount(); ++i)
                rows.last() += ' ' + row.Value(i).toString();
        });
    }
    return rows;
}

// A fresh archive in a temporary user folder, open on g_Connection for one test.
class ArchiveTest : public ::testing::Test
{
protected:
    void SetUp() override { g_Connection->Open(); }
    void TearDown() override { g_Connection->Close(); }

    // One value of the archive, read with a bare statement.
    static QVariant Value(const QString &sql)
    {
        QVariantList values;
        g_Connection->Run(sql, {}, [&values](const auto &row) { values << row.Value(0); });
        return values.value(0);
    }
    static void Exec(const QString &sql) { g_Connection->Run(sql); }

    TempUserDirs m_Dirs;
};
