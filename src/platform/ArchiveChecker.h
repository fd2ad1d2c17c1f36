#pragma once

#include "platform/ArchiveConnection.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <memory>

class QThread;

namespace Platform {

// The check of an archive file that runs beside the window: on a thread and a connection of
// its own, so however large the file the window goes on answering. It checks the size the file's
// header promises and asks SQLite's quick check either about the whole file (free pages
// included) or about each part in turn (the schema, then each table with its indexes, one read
// each, so another program's writes get their turn between them); a file found damaged has its
// damaged parts named. Once the file is found whole it can bring the file up to the schema's
// version on that same connection. Finished comes on the thread that started the check and
// touches nothing of the caller's.
//   checker.Start({path, CArchiveChecker::EScope::Parts});
//   ... Finished -> checker.Verdict().Whole, .DamagedParts = {"CDisplay"}
class CArchiveChecker : public QObject
{
    Q_OBJECT

public:
    enum class EScope { Parts, WholeFile };
    struct CRequest
    {
        QString FilePath;
        EScope Scope = EScope::Parts;
        // Run in one transaction once the file is found whole; none: nothing is written.
        QStringList UpgradeStatements;
    };
    struct CVerdict
    {
        bool Whole = false;
        // What is wrong, for the trace.
        QString Damage;
        // "sqlite_master" for the schema, else table names.
        QStringList DamagedParts;
        bool Upgraded = false;
        QString UpgradeError;
    };

    explicit CArchiveChecker(QObject *parent = nullptr);
    ~CArchiveChecker() override;

    void Start(const CRequest &request);
    // Ends a check still running and forgets it: no Finished comes of it.
    void Stop();
    bool IsRunning() const { return m_Thread != nullptr; }
    const CVerdict &Verdict() const { return m_Verdict; }

Q_SIGNALS:
    void Finished();

private:
    CVerdict Run(const CRequest &request);
    // A part's (or, for an empty part, the whole file's) damage, empty when whole.
    QString QuickCheck(const QString &part);
    QStringList Parts();
    QStringList DamagedParts(const QStringList &parts);
    QString SizeDamage(const QString &filePath);
    bool Stopped() const { return m_Stopped.load(); }

    std::unique_ptr<QThread> m_Thread;
    // The worker's own; only Interrupt is called from this side.
    CArchiveConnection m_Connection;
    std::atomic_bool m_Stopped = false;
    // Which Start a result belongs to.
    quint64 m_Run = 0;
    CVerdict m_Verdict;
};

} // namespace Platform
