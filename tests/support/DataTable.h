#pragma once

#include "support/Files.h"
#include "support/TraceCapture.h"

#include <QFile>
#include <QList>
#include <QStringList>

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <optional>
#include <string>
#include <sys/stat.h>

// A case table under tests/data: one case a line, fields apart by tabs; blank lines and lines
// starting with "#" are notes. A missing file fails the test that asked for it.
//   ReadDataTable("image_settings.tsv") -> {{"Password", "0", "0", ...}, ...}
inline QList<QStringList> ReadDataTable(const QString &name)
{
    QFile file(QStringLiteral(IXO_SOURCE_DIR "/tests/data/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << name.toStdString();
    QList<QStringList> rows;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1Char('#')))
            rows.append(line.split(QLatin1Char('\t')));
    return rows;
}

// The bytes a field of a table stands for: "\r", "\n" and "\xNN" (one byte) are escapes.
//   FieldBytes("a\\x5cb\\r\\n") -> "a\\b\r\n"
inline QByteArray FieldBytes(const QString &field)
{
    QByteArray bytes = field.toUtf8().replace("\\r", "\r").replace("\\n", "\n");
    for (qsizetype at = 0; (at = bytes.indexOf("\\x", at)) >= 0; ++at)
        bytes.replace(at, 4, QByteArray(1, char(bytes.mid(at + 2, 2).toInt(nullptr, 16))));
    return bytes;
}

// The file's identity and last change: equal before and after, the file was not written again.
inline std::optional<std::tuple<ino_t, time_t, long>> FileStamp(const QString &path)
{
    struct stat status;
    if (stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return std::tuple(status.st_ino, status.st_mtim.tv_sec, status.st_mtim.tv_nsec);
}

// Plays a table of calls on the file at `path`, in order, one a line:
//   file: the file's bytes before the call ("=" as the line before left it, "(none)" no file)
//   call, section, key, value: fields 1 to 4, which `call` turns into the call's answer
//   answer: what the call answers; after: the file's bytes after it ("=" as it was, not even
//   written again); trace: the trace lines it writes ("%f" the file's name)
// Escapes (FieldBytes) in file, answer and after.
inline void PlayFileCalls(const QString &table, const QString &path,
                          const std::function<QString(const QStringList &)> &call)
{
    for (const QStringList &f : ReadDataTable(table)) {
        SCOPED_TRACE(f.join(" | ").toStdString());
        if (f[0] != "=") {
            QFile::remove(path);
            ASSERT_TRUE(f[0] == "(none)" || WriteFile(path, FieldBytes(f[0])));
        }
        const QByteArray before = ReadFile(path, "(none)");
        const auto stamp = FileStamp(path);
        TraceCapture trace;
        EXPECT_EQ(call(f), QString::fromUtf8(FieldBytes(f[5])));
        EXPECT_EQ(trace.Lines().join(" / ").toStdString(),
                  QString(f.value(7)).replace("%f", path).toStdString());
        const QString after = f[6];
        EXPECT_EQ(ReadFile(path, "(none)").toStdString(),
                  (after == "=" ? before : FieldBytes(after)).toStdString());
        EXPECT_TRUE(after != "=" || FileStamp(path) == stamp) << "written again";
    }
}

// A parameterised case's name for the test list: its description (`what`, or the first field
// of a data table's line) with "_" for anything else than letters and digits.
struct CaseName
{
    static std::string What(const QStringList &fields) { return fields.value(0).toStdString(); }
    template <class Case> static std::string What(const Case &c) { return c.what; }
    template <class Case> std::string operator()(const ::testing::TestParamInfo<Case> &info) const
    {
        std::string name = What(info.param);
        for (char &c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    }
};

// A test of the fixture run once per case of a table.
template <class Fixture, class Case> class Cases : public Fixture, public ::testing::WithParamInterface<Case>
{};
