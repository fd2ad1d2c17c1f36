#pragma once

#include <QDateTime>
#include <QString>

// Typed values in one INI file ("[Section]" lines, then "key=value" lines). Section and key
// names compare without regard to case, as whole names. Every read falls back to the
// caller's default unless the key is present; numbers are written with "." and read with
// "." or ","; a present value that does not convert keeps the default and writes a trace
// line. A value reads back at most 1023 characters long; negative longs are not written and
// read as 0. Each call opens, reads or writes and closes the file; writes go through QSaveFile,
// so a failed write leaves the file as it was. A write changes only its own lines: the others
// keep their bytes and line ends, and a file that is not valid UTF-8 is read and written as
// Windows-1252 (a value with a character that code page lacks is not written).
//   INIAddKeyLong("CCommConfig", "m_ComPort", 2)  -> [CCommConfig] m_ComPort=2, true
//   INIAddKeyLong("CCommConfig", "m_ComPort", -5) -> false, file unchanged
//   INIGetBool(section, key-with-"2", true)       -> false
class CINIManager
{
public:
    void Create(const QString &fileName) { m_FileName = fileName; }
    QString FileName() const { return m_FileName; }
    void SetFileName(const QString &fileName) { m_FileName = fileName; }

    qint32 INIGetLong(const QString &section, const QString &key, qint32 defaultValue) const;
    QString INIGetString(const QString &section, const QString &key, const QString &defaultValue) const;
    float INIGetSingle(const QString &section, const QString &key, float defaultValue) const;
    qint16 INIGetInt(const QString &section, const QString &key, qint16 defaultValue) const;
    bool INIGetBool(const QString &section, const QString &key, bool defaultValue) const;
    QDateTime INIGetDate(const QString &section, const QString &key, const QDateTime &defaultValue) const;

    bool INIDelSection(const QString &section);
    bool INIDelKey(const QString &section, const QString &key);
    bool INISectionExist(const QString &section) const;
    bool INIKeyExist(const QString &section, const QString &key) const;

    bool INIAddKeyString(const QString &section, const QString &key, const QString &value);
    bool INIAddKeyLong(const QString &section, const QString &key, qint32 value);
    bool INIAddKeySingle(const QString &section, const QString &key, float value);
    bool INIAddKeyInt(const QString &section, const QString &key, qint16 value);
    bool INIAddKeyBool(const QString &section, const QString &key, bool value);
    bool INIAddKeyDate(const QString &section, const QString &key, const QDateTime &value);

private:
    QString m_FileName;
};
