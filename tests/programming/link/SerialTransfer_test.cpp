// The transfer over register frames against simulated instruments, into and out of a real
// archive file.
#include "support/LinkFixtures.h"

#include "model/ModInstr.h"
#include "model/ModuleCodes.h"
#include "programming/link/InterfaceTypes.h"
#include "programming/link/SerialTransfer.h"

using MemMap::EFamily;

namespace {

constexpr quint16 kImageEnd = kMemoryMapBaseAddress + 89;
constexpr int kAny = InstrumentSimulator::kAnyAddress;
constexpr int kAlways = InstrumentSimulator::kAlways;

class SerialTransferTest : public ProcedureTest
{
protected:
    void SetUp() override
    {
        ProcedureTest::SetUp();
        line.AttachAsPort(1);
        comm.SetInterfaceType(itRS232);
        network.SetModeConfig(0);
        network.SetSelNetworkAdd(1); // manual address 1
        network.SetNetworkAdd(1);
    }
    void NetworkOf(qint16 count)
    {
        comm.SetInterfaceType(itRS485);
        network.SetModeConfig(1);
        network.SetTotalInstrNetwork(count);
    }
    bool Write(qint32 id) { return Run(&CSerialTransfer::Write, id); }
    bool Read() { return Run(&CSerialTransfer::Read, CArchive::kActualSettingID); }
    bool Run(bool (CSerialTransfer::*transfer)(qint32), qint32 id)
    {
        CSerialTransfer procedure(link, comm, network, Report());
        const bool done = (procedure.*transfer)(id);
        link.CloseRs232(); // as the window does
        return done;
    }

    static qint16 StoredCode(qint32 id)
    {
        CConfiguration configuration;
        configuration.Load(id);
        return configuration.ModInstr().CodificaModuli();
    }
    // The image the archive's configuration makes.
    static QVector<qint16> ImageOf(qint32 id)
    {
        const auto manager = ManagerFor(StoredCode(id), id);
        manager->ConvertUserSetupToMemoryMap();
        QVector<qint16> words;
        for (int i = 0; i < manager->WordCount(); ++i)
            words.append(manager->Word(i));
        return words;
    }
    // An instrument whose modules are those of the configuration (the module code word, and
    // the probe naming ZOB or QEM as slot A holds), holding its image unless told otherwise;
    // it stays at its address and rate.
    SimInstrument &InstrumentFor(qint32 id, int address, int baud = 38400)
    {
        const qint16 code = StoredCode(id);
        SimInstrument &instrument = line.AddInstrument(address, baud);
        instrument.SetModuleCode(code);
        instrument.SetProbe(CModInstr::IsQEM(code) ? kProbeTemperatureModule : kProbeSignalModule);
        QVector<qint16> image = ImageOf(id);
        image[86] = qint16(address);
        image[87] = qint16(SimInstrument::CodeOfBaud(baud));
        instrument.SetImage(image);
        return instrument;
    }
    int RequestsTo(quint16 registerAddress) const
    {
        return int(std::count_if(line.Requests().begin(), line.Requests().end(),
                                 InstrumentSimulator::ForRegister(registerAddress)));
    }

