// The serial transfer window end to end: simulated instruments behind the pseudo-terminal,
// configurations in a real archive file.
#include "LinkWindow_fixture.h"

#include "model/ModInstr.h"
#include "programming/link/InterfaceTypes.h"
#include "programming/memmap/MemMapArchive_fixture.h"
#include "programming/widgets/SerialProgSetup.h"

#include <QPushButton>

using MemMap::EFamily;

namespace {

constexpr quint16 kImageEnd = kMemoryMapBaseAddress + 89;
constexpr qint32 kRead = CTransferWindow::kActionRead;
constexpr qint32 kWrite = CTransferWindow::kActionWrite;

class SerialProgSetupTest : public TransferWindowTest<FSerialProgSetup>
{
protected:
    void SetUp() override
    {
        TransferWindowTest::SetUp();
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
    // The configuration's image in the instrument, which stays at its address and rate.
    static void HoldImage(SimInstrument &instrument, qint32 id)
    {
        QVector<qint16> image = ImageOf(id);
        image[86] = qint16(instrument.Address());
        image[87] = qint16(SimInstrument::CodeOfBaud(instrument.Baud()));
        instrument.SetImage(image);
    }
    // An instrument whose modules are those of the configuration: the module code word, and
    // the probe register naming ZOB or QEM as slot A holds.
    SimInstrument &InstrumentFor(qint32 id, int address, int baud = 38400)
    {
        const qint16 code = StoredCode(id);
        SimInstrument &instrument = line.AddInstrument(address, baud);
        instrument.SetModuleCode(code);
        instrument.SetProbe(CModInstr::IsQEM(code) ? kProbeTemperatureModule : kProbeSignalModule);
        return instrument;
    }

    TraceCapture trace;
    InstrumentSimulator line;
};

struct FamilyCase
{
    const char *what;
    friend void PrintTo(const FamilyCase &c, std::ostream *os) { *os << c.what; }
    EFamily family;
    int baud;
    qint16 interfaceType;
};

using SerialRoundTrips = TestWithCases<SerialProgSetupTest, FamilyCase>;

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

    ASSERT_TRUE(Run(kWrite, id));
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
    QVector<qint16> words = instrument.Image(image.size());
    words[86] = image[86];
    words[87] = image[87];
    EXPECT_EQ(words, image);
    EXPECT_EQ(ArchiveSnapshot(), before);
    EXPECT_EQ(trace.Lines().contains(QStringLiteral("Programmazione indirizzo di rete")),
              c.interfaceType == itRS232);

