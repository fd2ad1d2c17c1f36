#pragma once

#include "model/Archive.h"

#include <QAbstractTableModel>

// The list of the archive's configurations as the main window shows it: the name (caption
// 796) and the archive id (caption "IDProgramma"), read-only. Reload() after every command
// that changes the archive.
class CProgrammiListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { colNomeProgramma, colIDProgramma, colCount };

    using QAbstractTableModel::QAbstractTableModel;

    void Reload(QList<CProgrammaItem> items);
    // The row of the configuration with that id; -1 when the list does not hold it.
    int RowOf(qint64 id) const;
    qint64 IDAt(int row) const { return m_Items.at(row).IDProgramma; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QList<CProgrammaItem> m_Items;
};
