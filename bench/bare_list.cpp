// The reference of the start-up benchmark: the least a Qt program does to show the archive's list.
// It opens the file given, reads the listing "Programmi" in its order through the sqlite3 C API,
// as the program does, and shows it in a QTableView, as the main window shows it (names and
// ids, no row numbers).
#include "MappedSignal.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QTableView>

#include <sqlite3.h>

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
    sqlite3 *database = nullptr;
    if (sqlite3_open_v2(argv[argc - 1], &database, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return 1;
    CListing listing;
    sqlite3_stmt *query = nullptr;
    if (sqlite3_prepare_v2(
            database,
            "SELECT IDProgramma, m_NomeProgramma FROM Programmi ORDER BY m_NomeProgramma COLLATE "
            "NOCASE, IDProgramma",
            -1, &query, nullptr) != SQLITE_OK)
        return 1;
    while (sqlite3_step(query) == SQLITE_ROW)
        listing.Rows.emplace_back(
            sqlite3_column_int64(query, 0),
            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(query, 1)),
                              sqlite3_column_bytes(query, 1)));
    sqlite3_finalize(query);
    QTableView view;
    view.setModel(&listing);
    view.verticalHeader()->hide(); // the list shows names and ids, no row numbers
    view.resize(453, 250);         // the main window's first size, 6800 x 3750 twips at 96 dpi
    view.show();
    return QApplication::exec();
}
