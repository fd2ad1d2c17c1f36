#include "common/Version.h"

#include "common/Error.h"
#include "common/ResString.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>

namespace {

constexpr quint32 kSignature = 0xFEEF04BD;
constexpr quint32 kStrucVersion = 0x00010000;
constexpr quint32 kFlagsMask = 0x3F;
constexpr quint32 kTypeApplication = 1;

qint16 High(quint32 field)
{
    return qint16(field >> 16);
}
qint16 Low(quint32 field)
{
    return qint16(field & 0xFFFF);
}

// Codes up to 1000 are the run-time's own errors; the others the program's.
[[noreturn]] void RaiseVersionError(qint32 code)
{
    if (code < 1001)
        RaiseRunTimeError(code);
    throw CError(MakeUserError(code), ExecutableBaseName() + QStringLiteral(".Version"), QString());
}

bool IsOwnProgram(const QFileInfo &file)
{
    const QString own = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    return !own.isEmpty() && file.canonicalFilePath() == own;
}

} // namespace

void CVersion::Create(const QString &sExeNameA)
{
    if (m_Loaded)
        Clear();
    const QFileInfo file(sExeNameA);
    if (!file.exists())
        RaiseVersionError(ENOENT);
    if (IsOwnProgram(file))
        LoadOwnRecord(sExeNameA);
}

void CVersion::Clear()
{
    m_FileName.clear();
    m_Loaded = false;
    m_Info = FixedInfo();
    m_Strings.clear();
}

void CVersion::LoadOwnRecord(const QString &fileName)
{
    // The version the program shows is the one it was built with; without one there is no record.
    const auto match = QRegularExpression(QStringLiteral(R"((\d+)\.(\d+)\.(\d+))")).match(LoadResString(303));
    if (!match.hasMatch())
        return;
    const quint32 major = match.captured(1).toUInt();
    const quint32 minor = match.captured(2).toUInt();
    const quint32 revision = match.captured(3).toUInt();
    m_Info.Signature = kSignature;
    m_Info.StrucVersion = kStrucVersion;
    m_Info.FileVersionMS = m_Info.ProductVersionMS = (major << 16) | (minor & 0xFFFF);
    m_Info.FileVersionLS = m_Info.ProductVersionLS = revision & 0xFFFF;
    m_Info.FileFlagsMask = kFlagsMask;
    m_Info.FileType = kTypeApplication;
    const QString version = match.captured(0);
    m_Strings = {
        {QStringLiteral("ProductName"), LoadResString(301)},
        {QStringLiteral("FileVersion"), version},
        {QStringLiteral("ProductVersion"), version},
        {QStringLiteral("InternalName"), ExecutableBaseName()},
        {QStringLiteral("OriginalFilename"), QFileInfo(fileName).fileName()},
    };
    m_FileName = fileName;
    m_Loaded = true;
}

QString CVersion::FullFileVersion() const
{
    return m_Loaded ? VersionText(m_Info.FileVersionMS, m_Info.FileVersionLS) : QString();
}

QString CVersion::FullProductVersion() const
{
    return m_Loaded ? VersionText(m_Info.ProductVersionMS, m_Info.ProductVersionLS) : QString();
}

QString CVersion::ExeType() const
{
    return m_Loaded ? ExeTypeText(m_Info.FileType, m_Info.FileSubtype) : QString();
}

QString CVersion::VersionText(quint32 high, quint32 low)
{
    return QStringLiteral("%1.%2.%3.%4").arg(High(high)).arg(Low(high)).arg(High(low)).arg(Low(low));
}

QString CVersion::BuildText(quint32 flags)
{
    static const char *const words[] = {"Debug ",        "Prerelease ",   "Patched ",
                                        "PrivateBuild ", "InfoInferred ", "SpecialBuild "};
    QString text;
    for (int bit = 0; bit < 6; ++bit) {
        if (flags & (1u << bit))
            text += QLatin1String(words[bit]);
    }
    return text;
}

QString CVersion::EnvironmentText(quint32 os)
{
    static const char *const platforms[] = {"", "Windows (16-bit)", "PM (16-bit)", "PM (32-bit)",
                                            "Windows (32-bit)"};
    static const char *const systems[] = {"", " under MS-DOS", " under OS/2 (16-bit)", " under OS/2 (32-bit)",
                                          " under Windows-NT"};
    const quint32 low = os & 0xFFFF;
    const quint32 high = os >> 16;
    return QLatin1String(low <= 4 ? platforms[low] : "") + QLatin1String(high <= 4 ? systems[high] : "");
}

QString CVersion::ExeTypeText(quint32 type, quint32 subtype)
{
    static const char *const drivers[] = {":Printer", ":Keyboard",      ":Language", ":Display",
                                          ":Mouse",   ":Network",       ":System",   ":Installable",
                                          ":Sound",   ":Communications"};
    static const char *const fonts[] = {":Raster", ":Vector", ":TrueType"};
    switch (type) {
    case 1:
        return QStringLiteral("Application");
    case 2:
        return QStringLiteral("Dynamic Link Library");
    case 3:
        return QStringLiteral("Driver") +
               QLatin1String(subtype >= 1 && subtype <= 10 ? drivers[subtype - 1] : "");
    case 4:
        return QStringLiteral("Font") + QLatin1String(subtype >= 1 && subtype <= 3 ? fonts[subtype - 1] : "");
    case 5:
        return QStringLiteral("VXD");
    case 7:
        return QStringLiteral("Static Library");
    default:
        return QStringLiteral("Unknown");
    }
}

QDateTime CVersion::FileTimeToDateTime(quint32 high, quint32 low)
{
    if (high == 0 && low == 0)
        return {};
    constexpr qint64 kTicksPerSecond = 10'000'000;
    constexpr qint64 kSecondsFrom1601To1970 = 11'644'473'600;
    const quint64 ticks = (quint64(high) << 32) | low;
    const qint64 seconds = qint64(ticks / kTicksPerSecond) - kSecondsFrom1601To1970;
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::LocalTime);
}
