#pragma once

#include "platform/ArchiveConnection.h"

#include <QString>

#include <gtest/gtest.h>

#include <chrono>

// Another program's write on an archive file, its lock held (BEGIN EXCLUSIVE) until the object
// ends: no other connection reads the file meanwhile.
class AnotherProgramsWrite
{
public:
    explicit AnotherProgramsWrite(const QString &path)
    {
        EXPECT_TRUE(m_Connection.Open(path, Platform::CArchiveConnection::EMode::ReadWrite) &&
                    m_Connection.ExecOnce(QStringLiteral("BEGIN EXCLUSIVE")))
            << m_Connection.LastError().toStdString();
    }

private:
    // Closing rolls the write back.
    Platform::CArchiveConnection m_Connection;
};

// Another program reading an archive file, its read transaction open until the object ends:
// this program may write meanwhile, but no commit of it reaches the file.
class AnotherProgramsRead
{
public:
    explicit AnotherProgramsRead(const QString &path)
    {
        EXPECT_TRUE(m_Connection.Open(path, Platform::CArchiveConnection::EMode::ReadWrite) &&
                    m_Connection.ExecOnce("BEGIN") && m_Connection.ExecOnce("SELECT * FROM sqlite_master"));
    }

private:
    Platform::CArchiveConnection m_Connection;
};

// The time a connection opened while the object lives waits for another program's lock: short,
// so that a test does not wait the program's 5 s for each read.
class ShortBusyTimeout
{
public:
    ShortBusyTimeout() { Platform::CArchiveConnection::SetBusyTimeout(std::chrono::milliseconds(20)); }
    ~ShortBusyTimeout() { Platform::CArchiveConnection::SetBusyTimeout(m_Earlier); }
    ShortBusyTimeout(const ShortBusyTimeout &) = delete;
    ShortBusyTimeout &operator=(const ShortBusyTimeout &) = delete;

private:
    std::chrono::milliseconds m_Earlier = Platform::CArchiveConnection::BusyTimeout();
};
