#include "app/ProgrammiListModel.h"

#include "common/ResString.h"

void CProgrammiListModel::Reload(QList<CProgrammaItem> items)
{
    beginResetModel();
    m_Items = std::move(items);
    endResetModel();
}

int CProgrammiListModel::RowOf(qint64 id) const
{
    for (qsizetype row = 0; row < m_Items.size(); ++row) {
        if (m_Items[row].IDProgramma == id)
            return int(row);
    }
    return -1;
}

int CProgrammiListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_Items.size());
}

int CProgrammiListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : colCount;
}

QVariant CProgrammiListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const CProgrammaItem &item = m_Items.at(index.row());
    return index.column() == colNomeProgramma ? QVariant(item.NomeProgramma) : QVariant(item.IDProgramma);
}

QVariant CProgrammiListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == colNomeProgramma ? LoadResString(796) : QStringLiteral("IDProgramma");
}

Qt::ItemFlags CProgrammiListModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}
