#include "platform/SettingsStore.h"
#include "support/DataTable.h"
#include "support/FileSizeLimit.h"
#include "support/QStringPrinter.h"
#include "support/ReadOnlyPath.h"
#include "support/TempUserDirs.h"
#include "support/TraceCapture.h"

#include <QDir>
#include <QSettings>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A write that meets a full disk.
bool WriteOnAFullDisk(const QString &section, const QString &key)
{
    const CFileSizeLimit full(4096);
    return Platform::WriteSetting(section, key, QString(8192, 'x'));
}

QString Call(const QStringList &f)
{
    const QString section = f[2], key = f[3], value = QString::fromUtf8(FieldBytes(f[4]));
    const std::map<QString, std::function<QString()>> calls = {
        {"Read", [&] { return Platform::ReadSetting(section, key, value); }},
        {"Has", [&] { return QString::number(Platform::HasSetting(section, key)); }},
        {"Write", [&] { return QString::number(Platform::WriteSetting(section, key, value)); }},
        {"WriteFull", [&] { return QString::number(WriteOnAFullDisk(section, key)); }},
    };
    return calls.at(f[1])();
}

} // namespace

// The calls of tests/data/settings_files.tsv, each with its answer, the file it leaves and its
// trace.
TEST(SettingsFile, KeepsEveryByteTheProgramDoesNotChange)
{
    TempUserDirs dirs;
    PlayFileCalls(QStringLiteral("settings_files.tsv"), Platform::SettingsFilePath(), &Call);
}

// A file of the earlier version, its section name percent-encoded and its texts in its own
// quoting: every text reads back as written, and the first change names the section as given.
TEST(SettingsFile, AFileOfTheEarlierVersionReadsBackAndTakesTheNamesAsGiven)
{
    TempUserDirs dirs;
    const QStringList values = {"PDF file",     "a, b", " lead", "trail ", "q\"x\"",     "back\\slash",
                                "C:\\\\server", "@at",  "café",  "0,5",    "\"quoted\"", "a=b;c"};
    {
        QSettings earlier(Platform::SettingsFilePath(), QSettings::IniFormat);
        for (qsizetype i = 0; i < values.size(); ++i)
            earlier.setValue(QStringLiteral("Application printer/k%1").arg(i), values[i]);
    }
    ASSERT_TRUE(Platform::WriteSetting("Application printer", "DeviceName", "Ufficio"));
    QStringList read;
    for (qsizetype i = 0; i < values.size(); ++i)
        read << Platform::ReadSetting("Application printer", QStringLiteral("k%1").arg(i), "-");
    EXPECT_EQ(read, values);
    EXPECT_TRUE(ReadFile(Platform::SettingsFilePath()).startsWith("[Application printer]\n"));
}

// A pipe or a folder in the settings file's place, or a link to one, is refused before it is
// opened (a pipe would hold the start for ever): the defaults, one trace line, and nothing
// written to it or in its place.
TEST(SettingsFile, ASpecialFileIsRefusedAndLeftAsItIs)
{
    const std::pair<const char *, std::function<bool(const QByteArray &)>> specials[] = {
        {"pipe", [](const QByteArray &path) { return mkfifo(path.constData(), 0600) == 0; }},
        {"folder", [](const QByteArray &path) { return QDir().mkpath(QFile::decodeName(path)); }},
        {"link to a pipe",
         [](const QByteArray &path) {
             return mkfifo(path + ".pipe", 0600) == 0 && symlink(path + ".pipe", path.constData()) == 0;
         }},
    };
    for (const auto &[what, make] : specials) {
        SCOPED_TRACE(what);
        TempUserDirs dirs;
        const QString path = Platform::SettingsFilePath();
        ASSERT_TRUE(make(QFile::encodeName(path)));
        struct stat before, after;
        ASSERT_EQ(lstat(QFile::encodeName(path).constData(), &before), 0);
        TraceCapture trace;
        alarm(10); // a call that waits on the file for ever ends the test program
        EXPECT_EQ(Platform::ReadSetting("Ports", "COM1", "/dev/ttyS0"), "/dev/ttyS0");
        EXPECT_EQ(Platform::ReadSetting("CCommConfig", "m_ComPort", "1"), "1");
        EXPECT_FALSE(Platform::HasSetting("Ports", "COM1"));
        EXPECT_FALSE(Platform::WriteSetting("Ports", "COM1", "/dev/ttyUSB0"));
        alarm(0);
        EXPECT_EQ(trace.Lines(),
                  QStringList({"File delle impostazioni " + path +
                               " rifiutato: non è un file regolare; usati i valori predefiniti"}));
        ASSERT_EQ(lstat(QFile::encodeName(path).constData(), &after), 0);
        EXPECT_EQ(std::tuple(after.st_ino, after.st_mode), std::tuple(before.st_ino, before.st_mode));
    }
}

// Several values go into the file together or not at all: a value the file's code page cannot
// hold, or a file that cannot be replaced, leaves every byte as it was (the file's reason said).
TEST(SettingsFile, SeveralValuesAreStoredTogetherOrNotAtAll)
{
    TempUserDirs dirs;
    const QString path = Platform::SettingsFilePath();
    ASSERT_TRUE(WriteFile(path, "[Ports]\r\nCOM2=/dev/caf\xe9\r\n"));
    const QList<Platform::CSettingWrite> choice = {{"Application printer", "DeviceName", "Laser"},
                                                   {"Application printer", "Orientation", "2"}};
    QString fault;
    EXPECT_FALSE(
        Platform::WriteSettings(choice + QList<Platform::CSettingWrite>{{"Ports", "COM3", "Ω"}}, &fault));
    EXPECT_EQ(ReadFile(path), "[Ports]\r\nCOM2=/dev/caf\xe9\r\n");
    {
        const ReadOnlyPath readOnly(path);
        if (readOnly.Made()) {
            EXPECT_FALSE(Platform::WriteSettings(choice, &fault));
            EXPECT_FALSE(fault.isEmpty());
            EXPECT_EQ(ReadFile(path), "[Ports]\r\nCOM2=/dev/caf\xe9\r\n");
        }
    }
    EXPECT_TRUE(Platform::WriteSettings(choice));
    EXPECT_EQ(ReadFile(path),
              "[Ports]\r\nCOM2=/dev/caf\xe9\r\n\r\n[Application printer]\r\nDeviceName=Laser\r\n"
              "Orientation=2\r\n");
}
