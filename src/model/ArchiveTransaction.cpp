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
    // A release that fails has ended the whole transaction already (CArchiveDatabase).
    if (!m_Database.ReleaseSavepoint())
        RaiseDatabaseError(m_Database);
}
