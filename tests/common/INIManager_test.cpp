#include "common/INIManager.h"
#include "support/TraceCapture.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class IniFile : public ::testing::Test
{
protected:
    IniFile() { m_Ini.Create(m_Path); }
    void Write(const QByteArray &content)
    {
        QFile file(m_Path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }
    QByteArray Content() const
    {
        QFile file(m_Path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_Dir;
    QString m_Path = m_Dir.filePath(QStringLiteral("settings.ini"));
    CINIManager m_Ini;
};

} // namespace

// Whole names, any case; empty names, a manager without a file or a folder that does not exist
// find and write nothing.
TEST_F(IniFile, NamesMatchWholeWithoutRegardToCase)
{
    Write("[CCommConfig]\r\nm_ComPort=2\r\n");
    EXPECT_EQ((std::tuple{m_Ini.INISectionExist("ccommCONFIG"), m_Ini.INISectionExist("CComm"),
                          m_Ini.INISectionExist(""), m_Ini.INIKeyExist("CCommConfig", "M_COMPORT"),
                          m_Ini.INIKeyExist("CCommConfig", "ComPort"), m_Ini.INIKeyExist("CCommConfig", "")}),
              std::tuple(true, false, false, true, false, false));
    EXPECT_EQ(
        (std::tuple{m_Ini.INIGetInt("ccommconfig", "m_comport", 7),
                    m_Ini.INIGetInt("CCommConfig", "ComPort", 7), m_Ini.INIGetLong("", "m_ComPort", 9)}),
        std::tuple(2, 7, 9));
    CINIManager unnamed, elsewhere;
    elsewhere.Create(m_Dir.filePath(QStringLiteral("no/such/folder.ini")));
    EXPECT_EQ(unnamed.INIGetString("CCommConfig", "m_ComPort", "d"), "d");
    EXPECT_FALSE(m_Ini.INIAddKeyString("", "k", "x") || m_Ini.INIDelSection("") ||
                 unnamed.INIAddKeyBool("A", "k", true) || elsewhere.INIAddKeyString("A", "k", "x"));
    EXPECT_EQ(Content(), "[CCommConfig]\r\nm_ComPort=2\r\n");
}

// Numbers go out with a point and come in with a point or a comma; negative longs are neither
// written nor read; only 1 is true; text that does not convert keeps the default and is traced.
// Texts come back as written, up to 1023 characters.
TEST_F(IniFile, NumbersFlagsAndTexts)
{
    EXPECT_FALSE(m_Ini.INIAddKeyLong("A", "n", -5) || QFile::exists(m_Path));
    EXPECT_TRUE(m_Ini.INIAddKeyLong("A", "n", 5) && m_Ini.INIAddKeyBool("A", "yes", true) &&
                m_Ini.INIAddKeyBool("A", "no", false) && m_Ini.INIAddKeySingle("A", "f", 2.5f) &&
                m_Ini.INIAddKeyInt("A", "i", -32768));
    EXPECT_EQ(Content(), "[A]\nn=5\nyes=1\nno=0\nf=2.5\ni=-32768\n");
    EXPECT_EQ((std::tuple{m_Ini.INIGetBool("A", "yes", false), m_Ini.INIGetBool("A", "no", true),
                          m_Ini.INIGetInt("A", "i", 0)}),
              std::tuple(true, false, -32768));
    const QString longText(2000, QLatin1Char('x'));
    for (const QString &text :
         QStringList{"", "  blanks at both ends ", "\"quoted\"", "a=b;c [d]", "Più €", longText}) {
        ASSERT_TRUE(m_Ini.INIAddKeyString("Testi", "t", text));
        EXPECT_EQ(m_Ini.INIGetString("Testi", "t", "default"), text.left(1023));
    }

    TraceCapture capture;
    Write("[A]\nn=-7\ntwo=2\nf=0,125\nint=40000\nlong=12abc\nsingle=\nflag=maybe\ndate=yesterday\n");
    const QDateTime when(QDate(2024, 2, 29), QTime(23, 59, 58));
    EXPECT_EQ((std::tuple{m_Ini.INIGetLong("A", "n", 3), m_Ini.INIGetBool("A", "two", true),
                          m_Ini.INIGetSingle("A", "f", 0), m_Ini.INIGetInt("A", "int", 3),
                          m_Ini.INIGetLong("A", "long", 4), m_Ini.INIGetSingle("A", "single", 1.5f),
                          m_Ini.INIGetBool("A", "flag", true), m_Ini.INIGetDate("A", "date", when)}),
              std::tuple(0, false, 0.125f, 3, 4, 1.5f, true, when));
    const QStringList lines = capture.Lines();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[2], "Valore non valido per " + m_Path + " [A] single: '', mantenuto 1.5");
}

// Writes that would break the file are refused; changes touch only their own lines.
TEST_F(IniFile, ChangesTouchOnlyTheirOwnLines)
{
    Write("; impostazioni\r\n[A]\r\nMixedCase=1\r\n\r\n[B]\r\ny=2\r\n");
    EXPECT_FALSE(m_Ini.INIAddKeyString("A", "k", "two\nlines") || m_Ini.INIAddKeyString("A", "a=b", "x") ||
                 m_Ini.INIAddKeyString("A]", "k", "x"));
    EXPECT_TRUE(m_Ini.INIAddKeyInt("a", "mixedcase", 5) && m_Ini.INIAddKeyInt("A", "z", 3) &&
                m_Ini.INIAddKeyInt("C", "w", 4));
    EXPECT_EQ(Content(),
              "; impostazioni\r\n[A]\r\nMixedCase=5\r\nz=3\r\n\r\n[B]\r\ny=2\r\n\r\n[C]\r\nw=4\r\n");
    EXPECT_EQ((std::tuple{m_Ini.INIDelKey("A", "Z"), m_Ini.INIDelKey("A", "z"), m_Ini.INIDelSection("b"),
                          m_Ini.INIDelSection("B")}),
              std::tuple(true, false, true, false));
    EXPECT_EQ(Content(), "; impostazioni\r\n[A]\r\nMixedCase=5\r\n\r\n[C]\r\nw=4\r\n");
}

// A file written on Windows keeps what it holds: lines not changed keep their bytes and line
// ends, Windows-1252 text is read as such and new text is written in it.
TEST_F(IniFile, WindowsFilesKeepTheirCodePageAndLineEnds)
{
    Write("[Opzioni]\r\nTitolo=Qualit\xe0 \x80 5\xb0\r\n; r\xe9sum\xe9\nUltima=x");
    EXPECT_EQ(m_Ini.INIGetString("Opzioni", "Titolo", ""), QStringLiteral("Qualità € 5°"));
    ASSERT_TRUE(m_Ini.INIAddKeyString("Opzioni", "Ultima", QStringLiteral("Perché")) &&
                m_Ini.INIAddKeyString("Nuova", "k", QStringLiteral("ü")));
    const QByteArray written =
        "[Opzioni]\r\nTitolo=Qualit\xe0 \x80 5\xb0\r\n; r\xe9sum\xe9\nUltima=Perch\xe9\r\n"
        "\r\n[Nuova]\r\nk=\xfc\r\n";
    EXPECT_EQ(Content(), written);
    // A character the code page lacks would come back as another: the file is left alone.
    EXPECT_FALSE(m_Ini.INIAddKeyString("Opzioni", "Titolo", QStringLiteral("Ω")));
    EXPECT_EQ(Content(), written);

    // UTF-8 with its mark and LF ends stays UTF-8; the one line changed is the only one touched.
    Write("\xef\xbb\xbf[A]\nk=Qualit\xc3\xa0\r\nn=1\n");
    EXPECT_EQ(m_Ini.INIGetString("A", "k", ""), QStringLiteral("Qualità"));
    ASSERT_TRUE(m_Ini.INIAddKeyString("A", "n", QStringLiteral("Ω")));
    EXPECT_EQ(Content(), "\xef\xbb\xbf[A]\nk=Qualit\xc3\xa0\r\nn=\xce\xa9\n");
}
