// The reference of the start-up benchmark: the least a Qt program does to show the archive's list.
// It opens the file given, reads the listing "Programmi" in its order and shows it in a
// QTableView, as the main window shows it (names and ids, no row numbers).
#include "MappedSignal.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>

#include <vector>

namespace {

class CListing : public QAbstractTableModel
{
public:
    std::vector<std::pair<qint64, QString>> Rows;

    int rowCount(const QModelIndex & = {}) const override { return int(Rows.size()); }
    int columnCount(const QModelIndex & = {}) const override { return 2; }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        const auto &row = Rows[size_t(index.row())];
        return index.column() == 0 ? QVariant(row.second) : QVariant(row.first);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    CMappedSignal mapped("QTableView");
    app.installEventFilter(&mapped);
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    database.setDatabaseName(QString::fromLocal8Bit(argv[argc - 1]));
    if (!database.open())
        return 1;
    CListing listing;
    {
        QSqlQuery query(database);
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT IDProgramma, m_NomeProgramma FROM Programmi ORDER BY "
                                       "m_NomeProgramma COLLATE NOCASE, IDProgramma")))
            return 1;
        while (query.next())
            listing.Rows.emplace_back(query.value(0).toLongLong(), query.value(1).toString());
    }
    QTableView view;
    view.setModel(&listing);
    view.verticalHeader()->hide(); // the list shows names and ids, no row numbers
    view.resize(453, 250);         // the main window's first size, 6800 x 3750 twips at 96 dpi
    view.show();
    return QApplication::exec();
}
