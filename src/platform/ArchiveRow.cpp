#include "platform/ArchiveRow.h"

namespace Platform {

CArchiveRow::CArchiveRow(const QStringList &columns) : m_Columns(columns)
{
    m_Values.resize(columns.size());
}

qsizetype CArchiveRow::IndexOf(const QString &column) const
{
    const qsizetype index =
        m_Next < m_Columns.size() && m_Columns[m_Next] == column ? m_Next : m_Columns.indexOf(column);
    m_Next = index + 1;
    return index;
}

void CArchiveRow::SetValue(const QString &column, const QVariant &value)
{
    const qsizetype index = IndexOf(column);
    if (index >= 0) {
        m_Values[index] = value;
        return;
    }
    m_Columns.append(column);
    m_Values.append(value);
}

QVariant CArchiveRow::Value(const QString &column) const
{
    const qsizetype index = IndexOf(column);
    return index >= 0 ? m_Values.at(index) : QVariant();
}

} // namespace Platform
