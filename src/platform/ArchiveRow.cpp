#include "platform/ArchiveRow.h"

namespace Platform {

CArchiveRow::CArchiveRow(const QStringList &columns) : m_Columns(columns)
{
    m_Values.resize(columns.size());
}

void CArchiveRow::SetValue(const QString &column, const QVariant &value)
{
    const qsizetype index = m_Columns.indexOf(column);
    if (index >= 0) {
        m_Values[index] = value;
        return;
    }
    m_Columns.append(column);
    m_Values.append(value);
}

QVariant CArchiveRow::Value(const QString &column) const
{
    const qsizetype index = m_Columns.indexOf(column);
    return index >= 0 ? m_Values.at(index) : QVariant();
}

} // namespace Platform
