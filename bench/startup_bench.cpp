// The start of the program from its launch to the main window mapped, each start a child process
// (offscreen unless QT_QPA_PLATFORM says otherwise, e.g. xcb on Xvfb), over prepared archives of
// 10,000 and 100,000 configurations, against a bare Qt program showing the same listing of the
// same file in a QTableView (bare_list), in turns, with the peak memory of each (the children's
// maximum resident set).
// Aims at 100,000 configurations: at most 1.0x the bare program's time, and a peak memory at most
// the bare program's plus 6 MB.
//   startup_bench [rounds]
#include "BenchArchive.h"
#include "Clock.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct CStart
{
    double Ms = 0;
    double PeakMB = 0;
};

// Starts the program and waits for its "mapped"; the peak memory is read when it has ended.
CStart Launch(const QByteArray &program, const QByteArray &argument)
{
    int out[2];
    if (pipe(out) != 0)
        std::exit(2);
    QElapsedTimer clock;
    clock.start();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(program.constData(), program.constData(), argument.constData(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(out[1]);
    QByteArray said;
    char buffer[256];
    ssize_t read = 0;
    while (!said.contains("mapped") && (read = ::read(out[0], buffer, sizeof buffer)) > 0)
        said.append(buffer, read);
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!said.contains("mapped") || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not show its window (exit %d)\n", program.constData(),
                     WEXITSTATUS(status));
        std::exit(1);
    }
    return {ms, double(usage.ru_maxrss) / 1024};
}

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
        "%5.1f MB   ratio %.2f   memory %+.1f MB\n",
        configurations, times.First, programPeak, times.Second, barePeak, times.Ratio,
        programPeak - barePeak);
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
        for (const int configurations : {10000, 100000})
            Measure(folder.filePath(QString::number(configurations)), configurations, rounds);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    std::printf("aims at 100,000: ratio <= 1.0, memory <= +6.0 MB\n");
    return 0;
}
