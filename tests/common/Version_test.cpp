#include "common/Error.h"
#include "common/Version.h"
#include "support/Files.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTemporaryFile>

TEST(Version, DecodesTheFixedFields)
{
    EXPECT_EQ(
        QStringList({CVersion::VersionText(0xFFFF0001, 0x80000000), CVersion::BuildText(0x3F),
                     CVersion::EnvironmentText(0x40004), CVersion::EnvironmentText(0x50005),
                     CVersion::ExeTypeText(3, 6), CVersion::ExeTypeText(3, 11), CVersion::ExeTypeText(6, 0)}),
        QStringList({"-1.1.-32768.0", "Debug Prerelease Patched PrivateBuild InfoInferred SpecialBuild ",
                     "Windows (32-bit) under Windows-NT", "", "Driver:Network", "Driver", "Unknown"}));
    EXPECT_FALSE(CVersion::FileTimeToDateTime(0, 0).isValid());
    // 1970-01-01 00:00:00 UTC as a file time.
    EXPECT_EQ(CVersion::FileTimeToDateTime(0x019DB1DE, 0xD53E8000).toSecsSinceEpoch(), 0);
}

TEST(Version, OwnProgramCarriesTheBuildVersionAndOtherFilesNone)
{
    const auto declared = QRegularExpression(R"(project\(IxoSoft VERSION (\d+)\.(\d+)\.(\d+))")
                              .match(QString::fromUtf8(ReadFile(IXO_SOURCE_DIR "/CMakeLists.txt")));
    CVersion version;
    version.Create(QCoreApplication::applicationFilePath());
    EXPECT_EQ(version.FullFileVersion() + " " + version.ProductName() + " " + version.ExeType(),
              declared.captured(1) + "." + declared.captured(2) + ".0." + declared.captured(3) +
                  " IxoSoft Application");
    QTemporaryFile other;
    ASSERT_TRUE(other.open());
    version.SetExeName(other.fileName());
    EXPECT_EQ(version.ExeName() + version.FullFileVersion() + version.ProductName(), "");
    EXPECT_THROW(version.Create(other.fileName() + QStringLiteral(".missing")), CError);
}
