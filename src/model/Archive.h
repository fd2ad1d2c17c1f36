#pragma once

#include "platform/ArchiveDatabase.h"
#include "platform/ArchiveRow.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// Numbers of the archive's errors (program errors: code Or 0x80040000).
enum ArchiveErrors : qint32 {
    aeRecordNotFound = 13101, // no row of the id in a table
    aeDatabase = 13102,       // the database engine refused a statement
    aeWrongVersion = 13103,   // the file was made by another version of the program
    aeUnknownTable = 13104,   // a class name that is not one of the archive's tables
    aeFixedRecord = 13105,    // record 2 cannot be deleted or given back
    aeNotOpen = 13106,        // no archive is open
    aeDamaged = 13107,        // the file is cut short or corrupted; it is left as it was
};

// Traces the description and throws it as CError (source "<program>.Archive"); the command
// that ran ends, the program goes on.
[[noreturn]] void RaiseArchiveError(ArchiveErrors code, const QString &description);

// One configuration of the list "Programmi".
struct CProgrammaItem
{
    qint32 IDProgramma = 0;
    QString NomeProgramma;
};

// The program's archive of configurations: the file IxoEkaProgram.db in the user's data
// folder, made from resources/archive.sql on the first start. One object, g_Connection,
// exists for the whole run; the main window opens it when it loads and every archive-backed
// configuration object reaches its table through it. Every failure throws CError.
// Table names only ever come from ConfigurationTables(); values are always bound.
//   g_Connection->Open();                 // creates the file when missing
//   qint32 id = g_Connection->NewID();    // 3 on a new archive, never the same twice
//   g_Connection->DeleteProgramma(id);    // all thirteen tables, or none
class CArchive
{
public:
    static constexpr int kSchemaVersion = 1;
    // The fixed record that an instrument read lands in; never listed, never deleted.
    static constexpr qint32 kActualSettingID = 2;

    static QString DefaultFilePath();
    // The thirteen configuration tables, in the order of the schema: "CModInstr",
    // "CRangeQEM", ..., "CSerialComm", "CAlarm1" to "CAlarm4".
    static const QStringList &ConfigurationTables();
    static bool IsConfigurationTable(const QString &name);

    // Creates the file when missing; a file of another version, or one cut short or corrupted,
    // is refused with a CError that names it and says why, and is not written to.
    void Open(const QString &filePath = DefaultFilePath());
    void Close();
    bool IsOpen() const { return m_Database.IsOpen(); }

    // A new archive id from "CounterProgrammi", and the giving back of an unused one.
    qint32 NewID();
    void GiveBackID(qint32 id);
    // Deletes the configuration from every table in one transaction ("Canc_Programma").
    void DeleteProgramma(qint32 id);
    // "Programmi": every configuration but record 2, by name (letter case aside), then id.
    QList<CProgrammaItem> Programmi();

    // One row of a configuration table. Add fails on an id the table already holds; Update
    // and Read answer false when the table holds no row of the id. Read fills the row's columns.
    void AddRow(const QString &table, qint32 id, const Platform::CArchiveRow &row);
    bool UpdateRow(const QString &table, qint32 id, const Platform::CArchiveRow &row);
    bool ReadRow(const QString &table, qint32 id, Platform::CArchiveRow &row);

    // For transactions (CArchiveTransaction) and for measuring against bare statements.
    Platform::CArchiveDatabase &Database() { return m_Database; }
    // The prepared statement for sql; throws CError when it does not prepare.
    QSqlQuery &Statement(const QString &sql);
    void Run(QSqlQuery &query);
    // Throws the engine's last refusal as CError.
    [[noreturn]] void RaiseLastError() const;

private:
    enum RowOperation { roInsert, roUpdate, roSelect, roCount };
    // The statement of one row operation on a table, kept with the columns it names so that a
    // save or load of a whole configuration builds no statement text.
    struct CRowStatement
    {
        QStringList Columns;
        QSqlQuery *Query = nullptr;
    };

    QSqlQuery &RowStatement(RowOperation operation, const QString &table, const QStringList &columns);

    Platform::CArchiveDatabase m_Database;
    std::array<QHash<QString, CRowStatement>, roCount> m_RowStatements;
};

// The program's one archive connection; it exists before main() runs and is closed until
// opened.
extern CArchive *const g_Connection;
