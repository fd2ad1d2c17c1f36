#pragma once

#include <QFile>
#include <QString>

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
