#pragma once

#include "platform/ArchiveConnection.h"

#include <QString>

#include <gtest/gtest.h>

#include <chrono>

// Another program's write on an archive file, its lock held until the object ends: with BEGIN
// EXCLUSIVE no other connection reads the file meanwhile; with BEGIN IMMEDIATE others still read
// it, but none writes.
class AnotherProgramsWrite
{
public:
    explicit AnotherProgramsWrite(const QString &path,
                                  const QString &begin = QStringLiteral("BEGIN EXCLUSIVE"))
    {
        EXPECT_TRUE(m_Connection.Open(path, Platform::CArchiveConnection::EMode::ReadWrite) &&
                    m_Connection.ExecOnce(begin))
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

// The time a connection opened while the object lives waits for another program's lock, as
// long as a test needs.
class BusyTimeout
{
public:
    explicit BusyTimeout(int milliseconds)
    {
        Platform::CArchiveConnection::SetBusyTimeout(std::chrono::milliseconds(milliseconds));
    }
    ~BusyTimeout() { Platform::CArchiveConnection::SetBusyTimeout(m_Earlier); }
    BusyTimeout(const BusyTimeout &) = delete;
    BusyTimeout &operator=(const BusyTimeout &) = delete;

private:
    std::chrono::milliseconds m_Earlier = Platform::CArchiveConnection::BusyTimeout();
};

// Short, so that a test does not wait the program's 5 s for each read.
class ShortBusyTimeout : public BusyTimeout
{
public:
    ShortBusyTimeout() : BusyTimeout(20) {}
};
