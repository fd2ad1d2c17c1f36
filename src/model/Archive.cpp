#include "model/Archive.h"

#include "common/Error.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "model/ArchiveTransaction.h"
#include "model/Configuration.h"
#include "platform/UserPaths.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <limits>

// The schema is compiled into the common library's resources.
static void InitArchiveResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace {

CArchive g_Archive;

const QString kCounterTable = QStringLiteral("CounterProgrammi");
// The index of the list's order (archive.sql, version 2).
const QString kListIndex = QStringLiteral("CModInstr_Programmi");

constexpr int kTableMissing = 838;
constexpr int kColumnMissing = 839;

QString SchemaText()
{
    InitArchiveResources();
    QFile file(QStringLiteral(":/archive.sql"));
    if (!file.open(QIODevice::ReadOnly))
        RaiseArchiveError(aeDatabase, QStringLiteral("Schema dell'archivio non trovato"));
    return QString::fromUtf8(file.readAll());
}

QString Placeholders(qsizetype count)
{
    QStringList marks;
    marks.fill(QStringLiteral("?"), count);
    return marks.join(QStringLiteral(", "));
}

// Each configuration table, in the order of a configuration's objects, with the columns its
// class stores, as the classes give them.
const QList<std::pair<QString, QStringList>> &ClassTables()
{
    static const QList<std::pair<QString, QStringList>> tables = [] {
        QList<std::pair<QString, QStringList>> found;
        CConfiguration configuration;
        for (CConfigClass *object : configuration.Objects())
            found.append({object->ClassName(), object->StoredColumns()});
        return found;
    }();
    return tables;
}

} // namespace

CArchive *const g_Connection = &g_Archive;

CArchive::CArchive()
{
    QObject::connect(&m_Database.Checker(), &Platform::CArchiveChecker::Finished, [this] { TraceCheck(); });
}

QString CArchive::DefaultFilePath()
{
    return Platform::UserDataFile(QStringLiteral("IxoEkaProgram.db"));
}

const QStringList &CArchive::ConfigurationTables()
{
    static const QStringList names = [] {
        QStringList found;
        for (const auto &[table, columns] : ClassTables())
            found << table;
        return found;
    }();
    return names;
}

bool CArchive::IsConfigurationTable(const QString &name)
{
    return ConfigurationTables().contains(name);
}

void CArchive::Open(const QString &filePath)
{
    Close();
    g_Trace->BugMessage(QStringLiteral("Apertura archivio ") + filePath);
    // The connection must close, and its check end, while the application still exists, which
    // is no longer so when the global objects end.
    static const bool closesWithTheApplication = [] {
        qAddPostRoutine([] { g_Connection->Close(); });
        return true;
    }();
    Q_UNUSED(closesWithTheApplication);
    switch (m_Database.Open(filePath, SchemaText())) {
    case Platform::CArchiveDatabase::OpenResult::Opened:
        if (!m_Database.UpgradeError().isEmpty())
            g_Trace->BugMessage(QStringLiteral("Archivio %1 lasciato alla versione %2: %3")
                                    .arg(filePath)
                                    .arg(m_Database.FileVersion())
                                    .arg(m_Database.UpgradeError()));
        CheckTables();
        return;
    case Platform::CArchiveDatabase::OpenResult::Created:
        g_Trace->BugMessage(QStringLiteral("Creato nuovo archivio ") + filePath);
        CheckTables();
        return;
    case Platform::CArchiveDatabase::OpenResult::WrongVersion:
        RaiseArchiveError(aeWrongVersion,
                          QStringLiteral("Versione %1 dell'archivio %2 non prevista (attesa %3)")
                              .arg(m_Database.FileVersion())
                              .arg(filePath)
                              .arg(m_Database.SchemaVersion()));
    case Platform::CArchiveDatabase::OpenResult::NotAnArchive:
        RaiseArchiveError(aeDamaged,
                          QStringLiteral("Archivio ") + filePath +
                              QStringLiteral(" danneggiato o non un archivio, lasciato com'era: ") +
                              m_Database.LastError());
    case Platform::CArchiveDatabase::OpenResult::InterruptedWrite:
        RaiseArchiveError(aeInterruptedWrite, QStringLiteral("Archivio ") + filePath +
                                                  QStringLiteral(" lasciato com'era: ") +
                                                  m_Database.LastError());
    case Platform::CArchiveDatabase::OpenResult::Failed:
        break;
    }
    if (m_Database.LastFoundBusy())
        RaiseDatabaseError(m_Database);
    RaiseArchiveError(aeDatabase,
                      QStringLiteral("Apertura archivio ") + filePath + QStringLiteral(" fallita: ") +
                          m_Database.LastError(),
                      m_Database.LastReason());
}