    InstrumentSimulator line;
};

struct FamilyCase
{
    const char *what;
    EFamily family;
    int baud;
    qint16 interfaceType;
};

using SerialRoundTrips = ProcedureCases<SerialTransferTest, FamilyCase>;

// The configuration goes to the instrument at address 9, found at the case's rate; put back
// there, the instrument is read into record 2.
TEST_P(SerialRoundTrips, WriteSendsTheImageWithAddressAndBaudLastAndReadBringsItBack)
{
    const FamilyCase &c = GetParam();
    comm.SetInterfaceType(c.interfaceType);
    network.SetNetworkAdd(9);
    const qint32 id = AddDistinct(c.family);
    SimInstrument &instrument = InstrumentFor(id, 9, c.baud);
    const QVector<qint16> image = ImageOf(id);
    const QString before = ArchiveSnapshot();

    ASSERT_TRUE(Write(id));
    QList<quint16> order;
    for (quint16 r = kMemoryMapBaseAddress; r < kImageEnd; ++r)
        if (r != kNetworkAddressRegister && r != kBaudRateRegister)
            order.append(r);
    if (c.family == EFamily::QEM)
        order.append(kColdJunctionRegister);
    if (c.interfaceType == itRS232)
        order.append(kNetworkAddressRegister);
    order.append(kBaudRateRegister);
    QList<quint16> written;
    for (const auto &[registerAddress, value] : instrument.Writes())
        written.append(registerAddress);
    EXPECT_EQ(written, order);
    // RS 232 moves the instrument to the image's address, and the baud word follows it there.
    const int address = c.interfaceType == itRS232 ? image[86] : 9;
    EXPECT_EQ(instrument.Address(), address);
    EXPECT_EQ(quint8(line.Requests().back()[0]), address);
    EXPECT_EQ(SimInstrument::CodeOfBaud(instrument.Baud()), image[87]);
    QVector<qint16> held = instrument.Image(image.size());
    held[86] = image[86]; // RS 485 leaves the address word alone
    EXPECT_EQ(held, image);
    EXPECT_TRUE(ArchiveSnapshot() == before);
    EXPECT_EQ(operations.last(), LoadResString(201));
    EXPECT_EQ(searchLines.last(), LoadResStringArgs(222, {9}));

    instrument.SetAddress(9);
    instrument.SetBaud(c.baud);
    ASSERT_TRUE(Read());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(instrument.Writes().size(), written.size());
    CConfiguration expected;
    expected.Load(id);
    expected.SerialComm().SetNetworkAdd(9);
    expected.SerialComm().SetBaudRate(qint16(SimInstrument::CodeOfBaud(c.baud)));
    CConfiguration read;
    read.Load(CArchive::kActualSettingID);
    EXPECT_EQ(CarriedValues(read, c.family), CarriedValues(expected, c.family));
    EXPECT_EQ(read.ModInstr().NomeProgramma(), LoadResString(617));
    const qint16 slotA = c.family == EFamily::QEM ? SlotAModule::QEM : SlotAModule::ZOB;
    CModInstr detected;
    detected.SetCodificaModuli(
        qint16(StoredCode(id) | slotA << ModuleCodeBits::SlotAShift |
               (c.interfaceType == itRS232 ? ModuleCodeBits::SlotBZQ : ModuleCodeBits::SlotBQZ)));
    EXPECT_EQ(read.ModInstr().CodificaModuli(), detected.CodificaModuli());
    EXPECT_EQ(operations.last(), LoadResString(203));
}

// Every rate of the search once, both families, both interfaces.
INSTANTIATE_TEST_SUITE_P(Transfers, SerialRoundTrips,
                         ::testing::Values(FamilyCase{"VABZOB_38400_RS232", EFamily::VABZOB, 38400, itRS232},
                                           FamilyCase{"QEM_19200_RS485", EFamily::QEM, 19200, itRS485},
                                           FamilyCase{"QEM_9600_RS232", EFamily::QEM, 9600, itRS232},
                                           FamilyCase{"VABZOB_4800_RS485", EFamily::VABZOB, 4800, itRS485}),
                         CaseName());

TEST_F(SerialTransferTest, ANetworkIsWrittenInTurn)
{
    NetworkOf(3);
    network.SetNetworkAdd(77);
    const qint32 id = AddDistinct(EFamily::QEM);
    for (int address = 1; address <= 3; ++address)
        InstrumentFor(id, address);
    ASSERT_TRUE(Write(id));
    EXPECT_EQ(network.NetworkAdd(), 1);
    QList<int> writeAddresses;
    for (const QByteArray &request : line.Requests())
        if (quint8(request[1]) == rfWriteRegister &&
            (writeAddresses.isEmpty() || writeAddresses.back() != request[0]))
            writeAddresses.append(quint8(request[0]));
    EXPECT_EQ(writeAddresses, (QList<int>{1, 2, 3}));
    for (int address = 1; address <= 3; ++address) {
        EXPECT_EQ(line.Instrument(address)->Writes().size(), 89); // 90 words, no network address
        EXPECT_EQ(line.Instrument(address)->Writes().back().first, kBaudRateRegister);
    }
}

// Something that keeps a network write from going on at instrument 2: before it is written (it
// does not fit the configuration) or once its first 20 words are (the line fails, or the
// user cancels); the message it brings (0: none).
struct StopCase
{
    const char *what;
    bool halfWay;
    std::function<void(SimInstrument &second, InstrumentSimulator &, CTapiComm &)> stop;
    int messageId;
};

using SerialStops = ProcedureCases<SerialTransferTest, StopCase>;

TEST_P(SerialStops, AWriteThatCannotGoOnStopsBeforeTheBaudWordAndTellsWhy)
{
    const StopCase &c = GetParam();
    NetworkOf(3);
    const qint32 id = AddDistinct(EFamily::VABZOB);
    for (int address = 1; address <= 3; ++address)
        InstrumentFor(id, address);
    SimInstrument &second = *line.Instrument(2);
    if (!c.halfWay)
        c.stop(second, line, link);
    QObject::connect(&line, &InstrumentSimulator::RequestHeard, [&] {
        if (c.halfWay && second.Writes().size() == 20)
            c.stop(second, line, link);
    });
    EXPECT_EQ(Write(id), c.messageId == 0 && !c.halfWay);
    EXPECT_EQ(messages, c.messageId == 0 ? QList<int>{} : QList<int>{c.messageId});
    const qsizetype written = second.Writes().size();
    EXPECT_TRUE(c.halfWay ? written >= 20 && written < 24 : written == (c.messageId == 0 ? 88 : 0))
        << written;
    EXPECT_EQ(line.Instrument(1)->Writes().size(), 88);
    EXPECT_EQ(line.Instrument(3)->Writes().size(), c.messageId == 0 && !c.halfWay ? 88 : 0);
}

const auto kModuleCode = [](qint16 change) {
    return [change](SimInstrument &second, InstrumentSimulator &, CTapiComm &) {
        second.SetModuleCode(qint16(second.Register(kModuleCodeRegister) ^ change));
    };
};

INSTANTIATE_TEST_SUITE_P(
    Stops, SerialStops,
    ::testing::Values(
        StopCase{"other model", false,
                 kModuleCode(qint16(ModuleCodeBits::ModelIXO ^ ModuleCodeBits::ModelEKA40)), 230},
        StopCase{"temperature module for a signal configuration", false,
                 [](SimInstrument &second, InstrumentSimulator &, CTapiComm &) {
                     second.SetProbe(kProbeTemperatureModule);
                 },
                 211},
        StopCase{"other relay module passes", false,
                 kModuleCode(ModuleCodeBits::RelayZ8Z9 ^ ModuleCodeBits::RelayZ3), 0},
        StopCase{"line error", true,
                 [](SimInstrument &, InstrumentSimulator &line, CTapiComm &) { line.HangUp(); }, 206},
        StopCase{"CRC error", true,
                 [](SimInstrument &, InstrumentSimulator &line, CTapiComm &) {
                     line.InjectFault(SimFault::BadCrc, kAlways);
                 },
                 215},
        StopCase{"time-out", true,
                 [](SimInstrument &, InstrumentSimulator &line, CTapiComm &) {
                     line.InjectFault(SimFault::Silence, kAlways);
                 },
                 207},
        StopCase{"cancel", true,
                 [](SimInstrument &, InstrumentSimulator &, CTapiComm &link) { link.CancelTxRx(true); }, 0}),
    CaseName());

// The answer owed to the second send of block 2 crosses into the read of block 3 (held until the
// next request, whatever the link waits): block 3 would be stored shifted, with no message.
TEST_F(SerialTransferTest, ABlockThatDoesNotJoinTheOneBeforeRefusesTheRead)
{
    InstrumentFor(AddDistinct(EFamily::VABZOB), 1);
    const auto block2 = InstrumentSimulator::ForRegister(kMemoryMapBaseAddress + 20);
    line.InjectFault({SimFault::Late, 1, kAny, 400, block2});
    line.InjectFault({SimFault::Late, 1, kAny, InstrumentSimulator::kUntilNextRequest, block2});
    const QString before = ArchiveSnapshot();
    EXPECT_FALSE(Read());
    EXPECT_EQ(messages, QList<int>{206});
    EXPECT_TRUE(ArchiveSnapshot() == before);
}

// The baud-rate word may be answered at the new rate (garbled at the old one) or not at all:
// either way it goes out once and the write is done.
TEST_F(SerialTransferTest, TheBaudRateWordGoesOutOnceWhateverItsAnswer)
{
    const qint32 id = AddDistinct(EFamily::VABZOB);
    SimInstrument &instrument = InstrumentFor(id, 1);
    for (const SimFault fault : {SimFault::Garbage, SimFault::Silence}) {
        line.InjectFault({fault, kAlways, kAny, {}, InstrumentSimulator::ForRegister(kBaudRateRegister)});
        EXPECT_TRUE(Write(id));
        line.ClearFaults();
        instrument.SetAddress(1);
        instrument.SetBaud(38400);
    }
    EXPECT_EQ(RequestsTo(kBaudRateRegister), 2);
    EXPECT_TRUE(messages.isEmpty());
}

// A read stores whatever address the instrument reports; an RS 232 write would send it on.
// With nobody answering: the search's four probes and 228.
TEST_F(SerialTransferTest, NothingGoesOutWithAnAddressWordOutside1To255)
{
    for (const qint16 address : {0, 256}) {
        CConfiguration configuration;
        FillDistinct(configuration, EFamily::VABZOB);
        configuration.SerialComm().SetNetworkAdd(address);
        const qint32 id = g_Connection->NewID();
        configuration.Add(id);
        EXPECT_FALSE(Write(id));
    }
    EXPECT_TRUE(line.Requests().isEmpty());
    EXPECT_FALSE(Write(AddDistinct(EFamily::VABZOB)));
    EXPECT_EQ(line.Requests().size(), 4);
    EXPECT_EQ(messages, (QList<int>{212, 212, 228}));
}

// A network read asks instrument 1 only: the network size is not used, so not checked.
TEST_F(SerialTransferTest, ANetworkReadIgnoresTheNetworkSize)
{
    NetworkOf(0);
    InstrumentFor(AddDistinct(EFamily::QEM), 1);
    EXPECT_TRUE(Read());
    EXPECT_TRUE(messages.isEmpty());
}

} // namespace
