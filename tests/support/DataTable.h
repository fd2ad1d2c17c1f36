#pragma once

#include <QFile>
#include <QList>
#include <QStringList>

#include <gtest/gtest.h>

#include <cctype>
#include <string>

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
