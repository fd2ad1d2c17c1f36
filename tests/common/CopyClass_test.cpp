#include "common/CopyClass.h"
#include "platform/SettingsStore.h"
#include "support/TempUserDirs.h"
#include "support/TraceCapture.h"

#include <gmock/gmock.h>

namespace {

// A settings class with one member of each stored type, kept the way the program's classes do.
class CAllTypes : public ICopyClass
{
public:
    QString ClassName() const override { return QStringLiteral("CAllTypes"); }
    void SaveData(const QString &nomeFile) override
    {
        ICopyClass::SaveData(nomeFile);
        Each([this](const char *name, auto &value) { SaveVariable(name, value, ClassName()); });
    }
    void LoadData(const QString &nomeFile) override
    {
        ICopyClass::LoadData(nomeFile);
        Each([this](const char *name, auto &value) { LoadVariable(name, value, ClassName()); });
    }
    auto Values() { return std::tie(m_Int, m_Long, m_Single, m_Date, m_Text, m_Flag); }

    qint16 m_Int = 1;
    qint32 m_Long = 2;
    float m_Single = 3.5f;
    QDateTime m_Date = QDateTime(QDate(2000, 1, 1), QTime(12, 0));
    QString m_Text = QStringLiteral("default");
    bool m_Flag = false;

private:
    template <typename F> void Each(F f)
    {
        f("m_Int", m_Int);
        f("m_Long", m_Long);
        f("m_Single", m_Single);
        f("m_Date", m_Date);
        f("m_Text", m_Text);
        f("m_Flag", m_Flag);
    }
};

} // namespace

// In the per-user settings store and in an INI file.
TEST(Persistence, MissingKeysKeepTheDefaultsEveryTypeSurvivesTheRoundTripAndNamesMatch)
{
    TempUserDirs dirs;
    for (const QString &fileName : {QString(), dirs.Path() + "/values.ini"}) {
        CAllTypes loaded, saved;
        loaded.LoadData(fileName);
        EXPECT_EQ(loaded.Values(), CAllTypes().Values()) << fileName.toStdString();
        saved.Values() = std::tuple(-32768, 2147483647, 0.1f,
                                    QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58)), "COM1, Più", true);
        saved.SaveData(fileName);
        loaded.LoadData(fileName);
        EXPECT_EQ(loaded.Values(), saved.Values()) << fileName.toStdString();
    }
    // Plain objects match by their exact names; an empty file name keeps the last one.
    ICopyClass object;
    EXPECT_TRUE(object.VerifySameClass(CAllTypes(), CAllTypes()) &&
                !object.VerifySameClass(object, CAllTypes()));
    object.LoadData("/tmp/first.ini");
    object.LoadData(QString());
    EXPECT_EQ(object.FileName(), "/tmp/first.ini");
}

// The store is written as plain texts and read as a person may have edited it: comma decimals,
// word flags, lists; a text that does not convert keeps the current value and is traced.
TEST(SettingsStore, ReadsHandEditedTextsAndKeepsTheValueOfTextsThatDoNotConvert)
{
    TempUserDirs dirs;
    TraceCapture capture;
    CAllTypes loaded;
    loaded.SaveData(QString());
    EXPECT_EQ(Platform::ReadSetting("CAllTypes", "m_Date", ""), "2000-01-01 12:00:00");
    for (const QString stored :
         {"m_Int=40000", "m_Long=1.5", "m_Single=nan", "m_Date=yesterday", "m_Flag=maybe"})
        Platform::WriteSetting("CAllTypes", stored.section('=', 0, 0), stored.section('=', 1));
    loaded.LoadData(QString());
    EXPECT_EQ(loaded.Values(), CAllTypes().Values());
    EXPECT_EQ(
        std::pair(capture.Lines().size(), capture.Lines().value(0)),
        std::pair(qsizetype(5), QString("Valore non valido per CAllTypes.m_Int: '40000', mantenuto 1")));

    ASSERT_TRUE(WriteFile(Platform::SettingsFilePath(),
                          "[CAllTypes]\nm_Single=\"2,5\"\nm_Long=12.0\nm_Flag=True\nm_Text=a, b\n"));
    loaded.LoadData(QString());
    EXPECT_EQ(std::tuple(loaded.m_Single, loaded.m_Long, loaded.m_Flag, loaded.m_Text),
              std::tuple(2.5f, 12, true, "a, b"));
}
