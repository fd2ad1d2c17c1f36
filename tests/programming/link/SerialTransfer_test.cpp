// The transfer over register frames against simulated instruments, into and out of a real
// archive file.
#include "support/LinkFixtures.h"

#include "platform/SerialPortNames.h"
#include "platform/SettingsStore.h"
#include "programming/link/InterfaceTypes.h"
#include "programming/link/SerialTransfer.h"

#include <QFile>
#include <QTemporaryDir>

using MemMap::EFamily;

namespace {

constexpr int kAny = InstrumentSimulator::kAnyAddress;
constexpr int kAlways = InstrumentSimulator::kAlways;
const auto kWrite = [](CSerialTransfer &transfer, qint64 id) { return transfer.Write(id); };
const auto kRead = [](CSerialTransfer &transfer, qint64 id) { return transfer.Read(id); };

class SerialTransferTest : public ProcedureTest
{
protected:
    void SetUp() override
    {
        ProcedureTest::SetUp();
        line.AttachAsPort(1);
        comm.SetInterfaceType(itRS232);
        network.SetSelNetworkAdd(1); // manual address 1
        network.SetNetworkAdd(1);
    }
    void NetworkOf(qint16 count)
    {
        comm.SetInterfaceType(itRS485);
        network.SetModeConfig(1);
        network.SetTotalInstrNetwork(count);
    }
    bool Run(bool (*transfer)(CSerialTransfer &, qint64), qint64 id = CArchive::kActualSettingID)
    {
        CSerialTransfer procedure(link, comm, network, Report());
        const bool done = transfer(procedure, id);
        link.CloseRs232(); // as the window does
        return done;
    }
    // The image the archive's configuration makes; an instrument that holds it (AddInstrumentWith).
    static QVector<qint16> ImageOf(qint32 id) { return ImageWords(StoredCode(id), id); }
    SimInstrument &InstrumentFor(qint32 id, int address, int baud = 38400)
    {
        return AddInstrumentWith(line, StoredCode(id), id, address, baud);
    }