void CArchive::CheckTables()
{
    QHash<QString, QStringList> present;
    if (!m_Database.Exec(
            QStringLiteral("SELECT m.name, c.name FROM sqlite_master AS m, pragma_table_info(m.name) AS c "
                           "WHERE m.type IN ('table', 'view')"),
            {},
            [&present](const Platform::CArchiveStatement &row) { present[row.Text(0)] << row.Text(1); })) {
        Close();
        RaiseLastError();
    }
    QList<std::pair<QString, QStringList>> needed = {
        {kCounterTable, {QStringLiteral("IDProgramma")}},
        {QStringLiteral("Programmi"), {QStringLiteral("IDProgramma"), QStringLiteral("m_NomeProgramma")}}};
    for (const auto &[table, columns] : ClassTables())
        needed.append({table, QStringList{QStringLiteral("IDProgramma")} + columns});
    const QString path = m_Database.FilePath();
    for (const auto &[table, columns] : needed) {
        const QStringList &found = present.value(table);
        for (const QString &column : columns) {
            if (found.contains(column))
                continue;
            Close();
            if (found.isEmpty())
                RaiseArchiveError(aeMissingPart,
                                  QStringLiteral("Archivio %1 senza la tabella %2").arg(path, table),
                                  LoadResStringArgs(kTableMissing, {table}));
            RaiseArchiveError(
                aeMissingPart,
                QStringLiteral("Archivio %1: tabella %2 senza la colonna %3").arg(path, table, column),
                LoadResStringArgs(kColumnMissing, {table, column}));
        }
    }
}

void CArchive::TraceCheck() const
{
    if (CheckFailed())
        g_Trace->BugMessage(QStringLiteral("Archivio ") + m_Database.FilePath() +
                            QStringLiteral(" danneggiato, modifiche rifiutate: ") + m_Database.Damage());
    else if (m_Database.Check() == Platform::CArchiveDatabase::CheckState::Undecided)
        g_Trace->BugMessage(QStringLiteral("Controllo dell'archivio %1 non concluso, modifiche in attesa: %2")
                                .arg(m_Database.FilePath(), m_Database.WhyUndecided()));
    else if (m_Database.Check() == Platform::CArchiveDatabase::CheckState::Unreadable)
        g_Trace->BugMessage(QStringLiteral("Archivio %1 non leggibile dal controllo, modifiche rifiutate: %2")
                                .arg(m_Database.FilePath(), m_Database.WhyUndecided()));
    else if (!m_Database.UpgradeError().isEmpty())
        g_Trace->BugMessage(QStringLiteral("Archivio %1 lasciato alla versione %2: %3")
                                .arg(m_Database.FilePath())
                                .arg(m_Database.FileVersion())
                                .arg(m_Database.UpgradeError()));
}

void CArchive::Close()
{
    m_Tables.clear();
    m_Database.Close();
}

bool CArchive::CheckPending() const
{
    return m_Database.Check() == Platform::CArchiveDatabase::CheckState::Pending;
}

bool CArchive::CheckFailed() const
{
    return m_Database.Check() == Platform::CArchiveDatabase::CheckState::Failed;
}

void CArchive::AwaitCheck()
{
    const bool waited = m_Database.WaitForCheck();
    if (!IsOpen())
        RaiseArchiveError(aeNotOpen, QStringLiteral("Archivio non aperto"));
    if (!waited)
        RaiseArchiveError(aeClosing, QStringLiteral("Archivio %1: comando rifiutato, il programma si chiude "
                                                    "prima della fine del controllo")
                                         .arg(m_Database.FilePath()));
}

