#include "model/Archive.h"

#include "common/Error.h"
#include "common/TraceCode.h"
#include "model/ArchiveTransaction.h"
#include "platform/UserPaths.h"

#include <QCoreApplication>
#include <QFile>

#include <limits>

// The schema is compiled into the common library's resources.
static void InitArchiveResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace {

CArchive g_Archive;

const QString kCounterTable = QStringLiteral("CounterProgrammi");

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

} // namespace

CArchive *const g_Connection = &g_Archive;

QString CArchive::DefaultFilePath()
{
    return Platform::UserDataFile(QStringLiteral("IxoEkaProgram.db"));
}

const QStringList &CArchive::ConfigurationTables()
{
    static const QStringList tables = {
        QStringLiteral("CModInstr"),   QStringLiteral("CRangeQEM"),       QStringLiteral("CRangeVABZOB"),
        QStringLiteral("CInOutScale"), QStringLiteral("CDisplay"),        QStringLiteral("CLinearize"),
        QStringLiteral("CAnalogOut"),  QStringLiteral("CFiltroDigitale"), QStringLiteral("CSerialComm"),
        QStringLiteral("CAlarm1"),     QStringLiteral("CAlarm2"),         QStringLiteral("CAlarm3"),
        QStringLiteral("CAlarm4")};
    return tables;
}

bool CArchive::IsConfigurationTable(const QString &name)
{
    return ConfigurationTables().contains(name);
}

void CArchive::Open(const QString &filePath)
{
    Close();
    g_Trace->BugMessage(QStringLiteral("Apertura archivio ") + filePath);
    // The connection must close while Qt's database machinery still exists, which is no
    // longer so when the global objects end.
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
        return;
    case Platform::CArchiveDatabase::OpenResult::Created:
        g_Trace->BugMessage(QStringLiteral("Creato nuovo archivio ") + filePath);
        return;
    case Platform::CArchiveDatabase::OpenResult::WrongVersion:
        RaiseArchiveError(aeWrongVersion,
                          QStringLiteral("Versione %1 dell'archivio %2 non prevista (attesa %3)")
                              .arg(m_Database.FileVersion())
                              .arg(filePath)
                              .arg(m_Database.SchemaVersion()));
    case Platform::CArchiveDatabase::OpenResult::Damaged:
        RaiseArchiveError(aeDamaged, QStringLiteral("Archivio ") + filePath +
                                         QStringLiteral(" danneggiato, lasciato com'era: ") +
                                         m_Database.LastError());
    case Platform::CArchiveDatabase::OpenResult::InterruptedWrite:
        RaiseArchiveError(aeInterruptedWrite, QStringLiteral("Archivio ") + filePath +
                                                  QStringLiteral(" lasciato com'era: ") +
                                                  m_Database.LastError());
    case Platform::CArchiveDatabase::OpenResult::Failed:
        break;
    }
    RaiseArchiveError(aeDatabase, QStringLiteral("Apertura archivio ") + filePath +
                                      QStringLiteral(" fallita: ") + m_Database.LastError());
}

void CArchive::Close()
{
    m_Tables.clear();
    m_Database.Close();
}

bool CArchive::CheckNextPart()
{
    const bool wasFailed = CheckFailed();
    const bool more = m_Database.CheckNextPart();
    if (CheckFailed() && !wasFailed)
        g_Trace->BugMessage(QStringLiteral("Archivio ") + m_Database.FilePath() +
                            QStringLiteral(" danneggiato, modifiche rifiutate: ") + m_Database.LastError());
    return more;
}

bool CArchive::CheckFailed() const
{
    return m_Database.Check() == Platform::CArchiveDatabase::CheckState::Failed;
}

QSqlQuery &CArchive::Statement(const QString &sql)
{
    if (!IsOpen())
        RaiseArchiveError(aeNotOpen, QStringLiteral("Archivio non aperto"));
    QSqlQuery *query = m_Database.Prepared(sql);
    if (!query)
        RaiseLastError();
    return *query;
}

void CArchive::RaiseLastError() const
{
    RaiseDatabaseError(m_Database);
}

void CArchive::Run(QSqlQuery &query)
{
    if (!m_Database.Exec(query))
        RaiseLastError();
}

qint64 CArchive::NewID()
{
    QSqlQuery &insert = Statement(QStringLiteral("INSERT INTO CounterProgrammi DEFAULT VALUES"));
    if (!m_Database.Exec(insert)) {
        if (CounterExhausted())
            RaiseArchiveError(aeNoIDLeft,
                              QStringLiteral("Nessun nuovo IDProgramma: l'archivio %1 ha già dato "
                                             "l'ultimo, %2")
                                  .arg(m_Database.FilePath())
                                  .arg(std::numeric_limits<qint64>::max()));
        RaiseLastError();
    }
    const qint64 id = insert.lastInsertId().toLongLong();
    if (g_Trace->Writes())
        g_Trace->BugMessage(QStringLiteral("Nuovo IDProgramma=%1").arg(id));
    return id;
}

