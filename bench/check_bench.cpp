// The archive's check as the user meets it, over archives of 100,000 and 1,000,000
// configurations. In the program's own process (offscreen): the longest the main window's event
// loop stalls while the check runs (a 1 ms timer's late turns), with the window idle, with a
// command that changes the archive waiting for the check, and, after a crash, during the whole
// check that the opening waits for. Then, each start a child process (ixosoft_start, as
// startup_bench launches it): after a crash, the time from the launch to the first thing shown
// and to the main window, against the main window of a start without a crash.
// Aim: no stall above 50 ms; after a crash something shown at once.
//   check_bench [rounds]
#include "BenchArchive.h"
#include "Clock.h"
#include "Launch.h"
#include "app/widgets/ArchiveCheck.h"
#include "app/widgets/FMain.h"
#include "model/ScaleTables.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

struct CStall
{
    double LongestMs = 0;
    double CheckMs = 0;
};

// The longest gap between the turns of a 1 ms timer while `work` runs the event loop until the
// check has ended, and how long that took.
CStall Stall(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    CStall stall;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        stall.LongestMs = std::max(stall.LongestMs, double(now - last) / 1e6);
        last = now;
    });
    probe.start(1);
    work();
    stall.LongestMs = std::max(stall.LongestMs, double(clock.nsecsElapsed() - last) / 1e6);
    stall.CheckMs = double(clock.nsecsElapsed()) / 1e6;
    return stall;
}

// A program that did not close the archive, as a crash leaves it.
void LeaveCrashMarker(const QString &archive)
{
    QFile marker(archive + QStringLiteral("-open-0-crashed"));
    if (!marker.open(QIODevice::WriteOnly))
        std::exit(2);
}

void Report(const char *what, int configurations, const QList<CStall> &stalls)
{
    QList<double> longest, check;
    for (const CStall &stall : stalls)
        longest << stall.LongestMs, check << stall.CheckMs;
    std::printf(
        "%-42s %7d configurations: longest stall %6.1f ms (worst %6.1f)   check %7.0f ms   aim <= 50 ms\n",
        what, configurations, Median(longest), *std::max_element(longest.begin(), longest.end()),
        Median(check));
}

void MeasureStalls(FMain &window, int configurations, int rounds)
{
    const QString archive = CArchive::DefaultFilePath();
    QList<CStall> idle, command, crashed;
    for (int round = 0; round < rounds; ++round) {
        g_Connection->Open();
        idle << Stall([] {
            QEventLoop loop;
            QObject::connect(&g_Connection->Database().Checker(), &Platform::CArchiveChecker::Finished, &loop,
                             &QEventLoop::quit);
            g_Connection->StartCheck();
            loop.exec();
        });
        g_Connection->Open();
        command << Stall([&window] { RequireWritableArchive(&window); });
        LeaveCrashMarker(archive);
        crashed << Stall([] { g_Connection->Open(); });
    }
    Report("the window idle during the check", configurations, idle);
    Report("a change waiting for the check", configurations, command);
    Report("after a crash, the opening's whole check", configurations, crashed);
}

void MeasureCrashStart(const QString &archive, int configurations, int rounds)
{
    const QByteArray program = QCoreApplication::applicationDirPath().toLocal8Bit() + "/ixosoft_start";
    QList<double> shown, mapped, plain;
    for (int round = 0; round < rounds; ++round) {
        LeaveCrashMarker(archive);
        const CStart start = Launch(program, QByteArray());
        shown << start.ShownMs;
        mapped << start.Ms;
        plain << Launch(program, QByteArray()).Ms;
    }
    std::printf(
        "start after a crash, %7d configurations: first thing shown %6.0f ms   main window %6.0f ms   "
        "main window without a crash %6.0f ms\n",
        configurations, Median(shown), Median(mapped), Median(plain));
}

} // namespace

int main(int argc, char **argv)
{
    const CBenchHome home;
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? QString(argv[1]).toInt() : 3;
    try {
        InitGlobalScale();
        for (const int configurations : {100000, 1000000}) {
            FillArchive(CArchive::DefaultFilePath(), configurations);
            {
                FMain window;
                window.Load();
                window.show();
                QApplication::processEvents();
                MeasureStalls(window, configurations, rounds);
                window.close();
            }
            g_Connection->Close();
            MeasureCrashStart(CArchive::DefaultFilePath(), configurations, rounds);
        }
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
