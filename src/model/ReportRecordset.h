#pragma once

#include <QList>
#include <QString>

// One row of the printed parameter list: a section heading (nColumn 1, its text in Column1)
// or an item (nColumn 2, label and value). Labels keep their layout marks "#SB#"/"#SBAC#".
struct CReportRow
{
    qint16 nColumn = 0;
    QString Column1;
    QString Column2;
};

// The in-memory recordset that the print preparation hands to every configuration object;
// each object only appends its rows.
class CReportRecordset
{
public:
    void AddRow(const QString &heading) { m_Rows.append({1, heading, {}}); }
    void AddRow(const QString &label, const QString &value) { m_Rows.append({2, label, value}); }

    const QList<CReportRow> &Rows() const { return m_Rows; }
    qsizetype RowCount() const { return m_Rows.size(); }
    void Clear() { m_Rows.clear(); }

private:
    QList<CReportRow> m_Rows;
};

// The text of a choice whose count texts stand in the string table from firstId on; any
// value outside 0 to count-1 (an instrument can send any) reads as its number.
//   ChoiceText(5515, 3, 2) -> "Green"     ChoiceText(5515, 3, 7) -> "7"
QString ChoiceText(int firstId, int count, qint16 value);
