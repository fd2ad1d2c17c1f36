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
    if (m_Database.ReleaseSavepoint())
        return;
    const QString error = m_Database.LastError();
    if (!m_Database.LastFoundBusy()) {
        const QString reason = m_Database.LastReason();
        m_Database.RollbackSavepoint();
        RaiseArchiveError(aeDatabase, QStringLiteral("Errore archivio: ") + error, reason);
    }
    // Another program reading the file kept the write out of it past the busy wait: the file is
    // as it was, and the same change may go through in a moment, so the caller may offer it
    // again.
    m_Database.AbandonTransaction();
    RaiseArchiveError(aeBusy, QStringLiteral("Archivio ") + m_Database.FilePath() +
                                  QStringLiteral(" in uso da un altro programma: ") + error);
}