    InstrumentSimulator line;
};

struct RoundTrip
{
    const char *what;
    EFamily family;
    int baud;
    qint16 interfaceType;
};

using SerialRoundTrips = Cases<SerialTransferTest, RoundTrip>;

// The configuration goes to the instrument at address 9, found at the case's rate: the image,
// then over RS 232 the address word, which moves the instrument, and last the baud word, at
// the new address. Put back at 9, the instrument is read into record 2, with the modules the
// probe and the interface tell.
TEST_P(SerialRoundTrips, WriteSendsTheAddressAndBaudWordsLastAndReadBringsTheImageBack)
{
    const RoundTrip &c = GetParam();
    const bool rs232 = c.interfaceType == itRS232;
    comm.SetInterfaceType(c.interfaceType);
    network.SetNetworkAdd(9);
    const qint32 id = AddDistinct(c.family);
    SimInstrument &instrument = InstrumentFor(id, 9, c.baud);
    const QStringList before = ArchiveRows();
    ASSERT_TRUE(Run(kWrite, id));
    QList<quint16> order;
    for (const auto &[registerAddress, value] : instrument.Writes())
        order.append(registerAddress);
    const qsizetype n = MemMap::WordCount(c.family) - (rs232 ? 0 : 1);
    EXPECT_EQ(
        std::tuple(order.size(), order.indexOf(kNetworkAddressRegister), order.indexOf(kBaudRateRegister)),
        std::tuple(n, rs232 ? n - 2 : -1, n - 1));
    QVector<qint16> image = ImageOf(id);
    image[86] = rs232 ? image[86] : qint16(9);
    EXPECT_EQ(instrument.Image(int(image.size())), image);
    EXPECT_TRUE(ArchiveRows() == before);

    instrument.SetAddress(9);
    instrument.SetBaud(c.baud);
    ASSERT_TRUE(Run(kRead));
    CModInstr detected;
    detected.SetCodificaModuli(qint16(StoredCode(id) |
                                      (c.family == EFamily::QEM ? SlotAModule::QEM : SlotAModule::ZOB)
                                          << ModuleCodeBits::SlotAShift |
                                      (rs232 ? ModuleCodeBits::SlotBZQ : ModuleCodeBits::SlotBQZ)));
    CConfiguration read;
    read.Load(CArchive::kActualSettingID);
    EXPECT_EQ(std::tuple(read.ModInstr().NomeProgramma(), read.ModInstr().CodificaModuli(),
                         ImageOf(CArchive::kActualSettingID)),
              std::tuple(LoadResString(617), detected.CodificaModuli(), instrument.Image(int(image.size()))));
    EXPECT_EQ(operations,
              QStringList({LoadResString(200), LoadResString(201), LoadResString(200), LoadResString(203)}));
    EXPECT_TRUE(messages.isEmpty());
}

// Every rate of the search once, both families, both interfaces.
INSTANTIATE_TEST_SUITE_P(Transfers, SerialRoundTrips,
                         ::testing::Values(RoundTrip{"VABZOB_38400_RS232", EFamily::VABZOB, 38400, itRS232},
                                           RoundTrip{"QEM_19200_RS485", EFamily::QEM, 19200, itRS485},
                                           RoundTrip{"QEM_9600_RS232", EFamily::QEM, 9600, itRS232},
                                           RoundTrip{"VABZOB_4800_RS485", EFamily::VABZOB, 4800, itRS485}),
                         CaseName());

// Something that keeps a write to a network of three from going on at instrument 2: before it
// is written (it does not fit the configuration, refuses the read of its modules, or the user
// cancels) or once its first 20 words are (the port goes away, replies fail, the instrument
// refuses a word, or the user cancels); the message it brings (0: none), which says below what
// instrument 2, named by its address, may now hold, and that instrument 1 was written whole: a
// cancel too, since the network is no longer what the user left.
struct StopCase
{
    const char *what;
    bool halfWay;
    int messageId;
    std::function<void(SimInstrument &second, InstrumentSimulator &, CTapiComm &)> stop;
    int stateId = 0; // 904 or 905 for address 2, above the line of the addresses written
};

using SerialStops = Cases<SerialTransferTest, StopCase>;

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
    const bool written = c.messageId == 0 && !c.halfWay;
    EXPECT_EQ(Run(kWrite, id), written);
    EXPECT_EQ(messages, c.messageId == 0 ? QList<int>{} : QList<int>{c.messageId});
    const QString stateLine =
        c.stateId == 0 ? QString() : QStringLiteral("\n\r") + LoadResStringArgs(c.stateId, {2});
    for (const QString &text : messageTexts)
        EXPECT_TRUE(text.endsWith(stateLine + QStringLiteral("\n\r") + LoadResStringArgs(901, {2, "1"})))
            << text.toStdString();
    // Stopped half-way: never on to the address and baud words, the last two.
    const qsizetype writes = second.Writes().size();
    EXPECT_TRUE(c.halfWay
                    ? writes >= 20 && writes < 24 && second.Writes().last().first < kNetworkAddressRegister
                    : writes == (written ? 88 : 0));
    EXPECT_EQ(std::pair(line.Instrument(1)->Writes().size(), line.Instrument(3)->Writes().size()),
              std::pair(qsizetype(88), qsizetype(written ? 88 : 0)));
}

const auto kFlip = [](quint16 bits) {
    return [bits](SimInstrument &second, auto &, auto &) {
        second.SetModuleCode(qint16(second.Register(kModuleCodeRegister) ^ bits));
    };
};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Stops, SerialStops, ::testing::Values(
    StopCase{"other model", false, 230, kFlip(ModuleCodeBits::ModelIXO ^ ModuleCodeBits::ModelEKA40), 904},
    StopCase{"temperature module (probe 28)", false, 211, [](auto &second, auto &, auto &) { second.SetProbe(28); }, 904},
    StopCase{"other relay module passes", false, 0, kFlip(ModuleCodeBits::RelayZ8Z9 ^ ModuleCodeBits::RelayZ3)},
    StopCase{"modules refused", false, 895, [](auto &, auto &line, auto &) {
        line.InjectFault({SimFault::Exception, 1, 2, 0, InstrumentSimulator::ForRegister(kModuleBlockRegister)}); }, 904},
    StopCase{"cancel at its modules", false, 903, [](auto &, InstrumentSimulator &line, CTapiComm &link) {
        QObject::connect(&line, &InstrumentSimulator::RequestHeard, &line,
                         [&link](const QByteArray &request) { if (request.at(0) == 2) link.CancelTxRx(true); }); }, 904},
    StopCase{"port lost", true, 890, [](auto &, InstrumentSimulator &line, auto &) { line.HangUp(); }, 905},
    StopCase{"word refused", true, 893, [](auto &, auto &line, auto &) { line.InjectFault(SimFault::Exception); }, 905},
    StopCase{"CRC error", true, 215, [](auto &, auto &line, auto &) { line.InjectFault(SimFault::BadCrc, kAlways); }, 905},
    StopCase{"cancel", true, 903, [](auto &, auto &, CTapiComm &link) { link.CancelTxRx(true); }, 905}), CaseName());
