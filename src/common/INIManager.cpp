#include "common/INIManager.h"

#include "common/TraceCode.h"
#include "common/ValueText.h"
#include "platform/IniDocument.h"

namespace {

// A value is read through a 1024-character buffer: longer texts come back cut.
constexpr qsizetype kLongestValue = 1023;

QString Where(const QString &fileName, const QString &section, const QString &key)
{
    return fileName + QStringLiteral(" [") + section + QStringLiteral("] ") + key;
}

// The document of the file, or nothing (traced) when the file is there but unreadable.
std::optional<CIniDocument> Read(const QString &fileName)
{
    CIniDocument document;
    if (fileName.isEmpty())
        return std::nullopt;
    QString fault;
    if (!document.Load(fileName, &fault)) {
        g_Trace->BugMessage(QStringLiteral("Impossibile leggere il file INI ") + fileName +
                            QStringLiteral(": ") + fault);
        return std::nullopt;
    }
    return document;
}

std::optional<QString> ReadValue(const QString &fileName, const QString &section, const QString &key)
{
    if (section.trimmed().isEmpty() || key.trimmed().isEmpty())
        return std::nullopt;
    const std::optional<CIniDocument> document = Read(fileName);
    if (!document)
        return std::nullopt;
    std::optional<QString> value = document->Value(section, key);
    if (value && value->size() > kLongestValue) {
        g_Trace->BugMessage(QStringLiteral("Valore troncato a 1023 caratteri: ") +
                            Where(fileName, section, key));
        value->truncate(kLongestValue);
    }
    return value;
}

template <typename T>
T Converted(const QString &fileName, const QString &section, const QString &key, const T &defaultValue,
            std::optional<T> (*parse)(const QString &))
{
    const std::optional<QString> text = ReadValue(fileName, section, key);
    if (!text)
        return defaultValue;
    return ValueText::ValueOrKept(parse(*text), *text, defaultValue, Where(fileName, section, key));
}

// Loads, changes and saves the file; false (traced) when it cannot be read or written. A change
// that leaves every line as it was writes nothing.
template <typename Change> bool Rewrite(const QString &fileName, Change change)
{
    std::optional<CIniDocument> document = Read(fileName);
    if (!document || !change(*document))
        return false;
    if (!document->IsModified() || document->Save(fileName))
        return true;
    g_Trace->BugMessage(QStringLiteral("Impossibile scrivere il file INI ") + fileName);
    return false;
}

// The INI convention for flags: 1 is True, any other number False.
std::optional<bool> ParseIniBool(const QString &text)
{
    if (const std::optional<float> number = ValueText::ParseSingle(text))
        return *number == 1.0f;
    return ValueText::ParseBool(text);
}

// Negative numbers are neither written nor read: a negative value in the file reads as 0.
std::optional<qint32> ParseIniLong(const QString &text)
{
    const std::optional<qint32> value = ValueText::ParseInt32(text);
    if (!value)
        return std::nullopt;
    return qMax(*value, 0);
}

} // namespace

qint32 CINIManager::INIGetLong(const QString &section, const QString &key, qint32 defaultValue) const
{
    return Converted(m_FileName, section, key, defaultValue, &ParseIniLong);
}

QString CINIManager::INIGetString(const QString &section, const QString &key,
                                  const QString &defaultValue) const
{
    return ReadValue(m_FileName, section, key).value_or(defaultValue);
}

float CINIManager::INIGetSingle(const QString &section, const QString &key, float defaultValue) const
{
    return Converted(m_FileName, section, key, defaultValue, &ValueText::ParseSingle);
}

qint16 CINIManager::INIGetInt(const QString &section, const QString &key, qint16 defaultValue) const
{
    return Converted(m_FileName, section, key, defaultValue, &ValueText::ParseInt16);
}

bool CINIManager::INIGetBool(const QString &section, const QString &key, bool defaultValue) const
{
    return Converted(m_FileName, section, key, defaultValue, &ParseIniBool);
}

QDateTime CINIManager::INIGetDate(const QString &section, const QString &key,
                                  const QDateTime &defaultValue) const
{
    return Converted(m_FileName, section, key, defaultValue, &ValueText::ParseDate);
}

bool CINIManager::INIDelSection(const QString &section)
{
    if (!INISectionExist(section))
        return false;
    return Rewrite(m_FileName, [&](CIniDocument &document) { return document.RemoveSection(section); });
}

bool CINIManager::INIDelKey(const QString &section, const QString &key)
{
    if (!INIKeyExist(section, key))
        return false;
    return Rewrite(m_FileName, [&](CIniDocument &document) { return document.RemoveKey(section, key); });
}

bool CINIManager::INISectionExist(const QString &section) const
{
    if (section.trimmed().isEmpty())
        return false;
    const std::optional<CIniDocument> document = Read(m_FileName);
    return document && document->HasSection(section);
}

bool CINIManager::INIKeyExist(const QString &section, const QString &key) const
{
    if (section.trimmed().isEmpty() || key.trimmed().isEmpty())
        return false;
    const std::optional<CIniDocument> document = Read(m_FileName);
    return document && document->Value(section, key).has_value();
}

bool CINIManager::INIAddKeyString(const QString &section, const QString &key, const QString &value)
{
    if (!CIniDocument::IsValidSectionName(section) || !CIniDocument::IsValidKeyName(key) ||
        !CIniDocument::IsValidValue(value)) {
        g_Trace->BugMessage(QStringLiteral("Nome o valore non scrivibile nel file INI: ") +
                            Where(m_FileName, section, key));
        return false;
    }
    return Rewrite(m_FileName, [&](CIniDocument &document) {
        if (document.SetValue(section, key, value))
            return true;
        g_Trace->BugMessage(
            QStringLiteral("Valore non scrivibile nella codifica Windows-1252 del file INI: ") +
            Where(m_FileName, section, key));
        return false;
    });
}

bool CINIManager::INIAddKeyLong(const QString &section, const QString &key, qint32 value)
{
    if (value < 0)
        return false;
    return INIAddKeyString(section, key, ValueText::ToSettingText(value));
}

bool CINIManager::INIAddKeySingle(const QString &section, const QString &key, float value)
{
    return INIAddKeyString(section, key, ValueText::ToSettingText(value));
}

bool CINIManager::INIAddKeyInt(const QString &section, const QString &key, qint16 value)
{
    return INIAddKeyString(section, key, ValueText::ToSettingText(value));
}

bool CINIManager::INIAddKeyBool(const QString &section, const QString &key, bool value)
{
    return INIAddKeyString(section, key, ValueText::ToSettingText(value));
}

bool CINIManager::INIAddKeyDate(const QString &section, const QString &key, const QDateTime &value)
{
    return INIAddKeyString(section, key, ValueText::ToSettingText(value));
}
