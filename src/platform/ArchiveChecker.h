#pragma once

#include "platform/ArchiveConnection.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace Platform {

// The check of an archive file that runs beside the window: on a thread and a connection of
// its own, so however large the file the window goes on answering. It checks the size the file's
// header promises and asks SQLite's quick check either about the whole file (free pages
// included) or about each part in turn (the schema, then each table with its indexes, one read
// each, so another program's writes get their turn between them); a file found damaged has its
// damaged parts named (a table, or only its indexes when each of its rows still reads without
// them). Damaged is the engine's word only: a size that is not the header's, a
// file SQLite finds malformed, rows of the quick check. A read that another program's lock kept
// waiting past the busy time-out, or that failed otherwise, is tried again a few times and then
// leaves the file Undecided. A journal of another program's interrupted write, which the check's
// read-only connection may not roll back, is rolled back by the caller's RollBackJournal on the
// caller's thread, and the whole file is checked afresh. Once the file is found whole the check
// can bring it up to the schema's version on that same connection. Finished comes on the thread
// that started the check, with the verdict, and touches nothing of the caller's.
//   checker.Start({path, CArchiveChecker::EScope::Parts});
//   ... Finished -> checker.Verdict().Outcome == EOutcome::Damaged, .DamagedParts = {"CDisplay"}
class CArchiveChecker : public QObject
{
    Q_OBJECT

public:
    enum class EScope { Parts, WholeFile };
    // Undecided: another program's lock kept the check from the file, or the check was stopped.
    // Unreadable: the file could not be opened or read for another reason (gone, replaced, an
    // I/O error); Reason then holds the system's words, if it said.
    enum class EOutcome { Whole, Damaged, Undecided, Unreadable };
    struct CRequest
    {
        QString FilePath;
        EScope Scope = EScope::Parts;
        // Run in one transaction once the file is found whole; none: nothing is written.
        QStringList UpgradeStatements;
        // Rolls back, on the caller's thread, the journal of a write another program left
        // unfinished: a read on a connection that may write does it.
        std::function<void()> RollBackJournal;
    };
    struct CVerdict
    {
        EOutcome Outcome = EOutcome::Undecided;
        // What is wrong (Damaged), or what kept the check from a verdict, for the trace.
        QString Finding;
        QString Reason;
        // "sqlite_master" for the schema, else table names, or index names where every row of
        // their table still reads without them.
        QStringList DamagedParts;
        bool Upgraded = false;
        QString UpgradeError;
        // Undecided because of a journal the check's connection may not roll back.
        bool JournalLeft = false;
    };

    explicit CArchiveChecker(QObject *parent = nullptr);
    ~CArchiveChecker() override;

    void Start(const CRequest &request);
    // Ends a check still running and forgets it: no Finished comes of it.
    void Stop();
    bool IsRunning() const { return m_Thread != nullptr; }
    // The last check started, its scope widened to the whole file after a journal.
    const CRequest &Request() const { return m_Request; }
    const CVerdict &Verdict() const { return m_Verdict; }

Q_SIGNALS:
    void Finished();

private:
    // What one read of the file says.
    struct CFinding
    {
        EOutcome Outcome = EOutcome::Undecided;
        QString Text;
        bool JournalLeft = false;
        QString Reason;

        static CFinding Whole() { return {EOutcome::Whole, {}, false, {}}; }
        static CFinding Damaged(const QString &text) { return {EOutcome::Damaged, text, false, {}}; }
        static CFinding Interrupted()
        {
            return {EOutcome::Undecided, QStringLiteral("controllo interrotto"), false, {}};
        }
    };

    void Launch();
    void Conclude(const CVerdict &verdict);
    CVerdict Run(const CRequest &request);
    // The read, again while a passing failure of the system keeps it from the file; a lock has
    // been waited for already, up to the busy time-out.
    template <typename Read> CFinding Attempted(Read read);
    // The connection's last failure: damage only where the engine says the file is malformed,
    // undecided for a lock or an interrupt, else unreadable.
    CFinding Failure() const;
    CFinding SizeCheck(const QString &filePath);
    // A part's (or, for an empty part, the whole file's) quick check.
    CFinding QuickCheck(const QString &part);
    // The schema and its tables.
    CFinding ListParts(QStringList &parts);
    // Each part in turn, the damaged ones named; Undecided at the first that could not be read.
    CFinding ReadParts(QStringList &damaged);
    // Damaged, with where: the indexes of a damaged table whose rows all read without them,
    // else the table.
    CFinding Locate(const QString &table, QStringList &where);
    bool Stopped() const { return m_Stopped.load(); }

    std::unique_ptr<QThread> m_Thread;
    // The worker's own; only Interrupt is called from this side.
    CArchiveConnection m_Connection;
    std::atomic_bool m_Stopped = false;
    // Which Launch a result belongs to.
    quint64 m_Run = 0;
    CRequest m_Request;
    int m_JournalRollBacks = 0;
    CVerdict m_Verdict;
};

} // namespace Platform
