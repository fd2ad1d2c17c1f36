#pragma once

#include "platform/ArchiveConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QtEndian>

#include <gtest/gtest.h>

// A file's bytes; `missing` when it cannot be read.
inline QByteArray ReadFile(const QString &path, const QByteArray &missing = {})
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : missing;
}

// Writes the file whole, in place of what it held; a file that cannot be written fails the test.
inline bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    const bool written =
        file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
    EXPECT_TRUE(written) << path.toStdString();
    return written;
}

// Overwrites the header of the first page of a table in a closed archive file, as a failing disk
// would: the size stays right, SQLite's quick check finds it. False when the table is not there.
// `seenAtOnce`: the file's change counter moves on too, as after another program's write, so that
// a connection that has the page in its cache reads it again at its next transaction.
inline bool DamageTable(const QString &path, const QString &table, bool seenAtOnce = false)
{
    qint64 page = 0, pageSize = 0;
    {
        Platform::CArchiveConnection file;
        if (!file.Open(path, Platform::CArchiveConnection::EMode::ReadOnly))
            return false;
        file.ExecOnce("SELECT rootpage FROM sqlite_master WHERE name = '" + table + "'",
                      [&page](const auto &row) { page = row.Number(0); });
        pageSize = file.Number("PRAGMA page_size").value_or(0);
    }
    QByteArray bytes = ReadFile(path);
    if (page < 1 || bytes.size() < page * pageSize)
        return false;
    bytes.replace((page - 1) * pageSize, 16, QByteArray(16, '\xff'));
    if (seenAtOnce) {
        // The change counter, and the version it is valid for, big-endian at 24 and 92.
        const quint32 counter = qFromBigEndian<quint32>(bytes.constData() + 24) + 1;
        for (const int at : {24, 92})
            qToBigEndian(counter, bytes.data() + at);
    }
    return WriteFile(path, bytes);
}

// The markers beside the archive, of live programs or not.
inline QStringList Markers(const QString &path)
{
    return QFileInfo(path).dir().entryList({QFileInfo(path).fileName() + "-open*"});
}
