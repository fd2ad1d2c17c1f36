#include "platform/InstanceMarker.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

using Platform::CInstanceMarker;

// A running program's marker is held; where the file system takes no lock the marker is placed
// all the same, unlocked, and every marker counts as left behind, a running program's too.
TEST(InstanceMarker, WhereLocksDoNotWorkEveryMarkerCountsAsLeftBehind)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.db");
    CInstanceMarker running;
    ASSERT_TRUE(running.Place(path));
    EXPECT_TRUE(running.Locked());
    EXPECT_EQ(CInstanceMarker::LeftBehind(path), QStringList());
    {
        CInstanceMarker::SetFileLock([](int, int) {
            errno = ENOLCK;
            return -1;
        });
        const auto locksBack = qScopeGuard([] { CInstanceMarker::SetFileLock(nullptr); });
        CInstanceMarker unlocked;
        ASSERT_TRUE(unlocked.Place(path));
        EXPECT_FALSE(unlocked.Locked());
        EXPECT_EQ(CInstanceMarker::LeftBehind(path).size(), 2);
        unlocked.Release(false);
        EXPECT_EQ(CInstanceMarker::LeftBehind(path).size(), 1);
    }
    EXPECT_EQ(CInstanceMarker::LeftBehind(path), QStringList());
    EXPECT_EQ(QDir(dir.path()).entryList({"a.db-open-*"}).size(), 1);
}
