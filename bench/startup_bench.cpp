// The start of the program from its launch to the main window mapped, each start a child process
// (offscreen unless QT_QPA_PLATFORM says otherwise, e.g. xcb on Xvfb), over prepared archives of
// 1, 10,000 and 100,000 configurations, against a bare Qt program that reads the same listing of
// the same file as the program does (the sqlite3 C API) and shows it in a QTableView (bare_list),
// in turns, with the peak memory of each (the children's maximum resident set). With one
// configuration the difference is the program's fixed start work.
// Aims at 100,000 configurations: at most 1.1x the bare program's time, and a peak memory at most
// the bare program's plus 6 MB.
//   startup_bench [rounds]
#include "BenchArchive.h"
#include "Clock.h"
#include "Launch.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void Measure(const QString &folder, int configurations, int rounds)
{
    const QString archive = folder + QStringLiteral("/data/IxoSoft/IxoEkaProgram.db");
    FillArchive(archive, configurations);
    qputenv("XDG_DATA_HOME", (folder + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (folder + QStringLiteral("/config")).toLocal8Bit());
    const QByteArray here = QCoreApplication::applicationDirPath().toLocal8Bit();
    const QByteArray program = here + "/ixosoft_start", bare = here + "/bare_list",
                     file = archive.toLocal8Bit();

    QList<double> programMB, bareMB;
    const CTimes times = Compare(
        rounds, [&] { programMB << Launch(program, QByteArray()).PeakMB; },
        [&] { bareMB << Launch(bare, file).PeakMB; });
    const double programPeak = Median(programMB), barePeak = Median(bareMB);
    std::printf(
        "start-up to the main window mapped, %6d configurations: IxoSoft %7.1f ms %5.1f MB   bare %7.1f ms "
        "%5.1f MB   ratio %.2f   difference %+.1f ms   memory %+.1f MB\n",
        configurations, times.First, programPeak, times.Second, barePeak, times.Ratio,
        times.First - times.Second, programPeak - barePeak);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int rounds = argc > 1 ? QString(argv[1]).toInt() : 11;
    QTemporaryDir folder;
    try {
        for (const int configurations : {1, 10000, 100000})
            Measure(folder.filePath(QString::number(configurations)), configurations, rounds);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    std::printf("aims at 100,000: ratio <= 1.1, memory <= +6.0 MB\n");
    return 0;
}
