#pragma once

#include "model/ArchiveError.h"
#include "platform/ArchiveDatabase.h"
#include "platform/ArchiveRow.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// One configuration of the list "Programmi".
struct CProgrammaItem
{
    qint64 IDProgramma = 0;
    QString NomeProgramma;
};

// The program's archive of configurations: the file IxoEkaProgram.db in the user's data
// folder, made from resources/archive.sql on the first start. One object, g_Connection,
// exists for the whole run; the main window opens it when it loads and every archive-backed
// configuration object reaches its table through it. Every failure throws CError.
// Table names only ever come from ConfigurationTables(); values are always bound. Ids are the
// database's 64-bit row numbers.
//   g_Connection->Open();                 // creates the file when missing
//   qint64 id = g_Connection->NewID();    // 3 on a new archive, never the same twice
//   g_Connection->DeleteProgramma(id);    // all thirteen tables, or none
class CArchive
{
public:
    // The fixed record that an instrument read lands in; never listed, never deleted.
    static constexpr qint64 kActualSettingID = 2;

    static QString DefaultFilePath();
    // The thirteen configuration tables, in the order of the schema: "CModInstr",
    // "CRangeQEM", ..., "CSerialComm", "CAlarm1" to "CAlarm4".
    static const QStringList &ConfigurationTables();
    static bool IsConfigurationTable(const QString &name);

    // Creates the file when missing and brings an older one up to date (a read-only one works
    // as it is). A file of another version, one cut short or corrupted, or one with a journal
    // that its folder does not let finish is refused with a CError that names it and says why,
    // and is not written to.
    void Open(const QString &filePath = DefaultFilePath());
    void Close();
    bool IsOpen() const { return m_Database.IsOpen(); }

    // The check of the whole file that the opening left for later, one part a call; true while
    // parts remain. A damaged part is traced, and every later change raises aeDamaged.
    bool CheckNextPart();
    bool CheckFailed() const;

    // A new archive id from "CounterProgrammi" (aeNoIDLeft when the counter has given its
    // last), and the giving back of an unused one.
    qint64 NewID();
    void GiveBackID(qint64 id);
    // Deletes the configuration from every table in one transaction ("Canc_Programma").
    void DeleteProgramma(qint64 id);
    // "Programmi": every configuration but record 2, by name (letter case aside), then id.
    QList<CProgrammaItem> Programmi();

    // The stored columns of a configuration table in the schema's order, read once an opening.
    const QStringList &Columns(const QString &table);
    // One row of a configuration table, every column of it. Add fails on an id the table already
    // holds; Update and Read answer false when the table holds no row of the id.
    void AddRow(const QString &table, qint64 id, const Platform::CArchiveRow &row);
    bool UpdateRow(const QString &table, qint64 id, const Platform::CArchiveRow &row);
    bool ReadRow(const QString &table, qint64 id, Platform::CArchiveRow &row);

    // For transactions (CArchiveTransaction) and for measuring against bare statements.
    Platform::CArchiveDatabase &Database() { return m_Database; }
    // The prepared statement for sql; throws CError when it does not prepare.
    QSqlQuery &Statement(const QString &sql);
    void Run(QSqlQuery &query);
    // Throws the engine's last refusal as CError.
    [[noreturn]] void RaiseLastError() const;

private:
    // The row statements of one table, made once with its column list, so that a save or load of
    // a whole configuration builds no statement text; the read goes straight to SQLite.
    struct CTableStatements
    {
        QStringList Columns;
        QSqlQuery *Insert = nullptr;
        QSqlQuery *Update = nullptr;
        QString Select;
    };

    CTableStatements &TableStatements(const QString &table);
    bool CounterExhausted();

    Platform::CArchiveDatabase m_Database;
    QHash<QString, CTableStatements> m_Tables;
};

// The program's one archive connection; it exists before main() runs and is closed until
// opened.
extern CArchive *const g_Connection;
