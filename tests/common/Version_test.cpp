#include "common/Error.h"
#include "common/Version.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <gtest/gtest.h>

TEST(Version, DecodesTheFixedFields)
{
    EXPECT_EQ(CVersion::VersionText(0xFFFF0001, 0x80000000), "-1.1.-32768.0");
    EXPECT_EQ(CVersion::BuildText(0x3F), "Debug Prerelease Patched PrivateBuild InfoInferred SpecialBuild ");
    EXPECT_EQ(CVersion::EnvironmentText(0x40004), "Windows (32-bit) under Windows-NT");
    EXPECT_EQ(CVersion::EnvironmentText(0x50005), "");
    EXPECT_EQ(CVersion::ExeTypeText(3, 6), "Driver:Network");
    EXPECT_EQ(CVersion::ExeTypeText(3, 11), "Driver");
    EXPECT_EQ(CVersion::ExeTypeText(6, 0), "Unknown");
    EXPECT_FALSE(CVersion::FileTimeToDateTime(0, 0).isValid());
    // 1970-01-01 00:00:00 UTC as a file time.
    EXPECT_EQ(CVersion::FileTimeToDateTime(0x019DB1DE, 0xD53E8000).toSecsSinceEpoch(), 0);
}

TEST(Version, OwnProgramCarriesTheBuildVersionAndOtherFilesNone)
{
    QFile cmake(QStringLiteral(IXO_SOURCE_DIR "/CMakeLists.txt"));
    ASSERT_TRUE(cmake.open(QIODevice::ReadOnly));
    const auto declared =
        QRegularExpression(QStringLiteral(R"(project\(IxoSoft VERSION (\d+)\.(\d+)\.(\d+))"))
            .match(QString::fromUtf8(cmake.readAll()));
    CVersion version;
    version.Create(QCoreApplication::applicationFilePath());
    EXPECT_EQ(version.FullFileVersion(),
              declared.captured(1) + "." + declared.captured(2) + ".0." + declared.captured(3));
    EXPECT_EQ(version.ProductName() + " " + version.ExeType(), "IxoSoft Application");

    QTemporaryFile other;
    ASSERT_TRUE(other.open());
    version.SetExeName(other.fileName());
    EXPECT_EQ(version.ExeName() + version.FullFileVersion() + version.ProductName(), "");
    EXPECT_THROW(version.Create(other.fileName() + QStringLiteral(".missing")), CError);
}
