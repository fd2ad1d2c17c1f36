#include "common/IniDocument.h"

#include <QFile>
#include <QSaveFile>

namespace {

const QChar kQuote = QLatin1Char('"');

std::optional<QString> SectionOf(const QString &line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    return (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
}

struct KeyLine
{
    QString key;
    QString value;
};

std::optional<KeyLine> KeyOf(const QString &line)
{
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype equals = t.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return std::nullopt;
    QString value = t.mid(equals + 1).trimmed();
    if (value.size() >= 2 && value.startsWith(kQuote) && value.endsWith(kQuote))
        value = value.mid(1, value.size() - 2);
    return KeyLine{t.left(equals).trimmed(), value};
}

bool SameName(const QString &a, const QString &b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

QString ValueText(const QString &value)
{
    const bool quoted = value.size() >= 2 && value.startsWith(kQuote) && value.endsWith(kQuote);
    return (quoted || value != value.trimmed()) ? kQuote + value + kQuote : value;
}

bool HasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

} // namespace

bool CIniDocument::Load(const QString &path)
{
    m_Lines.clear();
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QString content = QString::fromUtf8(file.readAll());
    if (content.startsWith(QChar(0xFEFF)))
        content.remove(0, 1);
    content.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_Lines = content.split(QLatin1Char('\n'));
    if (!m_Lines.isEmpty() && m_Lines.last().isEmpty())
        m_Lines.removeLast();
    return true;
}

bool CIniDocument::Save(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray content;
    for (const QString &line : m_Lines)
        content += line.toUtf8() + '\n';
    return file.write(content) == content.size() && file.commit();
}

template <typename Visit> void CIniDocument::ForEachKeyOf(const QString &section, Visit visit) const
{
    bool inSection = false;
    for (qsizetype i = 0; i < m_Lines.size(); ++i) {
        if (const std::optional<QString> name = SectionOf(m_Lines[i])) {
            inSection = SameName(*name, section);
            continue;
        }
        if (!inSection)
            continue;
        if (const std::optional<KeyLine> line = KeyOf(m_Lines[i])) {
            if (!visit(i, *line))
                return;
        }
    }
}

bool CIniDocument::HasSection(const QString &section) const
{
    for (const QString &line : m_Lines) {
        const std::optional<QString> name = SectionOf(line);
        if (name && SameName(*name, section))
            return true;
    }
    return false;
}

std::optional<QString> CIniDocument::Value(const QString &section, const QString &key) const
{
    std::optional<QString> found;
    ForEachKeyOf(section, [&](qsizetype, const KeyLine &line) {
        if (!SameName(line.key, key))
            return true;
        found = line.value;
        return false;
    });
    return found;
}

void CIniDocument::SetValue(const QString &section, const QString &key, const QString &value)
{
    std::optional<qsizetype> existing;
    QString spelling = key.trimmed();
    ForEachKeyOf(section, [&](qsizetype index, const KeyLine &line) {
        if (!SameName(line.key, key))
            return true;
        existing = index;
        spelling = line.key;
        return false;
    });
    const QString text = spelling + QLatin1Char('=') + ValueText(value);
    if (existing) {
        m_Lines[*existing] = text;
        return;
    }
    for (qsizetype i = 0; i < m_Lines.size(); ++i) {
        const std::optional<QString> name = SectionOf(m_Lines[i]);
        if (!name || !SameName(*name, section))
            continue;
        // After the section's last non-blank line, so a blank line before the next
        // section stays where it was.
        qsizetype insertAt = i + 1;
        for (qsizetype j = i + 1; j < m_Lines.size() && !SectionOf(m_Lines[j]); ++j) {
            if (!m_Lines[j].trimmed().isEmpty())
                insertAt = j + 1;
        }
        m_Lines.insert(insertAt, text);
        return;
    }
    if (!m_Lines.isEmpty() && !m_Lines.last().trimmed().isEmpty())
        m_Lines.append(QString());
    m_Lines.append(QLatin1Char('[') + section.trimmed() + QLatin1Char(']'));
    m_Lines.append(text);
}

bool CIniDocument::RemoveSection(const QString &section)
{
    bool removed = false;
    bool inSection = false;
    QStringList kept;
    for (const QString &line : std::as_const(m_Lines)) {
        if (const std::optional<QString> name = SectionOf(line)) {
            inSection = SameName(*name, section);
            removed = removed || inSection;
        }
        if (!inSection)
            kept.append(line);
    }
    m_Lines = kept;
    return removed;
}

bool CIniDocument::RemoveKey(const QString &section, const QString &key)
{
    QList<qsizetype> doomed;
    ForEachKeyOf(section, [&](qsizetype index, const KeyLine &line) {
        if (SameName(line.key, key))
            doomed.prepend(index);
        return true;
    });
    for (const qsizetype index : doomed)
        m_Lines.removeAt(index);
    return !doomed.isEmpty();
}

bool CIniDocument::IsValidSectionName(const QString &section)
{
    const QString t = section.trimmed();
    return !t.isEmpty() && !t.contains(QLatin1Char(']')) && !HasLineBreak(t);
}

bool CIniDocument::IsValidKeyName(const QString &key)
{
    const QString t = key.trimmed();
    return !t.isEmpty() && !t.contains(QLatin1Char('=')) && !t.startsWith(QLatin1Char('[')) &&
           !t.startsWith(QLatin1Char(';')) && !HasLineBreak(t);
}

bool CIniDocument::IsValidValue(const QString &value)
{
    return !HasLineBreak(value);
}