void CArchive::RequireWritable()
{
    AwaitCheck();
    const QString path = m_Database.FilePath();
    if (CheckFailed())
        RaiseArchiveError(aeDamaged, QStringLiteral("Archivio ") + path +
                                         QStringLiteral(" danneggiato, modifiche rifiutate: ") +
                                         m_Database.Damage());
    switch (m_Database.WhyReadOnly()) {
    case Platform::CArchiveDatabase::ReadOnly::File:
        RaiseArchiveError(
            aeReadOnly,
            QStringLiteral("Archivio %1 in sola lettura: %2").arg(path, m_Database.ReadOnlyReason()));
    case Platform::CArchiveDatabase::ReadOnly::Folder:
        RaiseArchiveError(aeReadOnly, QStringLiteral("Cartella dell'archivio %1 in sola lettura: %2")
                                          .arg(path, m_Database.ReadOnlyReason()));
    case Platform::CArchiveDatabase::ReadOnly::No:
        break;
    }
    if (m_Database.Check() == Platform::CArchiveDatabase::CheckState::Unreadable)
        RaiseArchiveError(aeDatabase,
                          QStringLiteral("Archivio %1 non leggibile, modifica rifiutata: %2")
                              .arg(path, m_Database.WhyUndecided()),
                          m_Database.UnreadableReason());
    if (m_Database.Check() == Platform::CArchiveDatabase::CheckState::Undecided)
        RaiseArchiveError(aeBusy, QStringLiteral("Archivio %1 in uso da un altro programma, controllo non "
                                                 "concluso, modifica rifiutata: %2")
                                      .arg(path, m_Database.WhyUndecided()));
}

Platform::CArchiveStatement &CArchive::Statement(const QString &sql)
{
    if (!IsOpen())
        RaiseArchiveError(aeNotOpen, QStringLiteral("Archivio non aperto"));
    Platform::CArchiveStatement *statement = m_Database.Prepared(sql);
    if (!statement)
        RaiseLastError();
    return *statement;
}

void CArchive::Execute(Platform::CArchiveStatement &statement, const QVariantList &values,
                       const Platform::CArchiveStatement::RowReader &row)
{
    if (statement.Writes())
        RequireWritable();
    if (!m_Database.Exec(statement, values, row))
        RaiseLastError();
}

void CArchive::Run(const QString &sql, const QVariantList &values,
                   const Platform::CArchiveStatement::RowReader &row)
{
    Execute(Statement(sql), values, row);
}

void CArchive::RaiseLastError() const
{
    RaiseDatabaseError(m_Database);
}

qint64 CArchive::NewID()
{
    Platform::CArchiveStatement &insert =
        Statement(QStringLiteral("INSERT INTO CounterProgrammi DEFAULT VALUES"));
    RequireWritable();
    if (!m_Database.Exec(insert)) {
        // Another program's lock is no exhausted counter, and would only be waited for again.
        if (!m_Database.LastFoundBusy() && CounterExhausted())
            RaiseArchiveError(aeNoIDLeft,
                              QStringLiteral("Nessun nuovo IDProgramma: l'archivio %1 ha già dato "
                                             "l'ultimo, %2")
                                  .arg(m_Database.FilePath())
                                  .arg(std::numeric_limits<qint64>::max()));
        RaiseLastError();
    }
    const qint64 id = m_Database.LastInsertId();
    if (g_Trace->Writes())
        g_Trace->BugMessage(QStringLiteral("Nuovo IDProgramma=%1").arg(id));
    return id;
}

bool CArchive::CounterExhausted()
{
    // The counter goes on from the highest id it ever gave or holds.
    qint64 last = 0;
    const bool read = m_Database.Exec(
        QStringLiteral(
            "SELECT max(coalesce((SELECT seq FROM sqlite_sequence WHERE name = 'CounterProgrammi'), 0), "
            "coalesce((SELECT max(IDProgramma) FROM CounterProgrammi), 0))"),
        {}, [&last](const Platform::CArchiveStatement &row) { last = row.Number(0); });
    return read && last == std::numeric_limits<qint64>::max();
}

void CArchive::GiveBackID(qint64 id)
{
    if (id == kActualSettingID)
        RaiseArchiveError(aeFixedRecord, QStringLiteral("IDProgramma=2 non restituibile"));
    Run(QStringLiteral("DELETE FROM CounterProgrammi WHERE IDProgramma = ?"), {id});
    if (g_Trace->Writes())
        g_Trace->BugMessage(QStringLiteral("Restituito IDProgramma=%1").arg(id));
}

void CArchive::DeleteProgramma(qint64 id)
{
    if (id == kActualSettingID)
        RaiseArchiveError(aeFixedRecord, QStringLiteral("La configurazione IDProgramma=2 non si cancella"));
    if (g_Trace->Writes())
        g_Trace->BugMessage(QStringLiteral("Cancellazione configurazione IDProgramma=%1").arg(id));
    RequireWritable();
    CArchiveTransaction transaction(m_Database);
    for (const QString &table : ConfigurationTables() + QStringList{kCounterTable})
        Run(QStringLiteral("DELETE FROM ") + table + QStringLiteral(" WHERE IDProgramma = ?"), {id});
    transaction.Commit();
}

