// Whole transfers through the serial transfer window at 9600 baud against simulated
// instruments with wire time and a 5 ms turnaround: a write and a read of one instrument and
// a write to a network of three. Each transfer is timed from its first module read (the
// search before it spends its time-outs on the faster rates) to its last reply, against
// the modelled time of the exchanges it made (wire time, turnaround and the 3.5-character
// silence between them). Aim: ratio at most 1.05.
#include "LinkWindowBench.h"

#include "model/CommConfig.h"
#include "model/Configuration.h"
#include "model/NetworkAddMsgSetup.h"
#include "programming/link/InterfaceTypes.h"
#include "programming/widgets/SerialProgSetup.h"

namespace {

struct Result
{
    double elapsedMs = 0;
    double lineMs = 0;
    double modelMs = 0;
    bool ok = false;
};

// A configuration of the signal-module family, as the wizard leaves it.
qint32 AddConfiguration()
{
    CConfiguration configuration;
    configuration.ModInstr().SetModelloStrumento(2);
    configuration.ModInstr().SetSlotA(2);
    configuration.SerialComm().SetNetworkAdd(1);
    configuration.SerialComm().SetBaudRate(1); // 9600 baud: the instrument stays where it is
    const qint32 id = g_Connection->NewID();
    configuration.Add(id);
    return id;
}

void AddInstruments(InstrumentSimulator &line, int count, qint16 moduleCode)
{
    for (int address = 1; address <= count; ++address) {
        SimInstrument &instrument = line.AddInstrument(address, kBenchBaud);
        instrument.SetModuleCode(moduleCode);
        instrument.SetProbe(kProbeSignalModule);
    }
}

Result Transfer(qint32 action, qint32 id, qint16 interfaceType, int instruments, qint16 moduleCode)
{
    InstrumentSimulator line;
    line.AttachAsPort(1);
    line.SetWireTimeEmulation(true);
    line.SetTurnaroundMs(kBenchTurnaroundMs);
    AddInstruments(line, instruments, moduleCode);
    CCommConfig comm;
    comm.SetComPort(0);
    comm.SetInterfaceType(interfaceType);
    CNetworkAddMsgSetup network;
    network.SetModeConfig(instruments > 1 ? 1 : 0);
    network.SetSelNetworkAdd(1);
    network.SetNetworkAdd(1);
    network.SetTotalInstrNetwork(qint16(instruments));
    const QByteArray moduleRead = ReadRequest(1, kModuleBlockRegister, kModuleBlockCount);
    CExchangeClock clock(line, [&](const QByteArray &request) { return request == moduleRead; });

    FSerialProgSetup window;
    window.SetAction(action);
    window.SetIDProgramma(id);
    window.Create(comm, nullptr, network);
    window.exec();
    const double elapsedMs = clock.ElapsedMs();
    return {elapsedMs, clock.LineMs(), clock.ModelMs(), window.ReturnValue() && clock.Started()};
}

} // namespace

int main(int argc, char **argv)
{
    CBenchApplication app(argc, argv);

    const qint32 id = AddConfiguration();
    CConfiguration stored;
    stored.Load(id);
    const qint16 code = stored.ModInstr().CodificaModuli();

    const struct
    {
        const char *name;
        qint32 action;
        qint32 id;
        qint16 interfaceType;
        int instruments;
    } runs[] = {
        {"write, one instrument (RS 232)", CTransferWindow::kActionWrite, id, itRS232, 1},
        {"read, one instrument (RS 232)", CTransferWindow::kActionRead, CArchive::kActualSettingID, itRS232,
         1},
        {"write, network of three (RS 485)", CTransferWindow::kActionWrite, id, itRS485, 3},
    };
    bool allOk = true;
    for (const auto &run : runs) {
        const Result result = Transfer(run.action, run.id, run.interfaceType, run.instruments, code);
        PrintRatio(run.name, result.lineMs, result.modelMs);
        std::printf("  then %.1f ms to the end of the window (archive, dump file)\n",
                    result.elapsedMs - result.lineMs);
        if (!result.ok) {
            std::printf("  (the transfer failed!)\n");
            allOk = false;
        }
    }
    std::printf("aim: ratio at most 1.05 (model: wire time + turnaround + 3.5-character silence)\n");
    return allOk ? 0 : 1;
}
