#include "platform/IniDocument.h"

#include "platform/Cp1252.h"
#include "platform/FileAccess.h"

#include <QStringDecoder>

namespace {

const QChar kQuote = QLatin1Char('"');
const QByteArray kUtf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");

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
    QString text; // quotes and all
};

std::optional<KeyLine> KeyOf(const QString &line)
{
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype equals = t.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return std::nullopt;
    return KeyLine{t.left(equals).trimmed(), t.mid(equals + 1).trimmed()};
}

bool SameName(const QString &a, const QString &b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

bool IsQuoted(const QString &text)
{
    return text.size() >= 2 && text.startsWith(kQuote) && text.endsWith(kQuote);
}

bool IsUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

// Where the line starting at `from` ends: its CR, LF or CR LF, as editors on any system write
// them; the content's size for a last line without one.
qsizetype LineEndAt(const QByteArray &content, qsizetype from)
{
    for (qsizetype i = from; i < content.size(); ++i) {
        if (content.at(i) == '\r' || content.at(i) == '\n')
            return i;
    }
    return content.size();
}

bool HasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

} // namespace

bool CIniDocument::Load(const QString &path, QString *fault)
{
    m_Lines.clear();
    m_ByteOrderMark.clear();
    m_Cp1252 = false;
    m_NewLineEnd = "\n";
    m_Modified = false;
    const Platform::CFileRead read = Platform::ReadRegularFile(path);
    if (read.Outcome == Platform::CFileRead::Missing)
        return true;
    if (!read.IsRead()) {
        if (fault)
            *fault = read.Fault();
        return false;
    }
    QByteArray content = read.Bytes;
    if (content.startsWith(kUtf8Mark)) {
        m_ByteOrderMark = kUtf8Mark;
        content.remove(0, kUtf8Mark.size());
    }
    m_Cp1252 = !IsUtf8(content);
    for (qsizetype from = 0; from < content.size();) {
        const qsizetype textEnd = LineEndAt(content, from);
        const qsizetype next = qMin(content.size(), textEnd + (content.mid(textEnd, 2) == "\r\n" ? 2 : 1));
        CLine line;
        line.Bytes = content.mid(from, textEnd - from);
        line.End = content.mid(textEnd, next - textEnd);
        if (m_Lines.isEmpty() && !line.End.isEmpty())
            m_NewLineEnd = line.End;
        line.Text = Decoded(line.Bytes);
        m_Lines.append(line);
        from = next;
    }
    return true;
}

bool CIniDocument::Save(const QString &path, QString *fault) const
{
    QByteArray content = m_ByteOrderMark;
    for (qsizetype i = 0; i < m_Lines.size(); ++i) {
        const CLine &line = m_Lines[i];
        content += line.Changed ? Encoded(line.Text) : line.Bytes;
        // A line that was last and had no end needs one once another follows it.
        content += line.End.isEmpty() && (line.Changed || i + 1 < m_Lines.size()) ? m_NewLineEnd : line.End;
    }
    return Platform::WriteWholeFile(path, content, fault);
}

QByteArray CIniDocument::Encoded(const QString &text) const
{
    return m_Cp1252 ? ToCp1252(text) : text.toUtf8();
}

QString CIniDocument::Decoded(const QByteArray &bytes) const
{
    return m_Cp1252 ? FromCp1252(bytes) : QString::fromUtf8(bytes);
}

template <typename Visit> void CIniDocument::ForEachKeyOf(const QString &section, Visit visit) const
{
    bool inSection = false;
    for (qsizetype i = 0; i < m_Lines.size(); ++i) {
        if (const std::optional<QString> name = SectionOf(m_Lines[i].Text)) {
            inSection = SameName(*name, section);
            continue;
        }
        if (!inSection)
            continue;
        if (const std::optional<KeyLine> line = KeyOf(m_Lines[i].Text)) {
            if (!visit(i, *line))
                return;
        }
    }
}

bool CIniDocument::HasSection(const QString &section) const
{
    for (const CLine &line : m_Lines) {
        const std::optional<QString> name = SectionOf(line.Text);
        if (name && SameName(*name, section))
            return true;
    }
    return false;
}

std::optional<qsizetype> CIniDocument::KeyLineOf(const QString &section, const QString &key) const
{
    std::optional<qsizetype> found;
    ForEachKeyOf(section, [&](qsizetype index, const KeyLine &line) {
        if (!SameName(line.key, key))
            return true;
        found = index;
        return false;
    });
    return found;
}

