// The archive's commands against the same work written the least way through the sqlite3 C API
// (SqliteReference.h) on the same file, in turns, over archives of 10,000 and 100,000
// configurations: the list (the listing "Programmi" into the main window's list model), New's
// store (a new id and thirteen rows in one transaction), Delete, and the load of a configuration
// for the wizard (thirteen rows read as one state).
// Aims: list at most 1.1x, load at most 1.5x, add and delete within 1.1x.
//   archive_bench [rounds]
#include "BenchArchive.h"
#include "Clock.h"
#include "SqliteReference.h"
#include "app/ConfigurationEdit.h"
#include "app/ProgrammiListModel.h"
#include "model/ScaleTables.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void Report(const char *what, int configurations, const CTimes &times, double aim)
{
    std::printf("%-28s %6d configurations: archive %8.3f ms   C API %8.3f ms   ratio %.2f (aim <= %.1f)\n",
                what, configurations, times.First, times.Second, times.Ratio, aim);
}

void Measure(const QString &path, int configurations, int rounds)
{
    FillArchive(path, configurations);
    g_Connection->Open(path);
    // The file's check, which check_bench measures, is over before anything is timed here.
    g_Connection->WaitForCheck();
    CSqliteReference reference(path);
    CProgrammiListModel list;
    Report("list \"Programmi\"", configurations,
           Compare(
               rounds, [&] { list.Reload(g_Connection->Programmi()); }, [&] { reference.List(); }),
           1.1);

    // Both sides add configurations of their own and delete them again, so the archive keeps its size.
    CConfiguration configuration;
    CStoredRows loaded;
    QList<qint64> added, addedByReference;
    const int changes = rounds * 4;
    Report("add (New's store)", configurations,
           Compare(
               changes,
               [&] {
                   qint64 id = -1;
                   StoreEdited(configuration, emNew, id, loaded);
                   added << id;
               },
               [&] { addedByReference << reference.Add(); }),
           1.1);
    Report("delete", configurations,
           Compare(
               changes, [&] { g_Connection->DeleteProgramma(added.takeLast()); },
               [&] { reference.Delete(addedByReference.takeLast()); }),
           1.1);

    QRandomGenerator pick(configurations);
    qint64 id = 3;
    const auto next = [&] { id = 3 + pick.bounded(configurations); };
    Report("load for edit", configurations,
           Compare(
               changes * 10,
               [&] {
                   next();
                   LoadForEdit(configuration, emModify, id, loaded);
               },
               [&] {
                   next();
                   reference.Load(id);
               }),
           1.5);
    g_Connection->Close();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    const int rounds = argc > 1 ? QString(argv[1]).toInt() : 25;
    try {
        InitGlobalScale();
        for (const int configurations : {10000, 100000})
            Measure(home.filePath(QStringLiteral("%1.db").arg(configurations)), configurations, rounds);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
