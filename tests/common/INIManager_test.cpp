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
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
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

TEST_F(IniFile, NamesMatchWholeWithoutRegardToCaseAndEmptyNamesFindAndWriteNothing)
{
    Write("[CCommConfig]\r\nm_ComPort=2\r\n");
    EXPECT_TRUE(m_Ini.INISectionExist("ccommCONFIG"));
    EXPECT_FALSE(m_Ini.INISectionExist("CComm"));
    EXPECT_TRUE(m_Ini.INIKeyExist("CCommConfig", "M_COMPORT"));
    EXPECT_FALSE(m_Ini.INIKeyExist("CCommConfig", "ComPort"));
    EXPECT_EQ(m_Ini.INIGetInt("ccommconfig", "m_comport", 7), 2);
    EXPECT_EQ(m_Ini.INIGetInt("CCommConfig", "ComPort", 7), 7);

    EXPECT_FALSE(m_Ini.INISectionExist(""));
    EXPECT_FALSE(m_Ini.INIKeyExist("CCommConfig", ""));
    EXPECT_EQ(m_Ini.INIGetLong("", "m_ComPort", 9), 9);
    EXPECT_FALSE(m_Ini.INIAddKeyString("", "k", "x"));
    EXPECT_FALSE(m_Ini.INIDelSection(""));
    CINIManager unnamed;
    EXPECT_EQ(unnamed.INIGetString("CCommConfig", "m_ComPort", "d"), "d");
    EXPECT_FALSE(unnamed.INIAddKeyBool("A", "k", true));
    EXPECT_EQ(Content(), "[CCommConfig]\r\nm_ComPort=2\r\n");
}

// Numbers go out with a point and come in with a point or a comma; negative longs are neither
// written nor read; only 1 is true.
TEST_F(IniFile, NumbersAndFlags)
{
    EXPECT_FALSE(m_Ini.INIAddKeyLong("A", "n", -5));
    EXPECT_FALSE(QFile::exists(m_Path));
    EXPECT_TRUE(m_Ini.INIAddKeyLong("A", "n", 5));
    EXPECT_TRUE(m_Ini.INIAddKeyBool("A", "yes", true));
    EXPECT_TRUE(m_Ini.INIAddKeyBool("A", "no", false));
    EXPECT_TRUE(m_Ini.INIAddKeySingle("A", "f", 2.5f));
    EXPECT_TRUE(m_Ini.INIAddKeyInt("A", "i", -32768));
    EXPECT_EQ(Content(), "[A]\nn=5\nyes=1\nno=0\nf=2.5\ni=-32768\n");
    EXPECT_TRUE(m_Ini.INIGetBool("A", "yes", false));
    EXPECT_FALSE(m_Ini.INIGetBool("A", "no", true));
    EXPECT_EQ(m_Ini.INIGetInt("A", "i", 0), -32768);
    Write("[A]\nn=-7\ntwo=2\nf=0,125\n");
    EXPECT_EQ(m_Ini.INIGetLong("A", "n", 3), 0);
    EXPECT_FALSE(m_Ini.INIGetBool("A", "two", true));
    EXPECT_FLOAT_EQ(m_Ini.INIGetSingle("A", "f", 0.0f), 0.125f);
}

TEST_F(IniFile, ValuesThatDoNotConvertKeepTheDefaultAndAreTraced)
{
    TraceCapture capture;
    Write("[A]\nint=40000\nlong=12abc\nsingle=\nflag=maybe\ndate=yesterday\n");
    EXPECT_EQ(m_Ini.INIGetInt("A", "int", 3), 3);
    EXPECT_EQ(m_Ini.INIGetLong("A", "long", 4), 4);
    EXPECT_FLOAT_EQ(m_Ini.INIGetSingle("A", "single", 1.5f), 1.5f);
    EXPECT_TRUE(m_Ini.INIGetBool("A", "flag", true));
    const QDateTime when(QDate(2024, 2, 29), QTime(23, 59, 58));
    EXPECT_EQ(m_Ini.INIGetDate("A", "date", when), when);
    const QStringList lines = capture.Lines();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[2], "Valore non valido per " + m_Path + " [A] single: '', mantenuto 1.5");
}

TEST_F(IniFile, TextsAndDatesSurviveTheRoundTripUpTo1023Characters)
{
    for (const char *text : {"", "  blanks at both ends ", "\"quoted\"", "a=b;c [d]", "Più €"}) {
        ASSERT_TRUE(m_Ini.INIAddKeyString("Testi", "t", text));
        EXPECT_EQ(m_Ini.INIGetString("Testi", "t", "default"), text);
    }
    const QString longText(2000, QLatin1Char('x'));
    ASSERT_TRUE(m_Ini.INIAddKeyString("Testi", "long", longText));
    EXPECT_EQ(m_Ini.INIGetString("Testi", "long", ""), longText.left(1023));
    const QDateTime when(QDate(1999, 12, 31), QTime(23, 59, 59));
    ASSERT_TRUE(m_Ini.INIAddKeyDate("Testi", "when", when));
    EXPECT_EQ(m_Ini.INIGetDate("Testi", "when", QDateTime()), when);
}

TEST_F(IniFile, WritesThatWouldBreakTheFileAreRefused)
{
    Write("[A]\nk=1\n");
    EXPECT_FALSE(m_Ini.INIAddKeyString("A", "k", "two\nlines"));
    EXPECT_FALSE(m_Ini.INIAddKeyString("A", "a=b", "x"));
    EXPECT_FALSE(m_Ini.INIAddKeyString("A]", "k", "x"));
    EXPECT_EQ(Content(), "[A]\nk=1\n");
    CINIManager elsewhere;
    elsewhere.Create(m_Dir.filePath(QStringLiteral("no/such/folder.ini")));
    EXPECT_FALSE(elsewhere.INIAddKeyString("A", "k", "x"));
}

TEST_F(IniFile, ChangesTouchOnlyTheirOwnLines)
{
    Write("; impostazioni\r\n[A]\r\nMixedCase=1\r\n\r\n[B]\r\ny=2\r\n");
    EXPECT_TRUE(m_Ini.INIAddKeyInt("a", "mixedcase", 5));
    EXPECT_TRUE(m_Ini.INIAddKeyInt("A", "z", 3));
    EXPECT_TRUE(m_Ini.INIAddKeyInt("C", "w", 4));
    EXPECT_EQ(Content(), "; impostazioni\n[A]\nMixedCase=5\nz=3\n\n[B]\ny=2\n\n[C]\nw=4\n");
    EXPECT_TRUE(m_Ini.INIDelKey("A", "Z"));
    EXPECT_FALSE(m_Ini.INIDelKey("A", "z"));
    EXPECT_TRUE(m_Ini.INIDelSection("b"));
    EXPECT_FALSE(m_Ini.INIDelSection("B"));
    EXPECT_EQ(Content(), "; impostazioni\n[A]\nMixedCase=5\n\n[C]\nw=4\n");
}