// clang-format on

// Whatever ends a write before its first word, over either interface, alone or on a network:
// an image the instrument cannot take, settings the search refuses, a port that does not open,
// an instrument that does not fit the configuration. The message says that the instrument was
// not changed, and on a network which one (or all of them, before any is addressed) and which
// instruments before it were written whole.
struct UnchangedCase
{
    const char *what;
    qint16 interfaceType;
    int network; // network mode over that many instruments; 0: one instrument at address 1
    int failing; // the address the write ends at, those before it written whole
    int messageId;
    std::function<void(qint32 id, SimInstrument &failing, CNetworkAddMsgSetup &)> arrange;
    QVariantList args = {}; // of the message
};

using SerialUnchangedWrites = Cases<SerialTransferTest, UnchangedCase>;

TEST_P(SerialUnchangedWrites, AWriteEndedBeforeItsFirstWordSaysNothingHasChanged)
{
    const UnchangedCase &c = GetParam();
    comm.SetInterfaceType(c.interfaceType);
    network.SetModeConfig(c.network == 0 ? 0 : 1);
    network.SetTotalInstrNetwork(qint16(c.network));
    const qint32 id = AddDistinct(EFamily::VABZOB);
    for (int address = 1; address <= std::max(c.network, 1); ++address)
        InstrumentFor(id, address);
    c.arrange(id, *line.Instrument(c.failing), network);
    EXPECT_FALSE(Run(kWrite, id));
    // The image and the search come before any instrument of the network is addressed.
    const bool noneAddressed = c.messageId == 212 || c.messageId == 213;
    QString expected = LoadResStringArgs(c.messageId, c.args) + "\n\r" +
                       (c.network == 0  ? LoadResString(892)
                        : noneAddressed ? LoadResString(906)
                                        : LoadResStringArgs(904, {c.failing}));
    if (c.network != 0)
        expected += "\n\r" + (c.failing == 1 ? LoadResString(902) : LoadResStringArgs(901, {c.failing, "1"}));
    EXPECT_EQ(messageTexts, QStringList{expected});
    for (int address = 1; address <= std::max(c.network, 1); ++address)
        EXPECT_EQ(line.Instrument(address)->Writes().size(), address < c.failing ? 88 : 0) << address;
}

const auto kOtherModel = [](qint32, SimInstrument &failing, auto &) {
    failing.SetModuleCode(qint16(failing.Register(kModuleCodeRegister) ^ ModuleCodeBits::ModelIXO ^
                                 ModuleCodeBits::ModelEKA40));
};
const auto kTemperatureModule = [](qint32, SimInstrument &failing, auto &) { failing.SetProbe(28); };
const auto kAddressWord = [](qint16 address) {
    return [address](qint32 id, auto &, auto &) {
        g_Connection->Run(QStringLiteral("UPDATE CSerialComm SET m_NetworkAdd = %1 WHERE IDProgramma = %2")
                              .arg(address)
                              .arg(id));
    };
};
const QString kMissingDevice = QStringLiteral("/dev/ttyIXO-missing");

