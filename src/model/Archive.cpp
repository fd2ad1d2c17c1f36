#include "model/Archive.h"

#include "common/Error.h"
#include "common/TraceCode.h"
#include "model/ArchiveTransaction.h"
#include "platform/UserPaths.h"

#include <QCoreApplication>
#include <QFile>

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

void RaiseArchiveError(ArchiveErrors code, const QString &description)
{
    g_Trace->BugMessage(description);
    throw CError(MakeUserError(code), ExecutableBaseName() + QStringLiteral(".Archive"), description);
}

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
    switch (m_Database.Open(filePath, SchemaText(), kSchemaVersion)) {
    case Platform::CArchiveDatabase::OpenResult::Opened:
        return;
    case Platform::CArchiveDatabase::OpenResult::Created:
        g_Trace->BugMessage(QStringLiteral("Creato nuovo archivio ") + filePath);
        return;
    case Platform::CArchiveDatabase::OpenResult::WrongVersion:
        RaiseArchiveError(aeWrongVersion,
                          QStringLiteral("Versione %1 dell'archivio %2 non prevista (attesa %3)")
                              .arg(m_Database.FileVersion())
                              .arg(filePath)
                              .arg(kSchemaVersion));
    case Platform::CArchiveDatabase::OpenResult::Damaged:
        RaiseArchiveError(aeDamaged, QStringLiteral("Archivio ") + filePath +
                                         QStringLiteral(" danneggiato, lasciato com'era: ") +
                                         m_Database.LastError());
    case Platform::CArchiveDatabase::OpenResult::Failed:
        break;
    }
    RaiseArchiveError(aeDatabase, QStringLiteral("Apertura archivio ") + filePath +
                                      QStringLiteral(" fallita: ") + m_Database.LastError());
}

void CArchive::Close()
{
    for (auto &statements : m_RowStatements)
        statements.clear();
    m_Database.Close();
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
    RaiseArchiveError(aeDatabase, QStringLiteral("Errore archivio: ") + m_Database.LastError());
}

void CArchive::Run(QSqlQuery &query)
{
    if (!m_Database.Exec(query))
        RaiseLastError();
}

qint32 CArchive::NewID()
{
    QSqlQuery &insert = Statement(QStringLiteral("INSERT INTO CounterProgrammi DEFAULT VALUES"));
    Run(insert);
    const qint32 id = insert.lastInsertId().toInt();
    g_Trace->BugMessage(QStringLiteral("Nuovo IDProgramma=%1").arg(id));
    return id;
}

void CArchive::GiveBackID(qint32 id)
{
    if (id == kActualSettingID)
        RaiseArchiveError(aeFixedRecord, QStringLiteral("IDProgramma=2 non restituibile"));
    QSqlQuery &remove = Statement(QStringLiteral("DELETE FROM CounterProgrammi WHERE IDProgramma = ?"));
    remove.bindValue(0, id);
    Run(remove);
    g_Trace->BugMessage(QStringLiteral("Restituito IDProgramma=%1").arg(id));
}

void CArchive::DeleteProgramma(qint32 id)
{
    if (id == kActualSettingID)
        RaiseArchiveError(aeFixedRecord, QStringLiteral("La configurazione IDProgramma=2 non si cancella"));
    g_Trace->BugMessage(QStringLiteral("Cancellazione configurazione IDProgramma=%1").arg(id));
    QStringList tables = ConfigurationTables();
    tables << kCounterTable;
    CArchiveTransaction transaction(*this);
    for (const QString &table : tables) {
        QSqlQuery &remove =
            Statement(QStringLiteral("DELETE FROM ") + table + QStringLiteral(" WHERE IDProgramma = ?"));
        remove.bindValue(0, id);
        Run(remove);
    }
    transaction.Commit();
}

QList<CProgrammaItem> CArchive::Programmi()
{
    QSqlQuery &select = Statement(QStringLiteral("SELECT IDProgramma, m_NomeProgramma FROM Programmi ORDER "
                                                 "BY m_NomeProgramma COLLATE NOCASE, IDProgramma"));
    Run(select);
    QList<CProgrammaItem> items;
    while (select.next())
        items.append({select.value(0).toInt(), select.value(1).toString()});
    select.finish();
    return items;
}

QSqlQuery &CArchive::RowStatement(RowOperation operation, const QString &table, const QStringList &columns)
{
    CRowStatement &cached = m_RowStatements[operation][table];
    if (cached.Query && cached.Columns == columns)
        return *cached.Query;
    if (!IsConfigurationTable(table))
        RaiseArchiveError(aeUnknownTable, QStringLiteral("Tabella non prevista: ") + table);
    QString sql;
    switch (operation) {
    case roInsert:
        sql = QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (IDProgramma, ") +
              columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
              Placeholders(columns.size() + 1) + QLatin1Char(')');
        break;
    case roUpdate:
        sql = QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") +
              columns.join(QStringLiteral(" = ?, ")) + QStringLiteral(" = ? WHERE IDProgramma = ?");
        break;
    default:
        sql = QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") +
              table + QStringLiteral(" WHERE IDProgramma = ?");
        break;
    }
    cached = {columns, &Statement(sql)};
    return *cached.Query;
}

void CArchive::AddRow(const QString &table, qint32 id, const Platform::CArchiveRow &row)
{
    QSqlQuery &insert = RowStatement(roInsert, table, row.Columns());
    insert.bindValue(0, id);
    for (qsizetype i = 0; i < row.Values().size(); ++i)
        insert.bindValue(int(i + 1), row.Values().at(i));
    Run(insert);
}

bool CArchive::UpdateRow(const QString &table, qint32 id, const Platform::CArchiveRow &row)
{
    QSqlQuery &update = RowStatement(roUpdate, table, row.Columns());
    const qsizetype count = row.Values().size();
    for (qsizetype i = 0; i < count; ++i)
        update.bindValue(int(i), row.Values().at(i));
    update.bindValue(int(count), id);
    Run(update);
    return update.numRowsAffected() > 0;
}

bool CArchive::ReadRow(const QString &table, qint32 id, Platform::CArchiveRow &row)
{
    QSqlQuery &select = RowStatement(roSelect, table, row.Columns());
    select.bindValue(0, id);
    Run(select);
    const bool found = select.next();
    for (qsizetype i = 0; found && i < row.Columns().size(); ++i)
        row.SetValueAt(i, select.value(int(i)));
    select.finish();
    return found;
}
