#include "model/ArchiveError.h"

#include "common/Error.h"
#include "common/TraceCode.h"
#include "platform/ArchiveDatabase.h"

void RaiseArchiveError(ArchiveErrors code, const QString &description, const QString &reason)
{
    g_Trace->BugMessage(description);
    throw CError(MakeUserError(code), ExecutableBaseName() + QStringLiteral(".Archive"), description, reason);
}

void RaiseDatabaseError(const Platform::CArchiveDatabase &database)
{
    if (database.LastFoundDamage())
        RaiseArchiveError(aeDamaged, QStringLiteral("Archivio ") + database.FilePath() +
                                         QStringLiteral(" danneggiato: ") + database.LastError());
    if (database.LastFoundBusy())
        RaiseArchiveError(aeBusy, QStringLiteral("Archivio ") + database.FilePath() +
                                      QStringLiteral(" in uso da un altro programma: ") +
                                      database.LastError());
    if (database.LastInterrupted())
        RaiseArchiveError(aeClosing, QStringLiteral("Archivio ") + database.FilePath() +
                                         QStringLiteral(": ") + database.LastError());
    RaiseArchiveError(aeDatabase, QStringLiteral("Errore archivio: ") + database.LastError(),
                      database.LastReason());
}

bool IsArchiveError(const CError &error, ArchiveErrors code)
{
    return error.Number() == MakeUserError(code);
}
