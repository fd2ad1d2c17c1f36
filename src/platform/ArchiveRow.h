#pragma once

#include <QStringList>
#include <QVariantList>

namespace Platform {

// The current row of one archive table as the program fills and reads it: named column
// values, in the order the columns were first named. The archive writes or reads such a
// row with one statement, so a row never reaches the file half-written.
//   row.SetValue("m_SlotA", 3);  row.Value("m_SlotA") -> 3   row.Value("m_SlotB") -> invalid
//   CArchiveRow({"m_Campo", "m_Coeff"}).Value("m_Coeff") -> null until the archive fills it
class CArchiveRow
{
public:
    CArchiveRow() = default;
    explicit CArchiveRow(const QStringList &columns);

    // Replaces the value of a named column, or appends the column.
    void SetValue(const QString &column, const QVariant &value);
    // Sets the value of column number index (0-based), as the archive does when it reads.
    void SetValueAt(qsizetype index, const QVariant &value) { m_Values[index] = value; }
    // The column's value; an invalid QVariant when the row has no such column.
    QVariant Value(const QString &column) const;

    const QStringList &Columns() const { return m_Columns; }
    const QVariantList &Values() const { return m_Values; }

private:
    // Columns are mostly named in their order: the one after the last named is tried first.
    qsizetype IndexOf(const QString &column) const;

    QStringList m_Columns;
    QVariantList m_Values;
    mutable qsizetype m_Next = 0;
};

} // namespace Platform
