// Saving, loading and listing configurations through the model against the same work done
// with bare prepared statements on the same connection, measured in the same run.
// Aim: the model's save and load within 1.5x of the bare statements.
#include "Clock.h"
#include "model/Archive.h"
#include "model/ArchiveTransaction.h"
#include "model/Configuration.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void Report(const char *what, double model, double bare)
{
    std::printf("%-34s model %8.3f ms   bare %8.3f ms   ratio %.2f\n", what, model, bare, model / bare);
}

void Check(bool ok)
{
    if (!ok) {
        std::fprintf(stderr, "archive: %s\n", qPrintable(g_Connection->Database().LastError()));
        std::exit(1);
    }
}

// The thirteen rows of one id, each as one prepared statement with its values bound.
struct BareStatements
{
    QList<QSqlQuery *> Queries;
    QList<int> Columns;
};

BareStatements Prepare(CConfiguration &configuration, bool update)
{
    BareStatements bare;
    for (CConfigClass *object : configuration.Objects()) {
        const QStringList columns = object->StoredColumns();
        const QString table = object->ClassName();
        const QString sql =
            update ? "UPDATE " + table + " SET " + columns.join(" = ?, ") + " = ? WHERE IDProgramma = ?"
                   : "SELECT " + columns.join(", ") + " FROM " + table + " WHERE IDProgramma = ?";
        QSqlQuery *query = g_Connection->Database().Prepared(sql);
        Check(query);
        bare.Queries << query;
        bare.Columns << int(columns.size());
    }
    return bare;
}

void RunBare(const BareStatements &bare, qint32 id, bool update)
{
    Check(g_Connection->Database().Exec(QStringLiteral("BEGIN")));
    for (qsizetype t = 0; t < bare.Queries.size(); ++t) {
        QSqlQuery &query = *bare.Queries[t];
        const int columns = bare.Columns[t];
        if (update)
            for (int c = 0; c < columns; ++c)
                query.bindValue(c, c == 0 && t == 0 ? QVariant(QStringLiteral("Bench")) : QVariant(c));
        query.bindValue(update ? columns : 0, id);
        Check(query.exec());
        QVariantList values;
        while (!update && query.next())
            for (int c = 0; c < columns; ++c)
                values << query.value(c);
        query.finish();
    }
    Check(g_Connection->Database().Exec(QStringLiteral("COMMIT")));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    try {
        InitGlobalScale();
        g_Connection->Open();
        CConfiguration configuration;
        const qint32 id = g_Connection->NewID();
        configuration.Add(id);
        const int rounds = argc > 1 ? QString(argv[1]).toInt() : 200;

        const BareStatements updates = Prepare(configuration, true);
        const BareStatements selects = Prepare(configuration, false);
        Report("save one configuration (13 rows)", Milliseconds(rounds, [&] { configuration.Update(id); }),
               Milliseconds(rounds, [&] { RunBare(updates, id, true); }));
        Report("load one configuration (13 rows)", Milliseconds(rounds, [&] { configuration.Load(id); }),
               Milliseconds(rounds, [&] { RunBare(selects, id, false); }));

        {
            CArchiveTransaction transaction(g_Connection->Database());
            for (int i = 0; i < 10000; ++i) {
                configuration.ModInstr().SetNomeProgramma(
                    QStringLiteral("Configurazione %1").arg((i * 7919) % 10000));
                configuration.Add(g_Connection->NewID());
            }
            transaction.Commit();
        }
        QSqlQuery *list = g_Connection->Database().Prepared(
            QStringLiteral("SELECT IDProgramma, m_NomeProgramma FROM CModInstr WHERE IDProgramma <> 2 "
                           "ORDER BY m_NomeProgramma COLLATE NOCASE, IDProgramma"));
        Check(list);
        Report("list \"Programmi\" (10,000 rows)", Milliseconds(20, [] { g_Connection->Programmi(); }),
               Milliseconds(20, [list] {
                   Check(list->exec());
                   QList<CProgrammaItem> items;
                   while (list->next())
                       items.append({list->value(0).toInt(), list->value(1).toString()});
                   list->finish();
               }));
        g_Connection->Close();
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