// clang-format off
INSTANTIATE_TEST_SUITE_P(BeforeTheFirstWord, SerialUnchangedWrites, ::testing::Values(
    UnchangedCase{"other model, RS 232", itRS232, 0, 1, 230, kOtherModel},
    UnchangedCase{"other model, RS 485", itRS485, 0, 1, 230, kOtherModel},
    UnchangedCase{"other model, network instrument 2", itRS485, 3, 2, 230, kOtherModel},
    UnchangedCase{"temperature module, RS 232", itRS232, 0, 1, 211, kTemperatureModule},
    UnchangedCase{"temperature module, RS 485", itRS485, 0, 1, 211, kTemperatureModule},
    UnchangedCase{"temperature module, network instrument 1", itRS485, 2, 1, 211, kTemperatureModule},
    UnchangedCase{"address word 0, RS 232", itRS232, 0, 1, 212, kAddressWord(0)},
    UnchangedCase{"address word 256, RS 232 network", itRS232, 2, 1, 212, kAddressWord(256)},
    UnchangedCase{"manual address 0, RS 485", itRS485, 0, 1, 212, [](auto, auto &, auto &network) { network.SetNetworkAdd(0); }},
    UnchangedCase{"network of none, RS 485", itRS485, 2, 1, 212, [](auto, auto &, auto &network) { network.SetTotalInstrNetwork(0); }},
    UnchangedCase{"port missing, network", itRS485, 2, 1, 213, [](auto, auto &, auto &) {
        Platform::WriteSetting(QStringLiteral("Ports"), QStringLiteral("COM1"), kMissingDevice); },
        {"COM1", kMissingDevice, LoadResString(216)}}), CaseName());
// clang-format on

// A network larger than the instruments present: the first silent address ends the write, and
// the message says that the silent one was not changed, by its address, and which addresses
// were written whole.
TEST_F(SerialTransferTest, ANetworkWriteTellsWhichAddressesItWroteWhole)
{
    NetworkOf(5);
    const qint32 id = AddDistinct(EFamily::VABZOB);
    for (int address = 1; address <= 3; ++address)
        InstrumentFor(id, address);
    EXPECT_FALSE(Run(kWrite, id));
    EXPECT_EQ(messageTexts, QStringList{LoadResString(207) + "\n\r" + LoadResStringArgs(904, {4}) + "\n\r" +
                                        LoadResStringArgs(901, {4, "1-3"})});
}

// A write cut where the last answer never came right tells, below its message, what the
// instrument may hold: before the first word nothing has changed; from the first word on the
// instrument may hold part of the image, since a lost or spoilt answer may follow a word it
// stored (too late or garbled, it did store it here), whereas a refused word was not taken
// (Refusals).
struct CutCase
{
    const char *what;
    SimFault fault; // on every request of the register, a late answer coming after 1 s
    quint16 faulty;
    int messageId;
    int stateId;
    bool stored; // whether the instrument stored a word
};

using SerialCutWrites = Cases<SerialTransferTest, CutCase>;

TEST_P(SerialCutWrites, AWriteCutByItsRepliesSaysWhetherTheInstrumentMayHoldPartOfIt)
{
    const CutCase &c = GetParam();
    const qint32 id = AddDistinct(EFamily::VABZOB);
    const SimInstrument &instrument = InstrumentFor(id, 1);
    line.InjectFault({c.fault, kAlways, kAny, 1000, InstrumentSimulator::ForRegister(c.faulty)});
    EXPECT_FALSE(Run(kWrite, id));
    EXPECT_EQ(messageTexts, QStringList{LoadResString(c.messageId) + "\n\r" + LoadResString(c.stateId)});
    EXPECT_EQ(!instrument.Writes().isEmpty(), c.stored);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cuts, SerialCutWrites, ::testing::Values(
    CutCase{"modules unanswered", SimFault::Silence, kModuleBlockRegister, 207, 892, false},
    CutCase{"modules garbled", SimFault::BadCrc, kModuleBlockRegister, 215, 892, false},
    CutCase{"first word unanswered", SimFault::Silence, kMemoryMapBaseAddress, 207, 891, false},
    CutCase{"first word answered too late", SimFault::Late, kMemoryMapBaseAddress, 207, 891, true},
    CutCase{"first word garbled", SimFault::BadCrc, kMemoryMapBaseAddress, 215, 891, true},
    CutCase{"word 40 unanswered", SimFault::Silence, kMemoryMapBaseAddress + 40, 207, 891, true},
    CutCase{"word 40 garbled", SimFault::BadCrc, kMemoryMapBaseAddress + 40, 215, 891, true}), CaseName());
