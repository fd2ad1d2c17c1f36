// The serial transfer window end to end: simulated instruments behind the pseudo-terminal,
// configurations in a real archive file.
#include "LinkWindow_fixture.h"

#include "model/CommConfig.h"
#include "model/ModInstr.h"
#include "model/NetworkAddMsgSetup.h"
#include "platform/UserPaths.h"
#include "programming/link/InterfaceTypes.h"
#include "programming/memmap/MemMapArchive_fixture.h"
#include "programming/memmap/MemMapFactory.h"
#include "programming/widgets/SerialProgSetup.h"

#include <QFileInfo>
#include <QPushButton>
#include <QTimer>

using MemMap::EFamily;

namespace {

constexpr quint16 kImageEnd = kMemoryMapBaseAddress + 89;

class SerialProgSetupTest : public ArchiveTest
{
protected:
    void SetUp() override
    {
        ArchiveTest::SetUp();
        line.AttachAsPort(1);
        comm.SetComPort(0);
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
        const qint16 code = StoredCode(id);
        const auto manager = MakeMemMapManager(code);
        manager->SetIDProgramma(id);
        manager->SetCodificaModuli(code);
        manager->ConvertUserSetupToMemoryMap();
        QVector<qint16> words;
        for (int i = 0; i < manager->WordCount(); ++i)
            words.append(manager->Word(i));
        return words;
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

    bool Run(qint32 action, qint32 id, CModInstr *modInstr = nullptr)
    {
        window.SetAction(action);
        window.SetIDProgramma(id);
        window.Create(comm, modInstr, network);
        window.exec();
        return window.ReturnValue();
    }
    static QList<quint16> WrittenRegisters(const SimInstrument &instrument)
    {
        QList<quint16> registers;
        for (const auto &[registerAddress, value] : instrument.Writes())
            registers.append(registerAddress);
        return registers;
    }

    MessageRecorder messages;
    TraceCapture trace;
    InstrumentSimulator line;
    CCommConfig comm;
    CNetworkAddMsgSetup network;
    FSerialProgSetup window;
};

struct FamilyCase
{
    const char *what;
    friend void PrintTo(const FamilyCase &c, std::ostream *os) { *os << c.what; }
    EFamily family;
    int baud;
    qint16 interfaceType;
};

class SerialProgSetupFamilies : public SerialProgSetupTest, public ::testing::WithParamInterface<FamilyCase>
{
protected:
    // The instrument for the configuration at address 9, with the case's rate and interface.
    SimInstrument &InstrumentOfTheCase(qint32 id)
    {
        comm.SetInterfaceType(GetParam().interfaceType);
        network.SetNetworkAdd(9);
        return InstrumentFor(id, 9, GetParam().baud);
    }
};

TEST_P(SerialProgSetupFamilies, ReadStoresTheInstrumentsConfigurationInRecord2)
{
    const FamilyCase &c = GetParam();
    const qint32 source = AddDistinct(c.family);
    SimInstrument &instrument = InstrumentOfTheCase(source);
    instrument.SetImage(ImageOf(source));
    // The address and baud words read as what the instrument runs at.
    instrument.SetAddress(9);
    instrument.SetBaud(c.baud);

    CModInstr declared; // a read ignores the modules the user declared
    ASSERT_TRUE(Run(CTransferWindow::kActionRead, CArchive::kActualSettingID, &declared));

    EXPECT_TRUE(messages.Shown().isEmpty());
    EXPECT_TRUE(instrument.Writes().isEmpty());
    CConfiguration expected;
    expected.Load(source);
    expected.SerialComm().SetNetworkAdd(9);
    expected.SerialComm().SetBaudRate(qint16(SimInstrument::CodeOfBaud(c.baud)));
    CConfiguration read;
    read.Load(CArchive::kActualSettingID);
    EXPECT_EQ(CarriedValues(read, c.family), CarriedValues(expected, c.family));
    EXPECT_EQ(read.ModInstr().NomeProgramma(), LoadResString(617));
    CModInstr detected;
    detected.SetCodificaModuli(qint16(StoredCode(source) |
                                      (CModInstr::IsQEM(StoredCode(source)) ? 0x0C00 : 0x0800) |
                                      (c.interfaceType == itRS232 ? 0x0100 : 0x0200)));
    EXPECT_EQ(read.ModInstr().CodificaModuli(), detected.CodificaModuli());
    EXPECT_TRUE(QFileInfo::exists(Platform::UserDataDir() + QStringLiteral("/MemoryMap.mem")));
}

TEST_P(SerialProgSetupFamilies, WriteSendsTheImageInItsOrderAndTheBaudRateLast)
{
    const FamilyCase &c = GetParam();
    const qint32 id = AddDistinct(c.family);
    SimInstrument &instrument = InstrumentOfTheCase(id);
    const QVector<qint16> image = ImageOf(id);
    const QString before = ArchiveSnapshot();

    ASSERT_TRUE(Run(CTransferWindow::kActionWrite, id));

    EXPECT_TRUE(messages.Shown().isEmpty());
    QList<quint16> order;
    for (quint16 r = kMemoryMapBaseAddress; r < kImageEnd; ++r)
        if (r != kNetworkAddressRegister && r != kBaudRateRegister)
            order.append(r);
    if (c.family == EFamily::QEM)
        order.append(kColdJunctionRegister);
    if (c.interfaceType == itRS232)
        order.append(kNetworkAddressRegister);
    order.append(kBaudRateRegister);
    EXPECT_EQ(WrittenRegisters(instrument), order);
    // RS 232 moves the instrument to the image's address, and the baud word follows it there.
    const int address = c.interfaceType == itRS232 ? image[86] : 9;
    EXPECT_EQ(instrument.Address(), address);
    EXPECT_EQ(quint8(line.Requests().back()[0]), address);
    EXPECT_EQ(SimInstrument::CodeOfBaud(instrument.Baud()), image[87]);
    QVector<qint16> written = instrument.Image(image.size());
    written[86] = image[86];
    written[87] = image[87];
    EXPECT_EQ(written, image);
    EXPECT_EQ(ArchiveSnapshot(), before);
    EXPECT_TRUE(QFileInfo::exists(Platform::UserDataDir() + QStringLiteral("/MemoryUser.mem")));
    EXPECT_EQ(trace.Lines().contains(QStringLiteral("Programmazione indirizzo di rete")),
              c.interfaceType == itRS232);
}

// Every rate of the search once, both families, both interfaces.
INSTANTIATE_TEST_SUITE_P(Transfers, SerialProgSetupFamilies,
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
    ASSERT_TRUE(Run(CTransferWindow::kActionWrite, id));
    EXPECT_EQ(network.NetworkAdd(), 253);
    EXPECT_EQ(instrument.Writes().size(), 89);
    EXPECT_EQ(line.Requests().front(), ReadRequest(255, kProbeRegister, 1));
}

TEST_F(SerialProgSetupTest, NetworkOfThreeIsWrittenInAscendingOrder)
{
    NetworkOf(3);
    network.SetNetworkAdd(77);
    const qint32 id = AddDistinct(EFamily::QEM);
    QList<SimInstrument *> instruments;
    for (int address = 1; address <= 3; ++address)
        instruments.append(&InstrumentFor(id, address));
    ASSERT_TRUE(Run(CTransferWindow::kActionWrite, id));
    EXPECT_EQ(network.NetworkAdd(), 1);
    QList<int> writeAddresses;
    for (const QByteArray &request : line.Requests())
        if (quint8(request[1]) == rfWriteRegister &&
            (writeAddresses.isEmpty() || writeAddresses.back() != request[0]))
            writeAddresses.append(quint8(request[0]));
    EXPECT_EQ(writeAddresses, (QList<int>{1, 2, 3}));
    for (SimInstrument *instrument : instruments) {
        EXPECT_EQ(instrument->Writes().size(), 89); // 90 words, no network address
        EXPECT_EQ(instrument->Writes().back().first, kBaudRateRegister);
        EXPECT_EQ(instrument->Address(), instruments.indexOf(instrument) + 1);
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

class SerialProgSetupGuards : public SerialProgSetupTest, public ::testing::WithParamInterface<GuardCase>
{};

TEST_P(SerialProgSetupGuards, AnInstrumentThatDoesNotFitIsNeverWritten)
{
    const GuardCase &c = GetParam();
    NetworkOf(3);
    const qint32 id = AddDistinct(EFamily::VABZOB);
    SimInstrument &first = InstrumentFor(id, 1);
    SimInstrument &second = InstrumentFor(id, 2);
    SimInstrument &third = InstrumentFor(id, 3);
    second.SetModuleCode(qint16(StoredCode(id) ^ c.codeChange));
    if (c.probe != 0)
        second.SetProbe(c.probe);

    EXPECT_EQ(Run(CTransferWindow::kActionWrite, id), c.messageId == 0);
    EXPECT_EQ(first.Writes().size(), 88);
    EXPECT_EQ(second.Writes().size(), c.messageId == 0 ? 88 : 0);
    EXPECT_EQ(third.Writes().size(), c.messageId == 0 ? 88 : 0);
    EXPECT_EQ(messages.Ids(), c.messageId == 0 ? QList<int>{} : QList<int>{c.messageId});
    EXPECT_TRUE(messages.AllLinkMessages());
}

INSTANTIATE_TEST_SUITE_P(Guards, SerialProgSetupGuards,
                         ::testing::Values(GuardCase{"other model", qint16(0x1000), 0, 230},
                                           GuardCase{"temperature module for a signal configuration", 0,
                                                     kProbeTemperatureModule, 211},
                                           GuardCase{"other relay module passes", 0x0003, 0, 0}),
                         CaseName());

class SerialProgSetupFailures : public SerialProgSetupTest, public ::testing::WithParamInterface<LinkFault>
{};

TEST_P(SerialProgSetupFailures, AFailedWriteStopsAndTellsWhy)
{
    const qint32 id = AddDistinct(EFamily::VABZOB);
    SimInstrument &instrument = InstrumentFor(id, 1);
    QTimer check; // fails the link once 20 registers are written
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (instrument.Writes().size() >= 20 && check.isActive()) {
            check.stop();
            GetParam().fail(window, line);
        }
    });
    check.start(2);
    EXPECT_FALSE(Run(CTransferWindow::kActionWrite, id));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(messages.Ids(), GetParam().messageId ? QList<int>{GetParam().messageId} : QList<int>{});
    EXPECT_TRUE(messages.AllLinkMessages());
    EXPECT_LT(instrument.Writes().size(), 40);
    EXPECT_FALSE(WrittenRegisters(instrument).contains(kBaudRateRegister));
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

TEST_F(SerialProgSetupTest, NetworkSettingsOutsideTheirRangeEndTheTransferUnsent)
{
    NetworkOf(0);
    const qint32 id = AddDistinct(EFamily::VABZOB);
    InstrumentFor(id, 1);
    EXPECT_FALSE(Run(CTransferWindow::kActionWrite, id));
    EXPECT_EQ(messages.Ids(), QList<int>{212});
    EXPECT_TRUE(line.Requests().isEmpty());
}

TEST_F(SerialProgSetupTest, NoInstrumentAnywhereIsTold)
{
    const qint32 id = AddDistinct(EFamily::VABZOB);
    EXPECT_FALSE(Run(CTransferWindow::kActionWrite, id));
    EXPECT_EQ(messages.Ids(), QList<int>{228});
    EXPECT_EQ(line.Requests().size(), 4);
}

} // namespace
