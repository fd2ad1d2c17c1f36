// Register exchanges at 9600 baud against the simulated instrument with wire time and a 5 ms
// turnaround: the elapsed time against the modelled wire-plus-turnaround time of the same
// exchanges. A link paced by its 200 ms tick would show a ratio near 10 here.
#include "programming/link/RegisterExchange.h"
#include "support/InstrumentSimulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kBaud = 9600;
constexpr qint32 kBaudIndex9600 = 3;
constexpr int kTurnaroundMs = 5;

struct Run
{
    const char *name;
    double elapsedMs = 0;
    double modelMs = 0;
    int failures = 0;
};

void Report(const Run &run)
{
    std::printf("%-32s elapsed %8.1f ms  model %8.1f ms  ratio %.3f%s\n", run.name, run.elapsedMs,
                run.modelMs, run.elapsedMs / run.modelMs, run.failures ? "  (exchanges failed!)" : "");
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home; // the port mapping goes to a throw-away settings file
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    QCoreApplication app(argc, argv);

    InstrumentSimulator line;
    line.AttachAsPort(1);
    line.AddInstrument(1, kBaud);
    line.SetWireTimeEmulation(true);
    line.SetTurnaroundMs(kTurnaroundMs);
    CTapiComm link;
    link.Create();
    if (!link.OpenRs232(1, kBaudIndex9600, 0)) {
        std::fprintf(stderr, "cannot open the simulated port\n");
        return 1;
    }
    CRegisterExchange exchange(link);

    // The image words of a write transfer; 86 and 87 (address, baud rate) would move the
    // instrument away.
    Run writes{"87 register writes"};
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 89; ++i) {
        if (i == 86 || i == 87)
            continue;
        writes.failures += exchange.WriteRegister(1, quint16(kMemoryMapBaseAddress + i), qint16(i)) != leNone;
        writes.modelMs += line.ModelledExchangeMs(8, 8, kBaud);
    }
    writes.elapsedMs = double(clock.nsecsElapsed()) / 1e6;

    Run reads{"9 reads of 11 registers"};
    clock.restart();
    QVector<qint16> block;
    for (int b = 0; b < 9; ++b) {
        reads.failures += exchange.ReadRegisters(1, quint16(kMemoryMapBaseAddress + 10 * b),
                                                 kImageReadBlockCount, block) != leNone;
        reads.modelMs += line.ModelledExchangeMs(8, 5 + 2 * kImageReadBlockCount, kBaud);
    }
    reads.elapsedMs = double(clock.nsecsElapsed()) / 1e6;

    Report(writes);
    Report(reads);
    Run total{"all", writes.elapsedMs + reads.elapsedMs, writes.modelMs + reads.modelMs,
              writes.failures + reads.failures};
    Report(total);
    std::printf("aim: ratio at most 1.25\n");
    return total.failures == 0 ? 0 : 1;
}
