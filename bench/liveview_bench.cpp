// Live-view polling of one instrument over RS 232 at 9600 baud against the simulator with
// wire time and a 5 ms turnaround: polls per second against the limit the line sets, one poll
// being its two exchanges (the live-value block and the decimal point) at their modelled
// wire-plus-turnaround time and silence. Ratio 1 would be a line never idle.
#include "LinkWindowBench.h"

#include "model/CommConfig.h"
#include "model/NetworkAddMsgSetup.h"
#include "programming/link/InterfaceTypes.h"
#include "programming/widgets/ViewInstrData.h"

#include <QTimer>

namespace {

constexpr int kMeasuredMs = 3000;

} // namespace

int main(int argc, char **argv)
{
    CBenchApplication app(argc, argv);

    InstrumentSimulator line;
    line.AttachAsPort(1);
    EmulateWireTime(line);
    SimInstrument &instrument = line.AddInstrument(1, kBenchBaud);
    instrument.SetLiveValue(1234, 0x0005);
    instrument.SetDecimalPoint(2);
    CCommConfig comm;
    comm.SetComPort(0);
    comm.SetInterfaceType(itRS232);
    CNetworkAddMsgSetup network;
    network.SetModeConfig(0);
    network.SetSelNetworkAdd(1);
    network.SetNetworkAdd(1);

    const QByteArray liveRead = ReadRequest(1, kLiveValueBlockRegister, kLiveValueBlockCount);
    CExchangeClock clock(line, [&](const QByteArray &request) { return request == liveRead; });
    FViewInstrData view;
    view.Create(comm, network);
    // Polling has begun once the clock runs; the window closes a fixed time later.
    QTimer start;
    start.setInterval(5);
    QObject::connect(&start, &QTimer::timeout, [&] {
        if (!clock.Started())
            return;
        start.stop();
        QTimer::singleShot(kMeasuredMs, &view, [&] { view.close(); });
    });
    start.start();
    view.exec();

    const int polls = clock.Count(liveRead);
    if (polls < 2) {
        std::printf("polling never ran\n");
        return 1;
    }
    // Two exchanges, each after the 3.5-character silence.
    const double pollModelMs = ModelledExchangeMs(line, 8, 5 + 2 * kLiveValueBlockCount, kBenchBaud) +
                               ModelledExchangeMs(line, 8, 7, kBenchBaud) +
                               2 * RtuSilenceMs(line, kBenchBaud);
    const double pollsPerSecond = polls * 1000.0 / clock.ElapsedMs();
    const double limit = 1000.0 / pollModelMs;
    std::printf("live view, one instrument at 9600 baud: %.2f polls/s, line limit %.2f polls/s, ratio %.3f\n",
                pollsPerSecond, limit, pollsPerSecond / limit);
    return 0;
}