std::optional<QString> CIniDocument::Text(const QString &section, const QString &key) const
{
    const std::optional<qsizetype> at = KeyLineOf(section, key);
    if (!at)
        return std::nullopt;
    return KeyOf(m_Lines[*at].Text)->text;
}

std::optional<QString> CIniDocument::Value(const QString &section, const QString &key) const
{
    const std::optional<QString> text = Text(section, key);
    if (!text)
        return std::nullopt;
    return Unquoted(*text);
}

void CIniDocument::InsertLine(qsizetype at, const QString &text)
{
    m_Lines.insert(at, CLine{text, {}, {}, true});
    m_Modified = true;
}

void CIniDocument::ChangeLine(qsizetype at, const QString &text)
{
    m_Lines[at].Text = text;
    m_Lines[at].Changed = true;
    m_Modified = true;
}

bool CIniDocument::Encodable(const QString &text) const
{
    return Decoded(Encoded(text)) == text;
}

bool CIniDocument::SetValue(const QString &section, const QString &key, const QString &value)
{
    if (Value(section, key) == value)
        return true;
    return SetText(section, key, Quoted(value));
}

bool CIniDocument::SetText(const QString &section, const QString &key, const QString &text)
{
    const std::optional<qsizetype> existing = KeyLineOf(section, key);
    const std::optional<KeyLine> old = existing ? KeyOf(m_Lines[*existing].Text) : std::nullopt;
    if (old && old->text == text)
        return true;
    const QString line = (old ? old->key : key.trimmed()) + QLatin1Char('=') + text;
    if (!Encodable(line + section))
        return false;
    if (existing) {
        ChangeLine(*existing, line);
        return true;
    }
    for (qsizetype i = 0; i < m_Lines.size(); ++i) {
        const std::optional<QString> name = SectionOf(m_Lines[i].Text);
        if (!name || !SameName(*name, section))
            continue;
        // After the section's last non-blank line, so a blank line before the next
        // section stays where it was.
        qsizetype insertAt = i + 1;
        for (qsizetype j = i + 1; j < m_Lines.size() && !SectionOf(m_Lines[j].Text); ++j) {
            if (!m_Lines[j].Text.trimmed().isEmpty())
                insertAt = j + 1;
        }
        InsertLine(insertAt, line);
        return true;
    }
    if (!m_Lines.isEmpty() && !m_Lines.last().Text.trimmed().isEmpty())
        InsertLine(m_Lines.size(), QString());
    InsertLine(m_Lines.size(), QLatin1Char('[') + section.trimmed() + QLatin1Char(']'));
    InsertLine(m_Lines.size(), line);
    return true;
}

bool CIniDocument::RenameSection(const QString &section, const QString &newName)
{
    const QString header = QLatin1Char('[') + newName.trimmed() + QLatin1Char(']');
    if (!Encodable(header))
        return false;
    bool renamed = false;
    for (qsizetype i = 0; i < m_Lines.size(); ++i) {
        const std::optional<QString> name = SectionOf(m_Lines[i].Text);
        if (name && SameName(*name, section)) {
            ChangeLine(i, header);
            renamed = true;
        }
    }
    return renamed;
}

bool CIniDocument::RenameKey(const QString &section, const QString &key, const QString &newName)
{
    const std::optional<qsizetype> at = KeyLineOf(section, key);
    if (!at)
        return false;
    const QString line = newName.trimmed() + QLatin1Char('=') + KeyOf(m_Lines[*at].Text)->text;
    if (!Encodable(line))
        return false;
    ChangeLine(*at, line);
    return true;
}

bool CIniDocument::RemoveSection(const QString &section)
{
    bool removed = false;
    bool inSection = false;
    QList<CLine> kept;
    for (const CLine &line : std::as_const(m_Lines)) {
        if (const std::optional<QString> name = SectionOf(line.Text)) {
            inSection = SameName(*name, section);
            removed = removed || inSection;
        }
        if (!inSection)
            kept.append(line);
    }
    m_Lines = kept;
    m_Modified = m_Modified || removed;
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
    m_Modified = m_Modified || !doomed.isEmpty();
    return !doomed.isEmpty();
}

QString CIniDocument::Quoted(const QString &value)
{
    return (IsQuoted(value) || value != value.trimmed()) ? kQuote + value + kQuote : value;
}

QString CIniDocument::Unquoted(const QString &text)
{
    return IsQuoted(text) ? text.mid(1, text.size() - 2) : text;
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
