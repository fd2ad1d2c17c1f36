#include "model/ArchiveTransaction.h"

#include "common/TraceCode.h"
#include "model/ArchiveError.h"

CArchiveTransaction::CArchiveTransaction(Platform::CArchiveDatabase &database) : m_Database(database)
{
    if (!m_Database.IsOpen())
        RaiseArchiveError(aeNotOpen, QStringLiteral("Archivio non aperto"));
    if (!m_Database.BeginSavepoint())
        RaiseDatabaseError(m_Database);
    m_Open = true;
}

CArchiveTransaction::~CArchiveTransaction()
{
    if (!m_Open)
        return;
    if (!m_Database.RollbackSavepoint())
        g_Trace->BugMessage(QStringLiteral("Annullamento transazione fallito: ") + m_Database.LastError());
    else
        g_Trace->BugMessage(QStringLiteral("Transazione annullata"));
}

void CArchiveTransaction::Commit()
{
    m_Open = false;
    if (!m_Database.ReleaseSavepoint()) {
        const QString error = m_Database.LastError();
        const QString reason = m_Database.LastReason();
        m_Database.RollbackSavepoint();
        RaiseArchiveError(aeDatabase, QStringLiteral("Errore archivio: ") + error, reason);
    }
}