// clang-format on

// The instrument refuses one request with its exception reply: the exchange ends at once, the
// request sent once and no time-out waited for, nothing sent after it, and the message names the
// register (the run of a read), the value a write sent and what the code means, and below it
// whether the instrument may hold part of the configuration (a write's words went before the
// refused one) or was not changed. The search takes a refusal for an answer: the probe is
// refused there too in the last case.
struct RefusalCase
{
    const char *what;
    bool write;
    quint16 refused; // the register of the refused request
    int times;       // requests of that register refused
    quint8 code;
    int messageId;
    QVariantList args; // of the message; a write's value is added from the image
    int stateId;
};

using SerialRefusals = Cases<SerialTransferTest, RefusalCase>;

TEST_P(SerialRefusals, TheInstrumentsRefusalEndsTheTransferAtOnceAndIsNamed)
{
    const RefusalCase &c = GetParam();
    const qint32 id = AddDistinct(EFamily::VABZOB);
    InstrumentFor(id, 1);
    const auto refused = InstrumentSimulator::ForRegister(c.refused);
    line.InjectFault({SimFault::Exception, c.times, kAny, 0, refused, c.code});
    QVariantList args = c.args;
    if (c.write)
        args.insert(1, ImageOf(id).at(c.refused - kMemoryMapBaseAddress));
    EXPECT_FALSE(Run(c.write ? kWrite : kRead, id));
    EXPECT_EQ(messageTexts,
              QStringList{LoadResStringArgs(c.messageId, args) + "\n\r" + LoadResString(c.stateId)});
    EXPECT_EQ(std::pair(std::count_if(line.Requests().begin(), line.Requests().end(), refused),
                        refused(line.Requests().last())),
              std::pair(qsizetype(c.times), true));
    EXPECT_TRUE(trace.Lines().filter(QStringLiteral("Errore di timeout")).isEmpty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Refusals, SerialRefusals, ::testing::Values(
    RefusalCase{"word 10, illegal data value", true, kMemoryMapBaseAddress + 10, 1, 3, 893, {"0xE00A", LoadResString(898)}, 891},
    RefusalCase{"the first word, illegal data value", true, kMemoryMapBaseAddress, 1, 3, 893, {"0xE000", LoadResString(898)}, 892},
    RefusalCase{"the baud word, device failure", true, kBaudRateRegister, 1, 4, 893, {"0xE057", LoadResString(899)}, 891},
    RefusalCase{"block 2, illegal data address", false, kMemoryMapBaseAddress + 20, 1, 2, 895, {"0xE014", "0xE01E", LoadResString(897)}, 892},
    RefusalCase{"the probe, code 7", false, kProbeRegister, 2, 7, 894, {"0x000B", LoadResStringArgs(900, {7})}, 892}), CaseName());
// clang-format on

// A port that goes away is told with its port, its device and why (here the device's name has
// gone with it), and whether the instrument may now hold part of the configuration: only once a
// word of a write has gone.
struct LostCase
{
    const char *what;
    bool write;
    std::function<bool(InstrumentSimulator &)> lose; // when, as each request is heard
    int changedId;
};

using SerialPortsLost = Cases<SerialTransferTest, LostCase>;

TEST_P(SerialPortsLost, APortLostIsToldWithItsDeviceAndWhatTheInstrumentHolds)
{
    const LostCase &c = GetParam();
    const qint32 id = AddDistinct(EFamily::QEM);
    InstrumentFor(id, 1);
    QTemporaryDir dir;
    const QString device = dir.filePath(QStringLiteral("ttyIXO"));
    ASSERT_TRUE(QFile::link(Platform::SerialDeviceName(0), device));
    Platform::WriteSetting(QStringLiteral("Ports"), QStringLiteral("COM1"), device);
    QObject::connect(&line, &InstrumentSimulator::RequestHeard, [&] {
        if (c.lose(line)) {
            line.HangUp();
            QFile::remove(device);
        }
    });
    EXPECT_FALSE(Run(c.write ? kWrite : kRead, id));
    EXPECT_EQ(messageTexts, QStringList{LoadResStringArgs(
                                890, {"COM1", device, LoadResString(216), LoadResString(c.changedId)})});
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Lost, SerialPortsLost, ::testing::Values(
    LostCase{"during the search", false, [](auto &line) { return line.Requests().size() == 1; }, 892},
    LostCase{"during the read", false, [](auto &line) { return line.Requests().size() == 5; }, 892},
    LostCase{"during the write", true, [](auto &line) { return line.Instrument(1)->Writes().size() == 20; }, 891}), CaseName());
// clang-format on

// The answer owed to the second send of block 2 crosses into the read of block 3 (held until the
// next request, whatever the link waits): block 3 would be stored shifted, with no message.
TEST_F(SerialTransferTest, ABlockThatDoesNotJoinTheOneBeforeRefusesTheRead)
{
    InstrumentFor(AddDistinct(EFamily::VABZOB), 1);
    const auto block2 = InstrumentSimulator::ForRegister(kMemoryMapBaseAddress + 20);
    line.InjectFault({SimFault::Late, 1, kAny, 400, block2});
    line.InjectFault({SimFault::Late, 1, kAny, InstrumentSimulator::kUntilNextRequest, block2});
    const QStringList before = ArchiveRows();
    EXPECT_FALSE(Run(kRead));
    EXPECT_EQ(std::pair(messages, ArchiveRows()), std::pair(QList<int>{206}, before));
}

// The baud-rate word may be answered at the new rate (garbled at the old one) or not at all:
// either way it goes out once and the write is done.
TEST_F(SerialTransferTest, TheBaudRateWordGoesOutOnceWhateverItsAnswer)
{
    const qint32 id = AddDistinct(EFamily::VABZOB);
    SimInstrument &instrument = InstrumentFor(id, 1);
    const auto baudWord = InstrumentSimulator::ForRegister(kBaudRateRegister);
    for (const SimFault fault : {SimFault::BadCrc, SimFault::Silence}) {
        line.InjectFault({fault, 1, kAny, 0, baudWord});
        EXPECT_TRUE(Run(kWrite, id));
        instrument.SetAddress(1);
        instrument.SetBaud(38400);
    }
    EXPECT_EQ(std::count_if(line.Requests().begin(), line.Requests().end(), baudWord), 2);
    EXPECT_TRUE(messages.isEmpty());
}

// A port whose device is not there is a port problem, told with the port and its device, not
// an instrument that does not answer; no other rate is tried.
TEST_F(SerialTransferTest, APortWhoseDeviceIsMissingIsToldAsSuch)
{
    const QString device = QStringLiteral("/dev/ttyIXO-missing");
    Platform::WriteSetting(QStringLiteral("Ports"), QStringLiteral("COM1"), device);
    EXPECT_FALSE(Run(kRead));
    EXPECT_EQ(messageTexts, QStringList{LoadResStringArgs(213, {"COM1", device, LoadResString(216)})});
}

// A read stores whatever address the instrument reports; an RS 232 write would send it on.
// With nobody answering: the search's four probes and 228.
TEST_F(SerialTransferTest, NothingGoesOutWithAnAddressWordOutside1To255)
{
    const qint32 id = AddDistinct(EFamily::VABZOB);
    for (const int address : {0, 256}) {
        Exec(QStringLiteral("UPDATE CSerialComm SET m_NetworkAdd = %1").arg(address));
        EXPECT_FALSE(Run(kWrite, id));
    }
    EXPECT_TRUE(line.Requests().isEmpty());
    EXPECT_FALSE(Run(kWrite, AddDistinct(EFamily::VABZOB)));
    EXPECT_EQ(std::pair(line.Requests().size(), messages),
              std::pair(qsizetype(4), QList<int>{212, 212, 228}));
}

// A network read asks instrument 1 only: the network size is not used, so not checked.
TEST_F(SerialTransferTest, ANetworkReadIgnoresTheNetworkSize)
{
    NetworkOf(0);
    InstrumentFor(AddDistinct(EFamily::QEM), 1);
    EXPECT_TRUE(Run(kRead));
    EXPECT_TRUE(messages.isEmpty());
}

} // namespace
