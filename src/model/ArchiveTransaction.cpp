#include "model/ArchiveTransaction.h"

#include "common/TraceCode.h"

CArchiveTransaction::CArchiveTransaction(CArchive &archive) : m_Archive(archive)
{
    if (!m_Archive.IsOpen())
        RaiseArchiveError(aeNotOpen, QStringLiteral("Archivio non aperto"));
    if (!m_Archive.Database().BeginSavepoint())
        m_Archive.RaiseLastError();
    m_Open = true;
}

CArchiveTransaction::~CArchiveTransaction()
{
    if (!m_Open)
        return;
    if (!m_Archive.Database().RollbackSavepoint())
        g_Trace->BugMessage(QStringLiteral("Annullamento transazione fallito: ") +
                            m_Archive.Database().LastError());
    else
        g_Trace->BugMessage(QStringLiteral("Transazione annullata"));
}

void CArchiveTransaction::Commit()
{
    m_Open = false;
    if (!m_Archive.Database().ReleaseSavepoint()) {
        const QString error = m_Archive.Database().LastError();
        m_Archive.Database().RollbackSavepoint();
        RaiseArchiveError(aeDatabase, QStringLiteral("Errore archivio: ") + error);
    }
}
