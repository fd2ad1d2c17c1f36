#include "common/INIManager.h"
#include "support/DataTable.h"

// One call of the table: section, key and value are fields 2 to 4.
static QString Call(CINIManager &ini, const QStringList &f)
{
    const QString s = f[2], k = f[3], v = QString::fromUtf8(FieldBytes(f[4]));
    const auto n = [](auto number) { return QString::number(number); };
    const std::map<QString, std::function<QString()>> calls = {
        {"SectionExist", [&] { return n(ini.INISectionExist(s)); }},
        {"KeyExist", [&] { return n(ini.INIKeyExist(s, k)); }},
        {"DelSection", [&] { return n(ini.INIDelSection(s)); }},
        {"DelKey", [&] { return n(ini.INIDelKey(s, k)); }},
        {"GetInt", [&] { return n(ini.INIGetInt(s, k, v.toShort())); }},
        {"GetLong", [&] { return n(ini.INIGetLong(s, k, v.toInt())); }},
        {"GetSingle", [&] { return n(ini.INIGetSingle(s, k, v.toFloat())); }},
        {"GetBool", [&] { return n(ini.INIGetBool(s, k, v == "1")); }},
        {"GetString", [&] { return ini.INIGetString(s, k, v); }},
        {"GetDate",
         [&] { return ini.INIGetDate(s, k, QDateTime::fromString(v, Qt::ISODate)).toString(Qt::ISODate); }},
        {"AddInt", [&] { return n(ini.INIAddKeyInt(s, k, v.toShort())); }},
        {"AddLong", [&] { return n(ini.INIAddKeyLong(s, k, v.toInt())); }},
        {"AddSingle", [&] { return n(ini.INIAddKeySingle(s, k, v.toFloat())); }},
        {"AddBool", [&] { return n(ini.INIAddKeyBool(s, k, v == "1")); }},
        {"AddString", [&] { return n(ini.INIAddKeyString(s, k, v)); }},
    };
    return calls.at(f[1])();
}

// The calls of tests/data/ini_calls.tsv, each with its answer, the file it leaves and its trace.
TEST(IniFile, CallsAnswerAndChangeTheFileAsTheTableSays)
{
    QTemporaryDir dir;
    CINIManager ini;
    ini.Create(dir.filePath(QStringLiteral("settings.ini")));
    PlayFileCalls(QStringLiteral("ini_calls.tsv"), ini.FileName(),
                  [&](const QStringList &f) { return Call(ini, f); });
}

// A manager without a file, or on a folder that does not exist, finds and writes nothing; a
// text reads back at most 1023 characters long.
TEST(IniFile, WithoutAFileNothingIsFoundOrWrittenAndLongTextsAreCut)
{
    QTemporaryDir dir;
    CINIManager unnamed, elsewhere, ini;
    elsewhere.Create(dir.filePath(QStringLiteral("no/such/folder.ini")));
    ini.Create(dir.filePath(QStringLiteral("settings.ini")));
    EXPECT_EQ(unnamed.INIGetString("A", "k", "d"), "d");
    EXPECT_FALSE(unnamed.INIAddKeyBool("A", "k", true) || elsewhere.INIAddKeyString("A", "k", "x"));
    ASSERT_TRUE(ini.INIAddKeyString("A", "k", QString(2000, 'x')));
    EXPECT_EQ(ini.INIGetString("A", "k", ""), QString(1023, 'x'));
}
