#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The lines of one INI file, kept as written so that a change touches only its own line:
// comments (";"), blank lines and the spelling of names survive. A section is a line that
// starts with "["; a key is a "name=value" line below it. Names compare as whole names
// without regard to case; a section that appears twice counts as one, read in file order.
// A value with blanks at its ends, or one enclosed in double quotes, is written in quotes
// and read back without them, so every single-line text survives a round trip.
//   [CCommConfig]          Value("ccommconfig", "M_COMPORT") -> "2"
//   m_ComPort=2            Value("CCommConfig", "ComPort")   -> nullopt
// Files written on Windows stay as they were: a file that is not valid UTF-8 is read as
// Windows-1252 and its new lines are written in it; CR, LF and CR LF each end a line; a line
// that is not changed keeps its bytes and its line end, and a new line takes the line end of
// the file's first line (a file of CR alone stays so).
// A document changes only where a value does: setting the value a key already has changes
// nothing, and IsModified() then tells the caller there is nothing to save.
class CIniDocument
{
public:
    // False, and in `fault` why, when the file is there but cannot be read or is no regular
    // file (a pipe or a folder is never opened); a missing file is an empty document.
    bool Load(const QString &path, QString *fault = nullptr);
    // Through QSaveFile: the file is whole or as it was; `fault` says why it is as it was.
    bool Save(const QString &path, QString *fault = nullptr) const;
    bool IsModified() const { return m_Modified; }

    bool HasSection(const QString &section) const;
    std::optional<QString> Value(const QString &section, const QString &key) const;
    // The value's text as its line holds it, quotes and all (Value takes them off).
    std::optional<QString> Text(const QString &section, const QString &key) const;
    // Replaces the first occurrence, or adds the key at the end of the section, adding the
    // section at the end of the file when needed. False, nothing changed, when the file's
    // code page (Windows-1252) has no byte for a character of the line.
    bool SetValue(const QString &section, const QString &key, const QString &value);
    // The same with the value's text as the line is to hold it (SetValue quotes it).
    bool SetText(const QString &section, const QString &key, const QString &text);
    // Every occurrence goes; false when there was none.
    bool RemoveSection(const QString &section);
    bool RemoveKey(const QString &section, const QString &key);
    // Every header line of the section, and the first line of the key, names the new name.
    bool RenameSection(const QString &section, const QString &newName);
    bool RenameKey(const QString &section, const QString &key, const QString &newName);

    // The text of a value on its line, and the value of a text: a value with blanks at its
    // ends, or one enclosed in double quotes, is written in quotes and read back without them.
    static QString Quoted(const QString &value);
    static QString Unquoted(const QString &text);

    // A text as the file's code page holds it (Windows-1252 or UTF-8): the bytes of a value
    // the file holds, for callers that hand them on as bytes (a device path).
    QByteArray Encoded(const QString &text) const;

    // Names and values that fit one line and keep their meaning when read back.
    static bool IsValidSectionName(const QString &section);
    static bool IsValidKeyName(const QString &key);
    static bool IsValidValue(const QString &value);

private:
    // visit(line index, key line) for each key of the section in file order, until it
    // answers false.
    template <typename Visit> void ForEachKeyOf(const QString &section, Visit visit) const;
    std::optional<qsizetype> KeyLineOf(const QString &section, const QString &key) const;
    void InsertLine(qsizetype at, const QString &text);
    // False when the code page of the file has no byte for a character of the text.
    bool Encodable(const QString &text) const;
    QString Decoded(const QByteArray &bytes) const;
    void ChangeLine(qsizetype at, const QString &text);

    struct CLine
    {
        QString Text;
        QByteArray Bytes; // as read; a changed or new line is encoded again on saving
        QByteArray End;   // "\r\n", "\n", or nothing on a last line without one
        bool Changed = false;
    };
    QList<CLine> m_Lines;
    QByteArray m_ByteOrderMark;
    bool m_Cp1252 = false;
    QByteArray m_NewLineEnd = "\n";
    bool m_Modified = false;
};
