// The main window's requery of its list (the listing, the list model and the view up to its rows)
// over archives of 10,000 and 100,000 configurations, against the same listing read through the
// sqlite3 C API (SqliteReference.h) from the same file, in turns. The view's own share shows as
// the difference from archive_bench's list line. The start of the program is startup_bench's.
//   mainwin_bench [rounds]
#include "BenchArchive.h"
#include "Clock.h"
#include "SqliteReference.h"
#include "app/widgets/FMain.h"
#include "model/ScaleTables.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>

#include <cstdio>

int main(int argc, char **argv)
{
    const CBenchHome home;
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? QString(argv[1]).toInt() : 25;
    try {
        InitGlobalScale();
        for (const int configurations : {10000, 100000}) {
            FillArchive(CArchive::DefaultFilePath(), configurations);
            FMain window;
            window.Load();
            // The file's check, which check_bench measures, is over before anything is timed here.
            g_Connection->WaitForCheck();
            window.show();
            QApplication::processEvents();
            auto *list = window.findChild<QTableView *>(QStringLiteral("dgProgrammi"));
            CSqliteReference reference(CArchive::DefaultFilePath());
            const CTimes times = Compare(
                rounds,
                [&] {
                    window.RequeryProgrammi();
                    if (list->verticalHeader()->count() != configurations)
                        std::exit(2);
                },
                [&] { reference.List(); });
            std::printf(
                "requery of the main window's list, %6d configurations: window %8.3f ms   C API %8.3f ms   "
                "ratio %.2f\n",
                configurations, times.First, times.Second, times.Ratio);
            window.close();
            g_Connection->Close();
        }
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
