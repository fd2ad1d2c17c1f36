#include "platform/SettingsStore.h"

#include "platform/IniDocument.h"
#include "platform/TraceSink.h"
#include "platform/UserPaths.h"

#include <optional>

namespace Platform {
namespace {

// Earlier versions kept the store through QSettings, which writes names and values its own way.
// Those files are still read; these give the text such a file holds for a name or a value.
namespace Earlier {

// "Application printer" -> "Application%20printer"; letters, digits, "_", "-" and "." stay.
QString NameText(const QString &name)
{
    QString text;
    for (const QChar c : name) {
        const uint u = c.unicode();
        if ((u < 0x80 && c.isLetterOrNumber()) || u == '_' || u == '-' || u == '.')
            text += c;
        else if (u <= 0xFF)
            text += QStringLiteral("%%1").arg(u, 2, 16, QLatin1Char('0')).toUpper();
        else
            text += QStringLiteral("%U%1").arg(u, 4, 16, QLatin1Char('0')).toUpper();
    }
    return text;
}

bool IsQuotedOrEscaped(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\\');
}

// A backslash before '"' and '\', a doubled '@' in front, and quotes around a value with ';',
// ',', '=' or blanks at its ends: "a, b" -> "\"a, b\"", "C:\temp" -> "C:\\temp".
QString ValueText(const QString &value)
{
    QString text;
    bool quoted = false;
    for (const QChar c : value.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + value : value) {
        quoted = quoted || c == QLatin1Char(';') || c == QLatin1Char(',') || c == QLatin1Char('=');
        if (IsQuotedOrEscaped(c))
            text += QLatin1Char('\\');
        text += c;
    }
    quoted = quoted || text.startsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(' '));
    return quoted ? QLatin1Char('"') + text + QLatin1Char('"') : text;
}

// The value of a text ValueText may have given; no value for a text it cannot give.
std::optional<QString> Value(const QString &text)
{
    const QString body = CIniDocument::Unquoted(text);
    QString value;
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (body.at(i) == QLatin1Char('\\') && (++i == body.size() || !IsQuotedOrEscaped(body.at(i))))
            return std::nullopt;
        value += body.at(i);
    }
    if (!value.startsWith(QLatin1Char('@')))
        return value;
    if (!value.startsWith(QStringLiteral("@@")))
        return std::nullopt;
    return value.mid(1);
}

} // namespace Earlier

// A text is read as an earlier version wrote it only when that version would have written it
// so: "C:\\temp" is "C:\temp", while "C:\temp" typed by hand stays as typed.
QString ValueOf(const QString &text)
{
    const std::optional<QString> earlier = Earlier::Value(text);
    if (earlier && Earlier::ValueText(*earlier) == text)
        return *earlier;
    return CIniDocument::Unquoted(text);
}

// The plain text when it reads back as the value, else the escaped one; nothing for a value
// neither keeps (a line break).
std::optional<QString> TextOf(const QString &value)
{
    for (const QString &text : {CIniDocument::Quoted(value), Earlier::ValueText(value)}) {
        if (CIniDocument::IsValidValue(text) && ValueOf(text) == value)
            return text;
    }
    return std::nullopt;
}

// The value's text under the names as given, else under an earlier version's names.
std::optional<QString> StoredText(const CIniDocument &document, const QString &section, const QString &key)
{
    for (const QString &s : {section, Earlier::NameText(section)}) {
        for (const QString &k : {key, Earlier::NameText(key)}) {
            if (std::optional<QString> text = document.Text(s, k))
                return text;
        }
    }
    return std::nullopt;
}

// The store's document, or nothing when the file is refused (why in `fault`): said once in the
// trace until the file can be read again.
std::optional<CIniDocument> Load(QString *fault = nullptr)
{
    static QString lastRefusal;
    const QString path = SettingsFilePath();
    CIniDocument document;
    QString why;
    if (document.Load(path, &why)) {
        lastRefusal.clear();
        return document;
    }
    const QString refusal = QStringLiteral("File delle impostazioni ") + path +
                            QStringLiteral(" rifiutato: ") + why +
                            QStringLiteral("; usati i valori predefiniti");
    if (refusal != lastRefusal)
        Trace(refusal);
    lastRefusal = refusal;
    if (fault)
        *fault = why;
    return std::nullopt;
}

// A section or key the file knows only by an earlier version's name takes the name as given.
bool TakeNamesAsGiven(CIniDocument &document, const QString &section, const QString &key)
{
    const QString earlierSection = Earlier::NameText(section);
    if (earlierSection != section && !document.HasSection(section) && document.HasSection(earlierSection) &&
        !document.RenameSection(earlierSection, section))
        return false;
    const QString earlierKey = Earlier::NameText(key);
    return earlierKey == key || document.Text(section, key) || !document.Text(section, earlierKey) ||
           document.RenameKey(section, earlierKey, key);
}

} // namespace

QString SettingsFilePath()
{
    return UserConfigDir() + '/' + kApplicationName + ".ini";
}

QString ReadSetting(const QString &section, const QString &key, const QString &defaultText)
{
    const std::optional<CIniDocument> document = Load();
    if (!document)
        return defaultText;
    const std::optional<QString> stored = StoredText(*document, section, key);
    return stored ? ValueOf(*stored) : defaultText;
}

QByteArray ReadSettingBytes(const QString &section, const QString &key, const QByteArray &defaultBytes)
{
    const std::optional<CIniDocument> document = Load();
    if (!document)
        return defaultBytes;
    const std::optional<QString> stored = StoredText(*document, section, key);
    return stored ? document->Encoded(ValueOf(*stored)) : defaultBytes;
}

bool HasSetting(const QString &section, const QString &key)
{
    const std::optional<CIniDocument> document = Load();
    return document && StoredText(*document, section, key);
}

bool WriteSetting(const QString &section, const QString &key, const QString &text)
{
    return WriteSettings({{section, key, text}});
}

bool WriteSettings(const QList<CSettingWrite> &writes, QString *fault)
{
    for (const CSettingWrite &write : writes) {
        if (!CIniDocument::IsValidSectionName(write.Section) || !CIniDocument::IsValidKeyName(write.Key))
            return false;
    }
    std::optional<CIniDocument> document = Load(fault);
    if (!document)
        return false;
    for (const CSettingWrite &write : writes) {
        const std::optional<QString> stored = StoredText(*document, write.Section, write.Key);
        if (stored && ValueOf(*stored) == write.Text)
            continue;
        const std::optional<QString> line = TextOf(write.Text);
        if (!line || !TakeNamesAsGiven(*document, write.Section, write.Key) ||
            !document->SetText(write.Section, write.Key, *line))
            return false;
    }
    if (!document->IsModified())
        return true;
    QString why;
    if (document->Save(SettingsFilePath(), &why))
        return true;
    Trace(QStringLiteral("Impossibile scrivere il file delle impostazioni ") + SettingsFilePath() +
          QStringLiteral(": ") + why);
    if (fault)
        *fault = why;
    return false;
}

} // namespace Platform
