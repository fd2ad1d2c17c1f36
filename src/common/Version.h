#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

// The version record of a program file: its fixed numbers, their usual texts and its named
// strings. Linux executables carry no such record, so the one record this program knows is
// its own, made from the version it is built with (string 303, "Version 1.204.1", giving the
// parts 1.204.0.1). Any other file reads as a file without a record: every property is empty
// or 0. A file that does not exist raises an error.
//   CVersion v; v.Create(QCoreApplication::applicationFilePath());
//   v.FullFileVersion() -> "1.204.0.1"   v.ProductName() -> "IxoSoft"   v.ExeType() -> "Application"
class CVersion
{
public:
    // The record's fixed part, thirteen 32-bit fields in their stored order.
    struct FixedInfo
    {
        quint32 Signature = 0;
        quint32 StrucVersion = 0;
        quint32 FileVersionMS = 0;
        quint32 FileVersionLS = 0;
        quint32 ProductVersionMS = 0;
        quint32 ProductVersionLS = 0;
        quint32 FileFlagsMask = 0;
        quint32 FileFlags = 0;
        quint32 FileOS = 0;
        quint32 FileType = 0;
        quint32 FileSubtype = 0;
        quint32 FileDateMS = 0;
        quint32 FileDateLS = 0;
    };

    void Create(const QString &sExeNameA);
    QString ExeName() const { return m_FileName; }
    void SetExeName(const QString &name) { Create(name); }

    QString FullFileVersion() const;
    QString FullProductVersion() const;
    qint32 FileVersionMajor() const { return qint32(m_Info.FileVersionMS); }
    qint32 FileVersionMinor() const { return qint32(m_Info.FileVersionLS); }
    qint32 ProductVersionMajor() const { return qint32(m_Info.ProductVersionMS); }
    qint32 ProductVersionMinor() const { return qint32(m_Info.ProductVersionLS); }
    qint32 BuildOptions() const { return qint32(m_Info.FileFlags); }
    QString BuildString() const { return BuildText(m_Info.FileFlags); }
    QString Environment() const { return EnvironmentText(m_Info.FileOS); }
    QString ExeType() const;
    QDateTime TimeStamp() const { return FileTimeToDateTime(m_Info.FileDateMS, m_Info.FileDateLS); }

    QString Company() const { return Custom(QStringLiteral("CompanyName")); }
    QString Comments() const { return Custom(QStringLiteral("Comments")); }
    QString Description() const { return Custom(QStringLiteral("FileDescription")); }
    QString ProductVersionString() const { return Custom(QStringLiteral("ProductVersion")); }
    QString FileVersionString() const { return Custom(QStringLiteral("FileVersion")); }
    QString InternalName() const { return Custom(QStringLiteral("InternalName")); }
    QString Copyright() const { return Custom(QStringLiteral("LegalCopyright")); }
    QString Trademarks() const { return Custom(QStringLiteral("LegalTradeMarks")); }
    QString OriginalFilename() const { return Custom(QStringLiteral("OriginalFilename")); }
    QString PrivateBuild() const { return Custom(QStringLiteral("PrivateBuild")); }
    QString ProductName() const { return Custom(QStringLiteral("ProductName")); }
    QString ProductVersion() const { return Custom(QStringLiteral("ProductVersion")); }
    QString SpecialBuild() const { return Custom(QStringLiteral("SpecialBuild")); }
    QString Custom(const QString &sCustom) const { return m_Strings.value(sCustom); }

    // The decoders of the fixed fields.
    //   VersionText(0x000100CC, 0x00000001) -> "1.204.0.1"
    //   BuildText(3) -> "Debug Prerelease "          EnvironmentText(0x40004) -> "Windows (32-bit) under
    //   Windows-NT" ExeTypeText(3, 6) -> "Driver:Network"        FileTimeToDateTime(0, 0) -> null
    static QString VersionText(quint32 high, quint32 low);
    static QString BuildText(quint32 flags);
    static QString EnvironmentText(quint32 os);
    static QString ExeTypeText(quint32 type, quint32 subtype);
    // A file time (100 ns units since 1601, UTC) in local time, to the second.
    static QDateTime FileTimeToDateTime(quint32 high, quint32 low);

private:
    void Clear();
    void LoadOwnRecord(const QString &fileName);

    QString m_FileName;
    bool m_Loaded = false;
    FixedInfo m_Info;
    QHash<QString, QString> m_Strings;
};
