#pragma once

#include <QString>
#include <QStringList>

namespace Platform {

// The mark a running program leaves beside the archive it has open, one per program and
// archive: "<archive>-open-<pid>-<random>", held under a lock (flock) while the program has the
// archive open. The system drops the lock when the program ends, however it ends (kill -9
// included), and a process id used again by another program does not matter: a marker whose
// lock another start can take belongs to a program that ended without closing the archive.
// A clean close removes only the program's own marker, so the crash of one of two programs on
// the archive is still seen at the next start. "<archive>-open", the single marker of earlier
// versions, counts as left behind too. Where the file system takes no lock (some network
// shares), the marker is placed unlocked and every marker counts as left behind: a start cannot
// tell a running program from one that ended without closing, so the opening checks the file
// whole every time (CArchiveDatabase), whoever's markers an earlier start removed.
//   CInstanceMarker marker;  marker.Place(path);   // the marker of this program, locked
//   CInstanceMarker::LeftBehind(path)          -> {} while this program lives, closed or not
//   marker.Release(false);                      // removed
class CInstanceMarker
{
public:
    CInstanceMarker() = default;
    // A marker still placed is removed.
    ~CInstanceMarker();
    CInstanceMarker(const CInstanceMarker &) = delete;
    CInstanceMarker &operator=(const CInstanceMarker &) = delete;

    // The markers beside filePath of programs that ended without closing it.
    static QStringList LeftBehind(const QString &filePath);
    // Removes those of the given markers that are still left behind.
    static void Remove(const QStringList &markers);

    // This program's marker beside filePath; false where the folder takes none.
    bool Place(const QString &filePath);
    // Placed and held under its lock; false where the file system takes no lock.
    bool Locked() const { return m_Locked; }
    // Ends this program's marker: removed, or kept (left behind, unlocked) so that the next start
    // takes the archive for one not closed.
    void Release(bool keep);

    // flock(2), replaceable so that a test can stand for a file system without locks; nullptr:
    // the system's again.
    using FileLock = int (*)(int file, int operation);
    static void SetFileLock(FileLock lock);

private:
    QString m_Path;
    int m_File = -1;
    bool m_Locked = false;
};

} // namespace Platform