bool CArchive::CounterExhausted()
{
    // The counter goes on from the highest id it ever gave or holds.
    QSqlQuery &last = Statement(QStringLiteral(
        "SELECT max(coalesce((SELECT seq FROM sqlite_sequence WHERE name = 'CounterProgrammi'), 0), "
        "coalesce((SELECT max(IDProgramma) FROM CounterProgrammi), 0))"));
    const bool exhausted = m_Database.Exec(last) && last.next() &&
                           last.value(0).toLongLong() == std::numeric_limits<qint64>::max();
    last.finish();
    return exhausted;
}

void CArchive::GiveBackID(qint64 id)
{
    if (id == kActualSettingID)
        RaiseArchiveError(aeFixedRecord, QStringLiteral("IDProgramma=2 non restituibile"));
    QSqlQuery &remove = Statement(QStringLiteral("DELETE FROM CounterProgrammi WHERE IDProgramma = ?"));
    remove.bindValue(0, id);
    Run(remove);
    if (g_Trace->Writes())
        g_Trace->BugMessage(QStringLiteral("Restituito IDProgramma=%1").arg(id));
}

void CArchive::DeleteProgramma(qint64 id)
{
    if (id == kActualSettingID)
        RaiseArchiveError(aeFixedRecord, QStringLiteral("La configurazione IDProgramma=2 non si cancella"));
    if (g_Trace->Writes())
        g_Trace->BugMessage(QStringLiteral("Cancellazione configurazione IDProgramma=%1").arg(id));
    CArchiveTransaction transaction(m_Database);
    for (const QString &table : ConfigurationTables() + QStringList{kCounterTable}) {
        QSqlQuery &remove =
            Statement(QStringLiteral("DELETE FROM ") + table + QStringLiteral(" WHERE IDProgramma = ?"));
        remove.bindValue(0, id);
        Run(remove);
    }
    transaction.Commit();
}

QList<CProgrammaItem> CArchive::Programmi()
{
    if (!IsOpen())
        RaiseArchiveError(aeNotOpen, QStringLiteral("Archivio non aperto"));
    QList<CProgrammaItem> items;
    const bool read =
        m_Database.Read(QStringLiteral("SELECT IDProgramma, m_NomeProgramma FROM Programmi ORDER BY "
                                       "m_NomeProgramma COLLATE NOCASE, IDProgramma"),
                        {}, [&items](const Platform::CDirectRow &row) {
                            items.append({row.Number(0), row.Text(1)});
                        });
    if (!read)
        RaiseLastError();
    return items;
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
    QSqlQuery &info = Statement(QStringLiteral("PRAGMA table_info(") + table + QLatin1Char(')'));
    for (Run(info); info.next();) {
        if (info.value(1).toString() != QLatin1String("IDProgramma"))
            statements.Columns << info.value(1).toString();
    }
    info.finish();
    const QStringList &columns = statements.Columns;
    statements.Insert =
        &Statement(QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (IDProgramma, ") +
                   columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                   Placeholders(columns.size() + 1) + QLatin1Char(')'));
    statements.Update =
        &Statement(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") +
                   columns.join(QStringLiteral(" = ?, ")) + QStringLiteral(" = ? WHERE IDProgramma = ?"));
    statements.Select = QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) +
                        QStringLiteral(" FROM ") + table + QStringLiteral(" WHERE IDProgramma = ?");
    return *m_Tables.insert(table, statements);
}

void CArchive::AddRow(const QString &table, qint64 id, const Platform::CArchiveRow &row)
{
    const CTableStatements &statements = TableStatements(table);
    QSqlQuery &insert = *statements.Insert;
    insert.bindValue(0, id);
    for (qsizetype i = 0; i < statements.Columns.size(); ++i)
        insert.bindValue(int(i + 1), row.Value(statements.Columns[i]));
    Run(insert);
}

bool CArchive::UpdateRow(const QString &table, qint64 id, const Platform::CArchiveRow &row)
{
    const CTableStatements &statements = TableStatements(table);
    QSqlQuery &update = *statements.Update;
    const qsizetype count = statements.Columns.size();
    for (qsizetype i = 0; i < count; ++i)
        update.bindValue(int(i), row.Value(statements.Columns[i]));
    update.bindValue(int(count), id);
    Run(update);
    return update.numRowsAffected() > 0;
}

bool CArchive::ReadRow(const QString &table, qint64 id, Platform::CArchiveRow &row)
{
    const CTableStatements &statements = TableStatements(table);
    row = Platform::CArchiveRow(statements.Columns);
    bool found = false;
    const bool read = m_Database.Read(statements.Select, {id}, [&](const Platform::CDirectRow &values) {
        found = true;
        for (qsizetype i = 0; i < statements.Columns.size(); ++i)
            row.SetValueAt(i, values.Value(int(i)));
    });
    if (!read)
        RaiseLastError();
    return found;
}