    instrument.SetAddress(9);
    instrument.SetBaud(c.baud);
    network.SetNetworkAdd(9);
    CModInstr declared; // a read ignores the modules the user declared
    ASSERT_TRUE(Run(kRead, CArchive::kActualSettingID, &declared));
    EXPECT_TRUE(messages.Shown().isEmpty());
    EXPECT_EQ(instrument.Writes().size(), written.size());
    CConfiguration expected;
    expected.Load(id);
    expected.SerialComm().SetNetworkAdd(9);
    expected.SerialComm().SetBaudRate(qint16(SimInstrument::CodeOfBaud(c.baud)));
    CConfiguration read;
    read.Load(CArchive::kActualSettingID);
    EXPECT_EQ(CarriedValues(read, c.family), CarriedValues(expected, c.family));
    EXPECT_EQ(read.ModInstr().NomeProgramma(), LoadResString(617));
    CModInstr detected;
    detected.SetCodificaModuli(qint16(StoredCode(id) | (c.family == EFamily::QEM ? 0x0C00 : 0x0800) |
                                      (c.interfaceType == itRS232 ? 0x0100 : 0x0200)));
    EXPECT_EQ(read.ModInstr().CodificaModuli(), detected.CodificaModuli());
}

// Every rate of the search once, both families, both interfaces.
INSTANTIATE_TEST_SUITE_P(Transfers, SerialRoundTrips,
                         ::testing::Values(FamilyCase{"VABZOB_38400_RS232", EFamily::VABZOB, 38400, itRS232},
                                           FamilyCase{"QEM_19200_RS485", EFamily::QEM, 19200, itRS485},
                                           FamilyCase{"QEM_9600_RS232", EFamily::QEM, 9600, itRS232},
                                           FamilyCase{"VABZOB_4800_RS485", EFamily::VABZOB, 4800, itRS485}),
                         CaseName());

TEST_F(SerialProgSetupTest, AutomaticSearchWritesToTheAddressFound)
{
    network.SetSelNetworkAdd(0);
    const qint32 id = AddDistinct(EFamily::VABZOB);
    SimInstrument &instrument = InstrumentFor(id, 253);
    ASSERT_TRUE(Run(kWrite, id));
    EXPECT_EQ(network.NetworkAdd(), 253);
    EXPECT_EQ(instrument.Writes().size(), 89);
    EXPECT_EQ(line.Requests().front(), ReadRequest(255, kProbeRegister, 1));
}

TEST_F(SerialProgSetupTest, NetworkOfThreeIsWrittenInAscendingOrder)
{
    NetworkOf(3);
    network.SetNetworkAdd(77);
    const qint32 id = AddDistinct(EFamily::QEM);
    for (int address = 1; address <= 3; ++address)
        InstrumentFor(id, address);
    ASSERT_TRUE(Run(kWrite, id));
    EXPECT_EQ(network.NetworkAdd(), 1);
    QList<int> writeAddresses;
    for (const QByteArray &request : line.Requests())
        if (quint8(request[1]) == rfWriteRegister &&
            (writeAddresses.isEmpty() || writeAddresses.back() != request[0]))
            writeAddresses.append(quint8(request[0]));
    EXPECT_EQ(writeAddresses, (QList<int>{1, 2, 3}));
    for (int address = 1; address <= 3; ++address) {
        const SimInstrument *instrument = line.Instrument(address); // still at its address
        ASSERT_NE(instrument, nullptr);
        EXPECT_EQ(instrument->Writes().size(), 89); // 90 words, no network address
        EXPECT_EQ(instrument->Writes().back().first, kBaudRateRegister);
    }
}

struct GuardCase
{
    const char *what;
    friend void PrintTo(const GuardCase &c, std::ostream *os) { *os << c.what; }
    qint16 codeChange; // xor-ed into the second instrument's module code
    qint16 probe;      // 0: as the configuration
    int messageId;     // 0: written
};

using SerialProgSetupGuards = TestWithCases<SerialProgSetupTest, GuardCase>;

TEST_P(SerialProgSetupGuards, AnInstrumentThatDoesNotFitIsNeverWritten)
{
    const GuardCase &c = GetParam();
    NetworkOf(3);
    const qint32 id = AddDistinct(EFamily::VABZOB);
    for (int address = 1; address <= 3; ++address)
        InstrumentFor(id, address);
    SimInstrument &second = *line.Instrument(2);
    second.SetModuleCode(qint16(StoredCode(id) ^ c.codeChange));
    if (c.probe != 0)
        second.SetProbe(c.probe);

    EXPECT_EQ(Run(kWrite, id), c.messageId == 0);
    for (int address = 1; address <= 3; ++address)
        EXPECT_EQ(line.Instrument(address)->Writes().size(), address == 1 || c.messageId == 0 ? 88 : 0);
    EXPECT_EQ(messages.Ids(), c.messageId == 0 ? QList<int>{} : QList<int>{c.messageId});
    EXPECT_TRUE(AllLinkMessages(messages));
}

INSTANTIATE_TEST_SUITE_P(Guards, SerialProgSetupGuards,
                         ::testing::Values(GuardCase{"other model", qint16(0x1000), 0, 230},
                                           GuardCase{"temperature module for a signal configuration", 0,
                                                     kProbeTemperatureModule, 211},
                                           GuardCase{"other relay module passes", 0x0003, 0, 0}),
                         CaseName());

using SerialProgSetupFailures = TestWithCases<SerialProgSetupTest, LinkFault>;

TEST_P(SerialProgSetupFailures, AFailedWriteStopsBeforeTheBaudWordAndTellsWhy)
{
    const qint32 id = AddDistinct(EFamily::VABZOB);
    SimInstrument &instrument = InstrumentFor(id, 1);
    EXPECT_FALSE(Run(kWrite, id, nullptr, [&](QDialog &window) {
        if (instrument.Writes().size() < 20)
            return false;
        GetParam().fail(window, line);
        return true;
    }));
    EXPECT_EQ(messages.Ids(), GetParam().messageId ? QList<int>{GetParam().messageId} : QList<int>{});
    EXPECT_TRUE(AllLinkMessages(messages));
    EXPECT_LT(instrument.Writes().size(), 40);
}

INSTANTIATE_TEST_SUITE_P(LinkErrors, SerialProgSetupFailures, ::testing::ValuesIn(kLinkErrors), CaseName());
INSTANTIATE_TEST_SUITE_P(
    UserStops, SerialProgSetupFailures,
    ::testing::Values(LinkFault{"cancel button",
                                [](QDialog &w, InstrumentSimulator &) {
                                    w.findChild<QPushButton *>("cmdCancel")->click();
                                },
                                0},
                      LinkFault{"close box", [](QDialog &w, InstrumentSimulator &) { w.close(); }, 0}),
    CaseName());

// The answer owed to the second send of block 2 crosses into the read of block 3 (held until the
// next request, whatever the link waits): block 3 would be stored shifted, with no message.
TEST_F(SerialProgSetupTest, ABlockThatDoesNotJoinTheOneBeforeRefusesTheRead)
{
    const qint32 id = AddDistinct(EFamily::VABZOB);
    HoldImage(InstrumentFor(id, 1), id);
    const auto block2 = InstrumentSimulator::ForRegister(kMemoryMapBaseAddress + 20);
    line.InjectFault({SimFault::Late, 1, InstrumentSimulator::kAnyAddress, 3500, block2});
    line.InjectFault({SimFault::Late, 1, InstrumentSimulator::kAnyAddress,
                      InstrumentSimulator::kUntilNextRequest, block2});
    const QString before = ArchiveSnapshot();
    EXPECT_FALSE(Run(kRead, CArchive::kActualSettingID));
    EXPECT_EQ(messages.Ids(), QList<int>{206});
    EXPECT_TRUE(ArchiveSnapshot() == before);
}

// The baud-rate word may be answered at the new rate (garbled at the old one) or not at all:
// either way it goes out once and the write is done.
TEST_F(SerialProgSetupTest, TheBaudRateWordGoesOutOnceWhateverItsAnswer)
{
    const qint32 id = AddDistinct(EFamily::VABZOB);
    SimInstrument &instrument = InstrumentFor(id, 1);
    for (const SimFault fault : {SimFault::Garbage, SimFault::Silence}) {
        line.InjectFault({fault,
                          InstrumentSimulator::kAlways,
                          InstrumentSimulator::kAnyAddress,
                          {},
                          InstrumentSimulator::ForRegister(kBaudRateRegister)});
        EXPECT_TRUE(Run(kWrite, id));
        const auto baudWrites = std::count_if(line.Requests().begin(), line.Requests().end(),
                                              InstrumentSimulator::ForRegister(kBaudRateRegister));
        EXPECT_EQ(baudWrites, fault == SimFault::Garbage ? 1 : 2);
        line.ClearFaults();
        instrument.SetAddress(1);
        instrument.SetBaud(38400);
    }
    EXPECT_TRUE(messages.Shown().isEmpty());
}

// A read stores whatever address the instrument reports; an RS 232 write would send it on.
TEST_F(SerialProgSetupTest, AStoredAddressOutside1To255RefusesTheWriteBeforeAnythingIsSent)
{
    for (const qint16 address : {0, 256}) {
        CConfiguration configuration;
        FillDistinct(configuration, EFamily::VABZOB);
        configuration.SerialComm().SetNetworkAdd(address);
        const qint32 id = g_Connection->NewID();
        configuration.Add(id);
        InstrumentFor(id, 1);
        EXPECT_FALSE(Run(kWrite, id));
    }
    EXPECT_EQ(messages.Ids(), (QList<int>{212, 212}));
    EXPECT_TRUE(line.Requests().isEmpty());
}

// A network read asks instrument 1 only: the network size is not used, so not checked.
TEST_F(SerialProgSetupTest, ANetworkReadIgnoresTheNetworkSize)
{
    NetworkOf(0);
    const qint32 id = AddDistinct(EFamily::QEM);
    HoldImage(InstrumentFor(id, 1), id);
    EXPECT_TRUE(Run(kRead, CArchive::kActualSettingID));
    EXPECT_TRUE(messages.Shown().isEmpty());
}

// Nothing goes out with a network of no instruments (212); with nobody answering, the search's
// four probes and 228.
TEST_F(SerialProgSetupTest, NoInstrumentToWriteIsToldWithoutWriting)
{
    const qint32 id = AddDistinct(EFamily::VABZOB);
    EXPECT_FALSE(Run(kWrite, id));
    EXPECT_EQ(messages.Ids(), QList<int>{228});
    EXPECT_EQ(line.Requests().size(), 4);

    NetworkOf(0);
    InstrumentFor(id, 1);
    EXPECT_FALSE(Run(kWrite, id));
    EXPECT_EQ(messages.Ids(), (QList<int>{228, 212}));
    EXPECT_EQ(line.Requests().size(), 4);
}

} // namespace
