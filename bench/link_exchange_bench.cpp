// Register exchanges at 9600 baud against the simulated instrument with wire time and a 5 ms
// turnaround: the elapsed time against the modelled time of the same exchanges (wire time,
// turnaround and the 3.5-character silence before each request). A link paced by its 200 ms
// tick would show a ratio near 10 here. Then the probes of the instrument search at addresses
// nobody answers: each should cost its 500 ms time-out and no more.
#include "WireTime.h"
#include "programming/link/InstrumentSearch.h"
#include "programming/link/RegisterExchange.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

constexpr int kBaud = 9600;
constexpr qint32 kBaudIndex9600 = 3;
constexpr int kSilentProbes = 8;

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

// `count` exchanges of the same shape, each expected to end with `expected`.
Run Time(const char *name, int count, double modelEachMs, qint32 expected,
         const std::function<qint32(int)> &exchange)
{
    Run run{name};
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i) {
        run.failures += exchange(i) != expected;
        run.modelMs += modelEachMs;
    }
    run.elapsedMs = double(clock.nsecsElapsed()) / 1e6;
    return run;
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
    EmulateWireTime(line);
    CTapiComm link;
    link.Create();
    if (!link.OpenRs232(1, kBaudIndex9600, 0)) {
        std::fprintf(stderr, "cannot open the simulated port\n");
        return 1;
    }
    CRegisterExchange exchange(link);
    const double silenceMs = RtuSilenceMs(line, kBaud);

    // The image words of a write transfer but 86 and 87 (address and baud rate would move the
    // instrument away).
    const Run writes =
        Time("87 register writes", 87, ModelledExchangeMs(line, 8, 8, kBaud) + silenceMs, leNone, [&](int i) {
            const int word = i < 86 ? i : i + 2;
            return exchange.WriteRegister(1, quint16(kMemoryMapBaseAddress + word), qint16(i));
        });
    QVector<qint16> block;
    const Run reads = Time("9 reads of 11 registers", 9,
                           ModelledExchangeMs(line, 8, 5 + 2 * kImageReadBlockCount, kBaud) + silenceMs,
                           leNone, [&](int b) {
                               return exchange.ReadRegisters(1, quint16(kMemoryMapBaseAddress + 10 * b),
                                                             kImageReadBlockCount, block);
                           });
    link.SetTimeOutRx(CInstrumentSearch::kProbeTimeOutRxMs);
    link.SetMaxErrorTimeOut(CInstrumentSearch::kProbeMaxErrorTimeOut);
    qint16 probe = 0;
    const Run probes =
        Time("8 silent search probes", kSilentProbes, CInstrumentSearch::kProbeTimeOutRxMs, leTimeOut,
             [&](int i) { return exchange.ReadRegister(quint8(200 + i), kProbeRegister, probe); });

    Report(writes);
    Report(reads);
    const Run total{"writes and reads", writes.elapsedMs + reads.elapsedMs, writes.modelMs + reads.modelMs,
                    writes.failures + reads.failures};
    Report(total);
    Report(probes);
    std::printf(
        "aim: ratio at most 1.05 (model: wire time + turnaround + 3.5-character silence; a probe: its "
        "500 ms time-out)\n");
    return total.failures + probes.failures == 0 ? 0 : 1;
}
