#include "support/TraceCapture.h"
#include "common/CopyClass.h"
#include "platform/SettingsStore.h"
#include "support/TempUserDirs.h"

#include <gmock/gmock.h>

namespace {

// A settings class with one member of each stored type, written and read the way the
// program's settings classes do it.
class CAllTypes : public ICopyClass
{
public:
    QString ClassName() const override { return QStringLiteral("CAllTypes"); }

    void SaveData(const QString &nomeFile) override
    {
        ICopyClass::SaveData(nomeFile);
        SaveVariable("m_Int", m_Int, ClassName());
        SaveVariable("m_Long", m_Long, ClassName());
        SaveVariable("m_Single", m_Single, ClassName());
        SaveVariable("m_Date", m_Date, ClassName());
        SaveVariable("m_Text", m_Text, ClassName());
        SaveVariable("m_Flag", m_Flag, ClassName());
    }
    void LoadData(const QString &nomeFile) override
    {
        ICopyClass::LoadData(nomeFile);
        LoadVariable("m_Int", m_Int, ClassName());
        LoadVariable("m_Long", m_Long, ClassName());
        LoadVariable("m_Single", m_Single, ClassName());
        LoadVariable("m_Date", m_Date, ClassName());
        LoadVariable("m_Text", m_Text, ClassName());
        LoadVariable("m_Flag", m_Flag, ClassName());
    }

    qint16 m_Int = 1;
    qint32 m_Long = 2;
    float m_Single = 3.5f;
    QDateTime m_Date = QDateTime(QDate(2000, 1, 1), QTime(12, 0));
    QString m_Text = QStringLiteral("default");
    bool m_Flag = false;
};

void ExpectSameValues(const CAllTypes &a, const CAllTypes &b)
{
    EXPECT_EQ(a.m_Int, b.m_Int);
    EXPECT_EQ(a.m_Long, b.m_Long);
    EXPECT_EQ(a.m_Single, b.m_Single);
    EXPECT_EQ(a.m_Date, b.m_Date);
    EXPECT_EQ(a.m_Text, b.m_Text);
    EXPECT_EQ(a.m_Flag, b.m_Flag);
}

// Empty: the per-user settings store; otherwise an INI file of that name.
class Persistence : public ::testing::TestWithParam<bool>
{
protected:
    QString FileName() const { return GetParam() ? m_Dirs.Path() + "/values.ini" : QString(); }
    TempUserDirs m_Dirs;
};

} // namespace

TEST_P(Persistence, EveryTypeSurvivesTheRoundTrip)
{
    CAllTypes saved;
    saved.m_Int = -32768;
    saved.m_Long = 2147483647;
    saved.m_Single = 0.1f;
    saved.m_Date = QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58));
    saved.m_Text = QStringLiteral("COM1, Più");
    saved.m_Flag = true;
    saved.SaveData(FileName());

    CAllTypes loaded;
    loaded.LoadData(FileName());
    ExpectSameValues(loaded, saved);
}

TEST_P(Persistence, MissingKeysLeaveTheDefaults)
{
    CAllTypes loaded;
    loaded.LoadData(FileName());
    ExpectSameValues(loaded, CAllTypes());
}

INSTANTIATE_TEST_SUITE_P(StoreAndIni, Persistence, ::testing::Bool(),
                         [](const auto &info) { return info.param ? "IniFile" : "SettingsStore"; });

TEST(SettingsStore, TextsThatDoNotConvertKeepTheCurrentValueAndAreTraced)
{
    TempUserDirs dirs;
    TraceCapture capture;
    Platform::WriteSetting("CAllTypes", "m_Int", "40000");
    Platform::WriteSetting("CAllTypes", "m_Long", "1.5");
    Platform::WriteSetting("CAllTypes", "m_Single", "nan");
    Platform::WriteSetting("CAllTypes", "m_Date", "yesterday");
    Platform::WriteSetting("CAllTypes", "m_Flag", "maybe");
    CAllTypes loaded;
    loaded.LoadData(QString());
    ExpectSameValues(loaded, CAllTypes());
    const QStringList lines = capture.Lines();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], "Valore non valido per CAllTypes.m_Int: '40000', mantenuto 1");
}

TEST(SettingsStore, WritesPlainTextsAndReadsCommaDecimalsWordFlagsAndHandEditedLists)
{
    TempUserDirs dirs;
    CAllTypes loaded;
    loaded.SaveData(QString());
    EXPECT_EQ(Platform::ReadSetting("CAllTypes", "m_Flag", ""), "0");
    EXPECT_EQ(Platform::ReadSetting("CAllTypes", "m_Date", ""), "2000-01-01 12:00:00");
    Platform::WriteSetting("CAllTypes", "m_Single", "2,5");
    Platform::WriteSetting("CAllTypes", "m_Long", "12.0");
    Platform::WriteSetting("CAllTypes", "m_Flag", "True");
    loaded.LoadData(QString());
    EXPECT_EQ(loaded.m_Single, 2.5f);
    EXPECT_EQ(loaded.m_Long, 12);
    EXPECT_TRUE(loaded.m_Flag);

    QFile file(Platform::SettingsFilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[CAllTypes]\nm_Text=a, b\n");
    file.close();
    loaded.LoadData(QString());
    EXPECT_EQ(loaded.m_Text, "a, b");
}

TEST(CopyClass, PlainObjectsMatchByExactNameAndKeepTheirFileName)
{
    const ICopyClass plain;
    const CAllTypes named;
    EXPECT_TRUE(plain.VerifySameClass(plain, ICopyClass()));
    EXPECT_TRUE(plain.VerifySameClass(named, CAllTypes()));
    EXPECT_FALSE(plain.VerifySameClass(plain, named));

    ICopyClass object;
    object.LoadData("/tmp/first.ini");
    object.LoadData(QString());
    EXPECT_EQ(object.FileName(), "/tmp/first.ini");
}
