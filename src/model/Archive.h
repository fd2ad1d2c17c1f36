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
// Table and column names come only from the configuration classes (their ClassName and their
// stored columns); values are always bound. Ids are the database's 64-bit row numbers.
//   g_Connection->Open();                 // creates the file when missing
//   qint64 id = g_Connection->NewID();    // 3 on a new archive, never the same twice
//   g_Connection->DeleteProgramma(id);    // all thirteen tables, or none
// Every change first waits for the check of the file (see CArchiveDatabase) and is refused
// while the file cannot take it: aeDamaged when the check found it damaged, aeReadOnly when
// the file or its folder cannot be written, aeBusy when another program kept the check from
// reading it (the next change checks it again), aeClosing when the program closes meanwhile.
class CArchive
{
public:
    // The fixed record that an instrument read lands in; never listed, never deleted.
    static constexpr qint64 kActualSettingID = 2;

    CArchive();

    static QString DefaultFilePath();
    // The thirteen configuration tables, the class names of a configuration's objects:
    // "CModInstr", "CRangeQEM", ..., "CSerialComm", "CAlarm1" to "CAlarm4".
    static const QStringList &ConfigurationTables();
    static bool IsConfigurationTable(const QString &name);

    // Creates the file when missing; an older one is brought up to date once it has passed its
    // check (a read-only one works as it is). A file of another version, one SQLite cannot read
    // as an archive, one with a journal that its folder does not let finish, or one lacking a
    // table or column that the classes store is refused with a CError that names it and says
    // why (aeMissingPart with the missing one in the user's words as its reason), and is not
    // written to.
    void Open(const QString &filePath = DefaultFilePath());
    void Close();
    bool IsOpen() const { return m_Database.IsOpen(); }

    bool CheckPending() const;
    bool CheckFailed() const;
    // The parts found damaged: table names, "sqlite_master" for the schema, index names where
    // every row of their table still reads (the list is then read from its table).
    QStringList DamagedParts() const { return m_Database.DamagedParts(); }
    // The check the opening left for later, started once the caller's first work is done.
    void StartCheck() { m_Database.StartCheck(); }
    // Runs the event loop, the user's input held back, until the check has ended; false when the
    // program closes first.
    bool WaitForCheck() { return m_Database.WaitForCheck(); }
    // WaitForCheck for a command: raises aeClosing when the program closes first.
    void AwaitCheck();
    // Waits for the check; raises aeDamaged, aeReadOnly, aeBusy or aeClosing when no change can
    // be stored.
    void RequireWritable();

    // A new archive id from "CounterProgrammi" (aeNoIDLeft when the counter has given its
    // last), and the giving back of an unused one.
    qint64 NewID();
    void GiveBackID(qint64 id);
    // Deletes the configuration from every table in one transaction ("Canc_Programma").
    void DeleteProgramma(qint64 id);
    // "Programmi": every configuration but record 2, by name (letter case aside), then id.
    QList<CProgrammaItem> Programmi();

    // The stored columns of a configuration table, in the class's order.
    const QStringList &Columns(const QString &table);
    // One row of a configuration table, every column of it. Add fails on an id the table already
    // holds; Update and Read answer false when the table holds no row of the id.
    void AddRow(const QString &table, qint64 id, const Platform::CArchiveRow &row);
    bool UpdateRow(const QString &table, qint64 id, const Platform::CArchiveRow &row);
    bool ReadRow(const QString &table, qint64 id, Platform::CArchiveRow &row);

    // For transactions (CArchiveTransaction) and for measuring against bare statements.
    Platform::CArchiveDatabase &Database() { return m_Database; }
    // Runs a statement with the values bound in order and hands over its rows; a statement that
    // writes is a change like any other.
    void Run(const QString &sql, const QVariantList &values = {},
             const Platform::CArchiveStatement::RowReader &row = {});
    // Throws the engine's last refusal as CError.
    [[noreturn]] void RaiseLastError() const;

private:
    // The row statements of one table, prepared once with the class's columns.
    struct CTableStatements
    {
        QStringList Columns;
        Platform::CArchiveStatement *Insert = nullptr;
        Platform::CArchiveStatement *Update = nullptr;
        Platform::CArchiveStatement *Select = nullptr;
    };

    Platform::CArchiveStatement &Statement(const QString &sql);
    void Execute(Platform::CArchiveStatement &statement, const QVariantList &values = {},
                 const Platform::CArchiveStatement::RowReader &row = {});
    CTableStatements &TableStatements(const QString &table);
    // Runs a read; false when the engine found the file damaged on the way (the archive has
    // taken it for damaged then), any other failure raised.
    bool ReadUnlessDamaged(const QString &sql, const QVariantList &values,
                           const Platform::CArchiveStatement::RowReader &row);
    // Raises aeMissingPart for the first table or column the program needs that the file lacks.
    void CheckTables();
    void TraceCheck() const;
    bool CounterExhausted();

    Platform::CArchiveDatabase m_Database;
    QHash<QString, CTableStatements> m_Tables;
};

// The program's one archive connection; it exists before main() runs and is closed until
// opened.
extern CArchive *const g_Connection;