QList<CProgrammaItem> CArchive::Programmi()
{
    QList<CProgrammaItem> items;
    const auto take = [&items](const Platform::CArchiveStatement &row) {
        items.append({row.Number(0), row.Text(1)});
    };
    // An index known to be spoilt is not read again.
    if (!m_Database.DamagedParts().contains(kListIndex) &&
        ReadUnlessDamaged(QStringLiteral("SELECT IDProgramma, m_NomeProgramma FROM Programmi ORDER BY "
                                         "m_NomeProgramma COLLATE NOCASE, IDProgramma"),
                          {}, take))
        return items;
    // The damage may lie in the index of the list's order only: the rows are read from the
    // table itself and put in that order here. What cannot be read at all lists nothing.
    items.clear();
    if (!ReadUnlessDamaged(
            QStringLiteral(
                "SELECT IDProgramma, m_NomeProgramma FROM CModInstr NOT INDEXED WHERE IDProgramma <> ?"),
            {kActualSettingID}, take))
        items.clear();
    std::sort(items.begin(), items.end(), [](const CProgrammaItem &a, const CProgrammaItem &b) {
        const int byName = QString::compare(a.NomeProgramma, b.NomeProgramma, Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : a.IDProgramma < b.IDProgramma;
    });
    g_Trace->BugMessage(
        QStringLiteral("Archivio %1 danneggiato: %2 configurazioni elencate dalla tabella CModInstr")
            .arg(m_Database.FilePath())
            .arg(items.size()));
    return items;
}

bool CArchive::ReadUnlessDamaged(const QString &sql, const QVariantList &values,
                                 const Platform::CArchiveStatement::RowReader &row)
{
    try {
        Run(sql, values, row);
        return true;
    } catch (const CError &error) {
        if (!IsArchiveError(error, aeDamaged))
            throw;
        return false;
    }
}

const QStringList &CArchive::Columns(const QString &table)
{
    return TableStatements(table).Columns;
}

CArchive::CTableStatements &CArchive::TableStatements(const QString &table)
{
    const auto found = m_Tables.find(table);
    if (found != m_Tables.end())
        return *found;
    if (!IsConfigurationTable(table))
        RaiseArchiveError(aeUnknownTable, QStringLiteral("Tabella non prevista: ") + table);
    CTableStatements statements;
    statements.Columns = ClassTables()[ConfigurationTables().indexOf(table)].second;
    const QStringList &columns = statements.Columns;
    statements.Insert =
        &Statement(QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (IDProgramma, ") +
                   columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                   Placeholders(columns.size() + 1) + QLatin1Char(')'));
    statements.Update =
        &Statement(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") +
                   columns.join(QStringLiteral(" = ?, ")) + QStringLiteral(" = ? WHERE IDProgramma = ?"));
    statements.Select =
        &Statement(QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") +
                   table + QStringLiteral(" WHERE IDProgramma = ?"));
    return *m_Tables.insert(table, statements);
}

void CArchive::AddRow(const QString &table, qint64 id, const Platform::CArchiveRow &row)
{
    const CTableStatements &statements = TableStatements(table);
    QVariantList values{id};
    values.reserve(statements.Columns.size() + 1);
    for (const QString &column : statements.Columns)
        values << row.Value(column);
    Execute(*statements.Insert, values);
}

bool CArchive::UpdateRow(const QString &table, qint64 id, const Platform::CArchiveRow &row)
{
    const CTableStatements &statements = TableStatements(table);
    QVariantList values;
    values.reserve(statements.Columns.size() + 1);
    for (const QString &column : statements.Columns)
        values << row.Value(column);
    values << id;
    Execute(*statements.Update, values);
    return m_Database.Changes() > 0;
}

bool CArchive::ReadRow(const QString &table, qint64 id, Platform::CArchiveRow &row)
{
    const CTableStatements &statements = TableStatements(table);
    row = Platform::CArchiveRow(statements.Columns);
    bool found = false;
    Execute(*statements.Select, {id}, [&](const Platform::CArchiveStatement &values) {
        found = true;
        for (qsizetype i = 0; i < statements.Columns.size(); ++i)
            row.SetValueAt(i, values.Value(int(i)));
    });
    return found;
}
