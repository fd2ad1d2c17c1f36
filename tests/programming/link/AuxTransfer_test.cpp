// The auxiliary-interface transfer against the simulated instrument, into and out of a real
// archive file.
#include "support/LinkFixtures.h"

#include "common/Error.h"
#include "platform/SerialPortNames.h"
#include "platform/UserPaths.h"
#include "programming/link/AuxTransfer.h"
#include "programming/memmap/AuxCommandTable.h"
#include "programming/memmap/AuxText.h"
#include "programming/memmap/MemMapManager.h"
#include "support/SimAuxLine.h"

using MemMap::EFamily;

namespace {

constexpr qint32 kRecord2 = CArchive::kActualSettingID;

class AuxTransferTest : public ProcedureTest
{
protected:
    bool Write(qint32 id)
    {
        const bool done = CAuxTransfer(link, comm, Report()).Write(id);
        link.CloseRs232(); // as the window does
        return done;
    }
    // A read into record 2 with the modules of configuration id, as the user declared them.
    bool ReadAs(qint32 id)
    {
        const bool done = CAuxTransfer(link, comm, Report()).Read(kRecord2, StoredCode(id));
        link.CloseRs232();
        return done;
    }
    QStringList Requests()
    {
        QStringList requests;
        for (const QByteArray &request : sim.Line().Requests())
            requests.append(QString::fromLatin1(request));
        return requests;
    }

    SimAuxLine sim;
};

struct RoundTrip
{
    const char *what;
    EFamily family;
    int settingsSent; // every entry; QEM: no linearization, but entry 89
};

using AuxRoundTrips = Cases<AuxTransferTest, RoundTrip>;

// Every entry of the image but those it does not send goes out, in order, between WRITE and
// END; read back, the instrument's settings land in record 2. Each way leaves its dump.
TEST_P(AuxRoundTrips, TheImageGoesOutBetweenWriteAndEndAndReadsBackIntoRecord2)
{
    const RoundTrip &c = GetParam();
    sim.Aux().SetFamily(c.family);
    const qint32 id = AddDistinct(c.family);
    ASSERT_TRUE(Write(id));
    const auto manager = ManagerFor(StoredCode(id), id);
    manager->ConvertUserSetupToMemoryMapAux();
    QStringList expected{"WRITE"};
    for (int i = 0; i < manager->WordCount(); ++i)
        if (manager->AuxEntry(i) != MemMap::kNoSend)
            expected.append(MemMap::AuxCommand(c.family, i, manager->AuxEntry(i)));
    expected.append("END");
    EXPECT_EQ(std::pair(Requests().size(), Requests()), std::pair(qsizetype(c.settingsSent + 2), expected));
    ASSERT_TRUE(ReadAs(id));
    EXPECT_EQ(CarriedValues(kRecord2, c.family), CarriedValues(id, c.family));
    EXPECT_EQ(std::pair(messages, operations),
              std::pair(QList<int>{}, QStringList{LoadResString(201), LoadResString(203)}));
    EXPECT_TRUE(QFile::exists(Platform::UserDataFile(kMemoryUserAuxDump)) &&
                QFile::exists(Platform::UserDataFile(kMemoryMapAuxDump)));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Families, AuxRoundTrips, ::testing::Values(
    RoundTrip{"VAB ZOB", EFamily::VABZOB, 89},
    RoundTrip{"QEM", EFamily::QEM, 56}), CaseName());
// clang-format on

// Below the message, what the instrument may hold: once a setting has gone, part of the new
// configuration, even when the setting itself seems refused (an acknowledgement it does not
// know may follow a setting it stored, as the first case's does).
struct RefusalCase
{
    const char *what;
    std::function<void(SimAuxProtocol &)> arrange;
    QString refused; // the command the message names
    QString reply;   // as the trace shows its bytes
    int stateId;
};

using AuxRefusals = Cases<AuxTransferTest, RefusalCase>;

TEST_P(AuxRefusals, ARefusedCommandEndsTheWriteWithItsMessageAndNoEnd)
{
    const RefusalCase &c = GetParam();
    const qint32 id = AddDistinct(EFamily::VABZOB);
    c.arrange(sim.Aux());
    EXPECT_FALSE(Write(id));
    EXPECT_EQ(std::pair(messageTexts, Requests().last()),
              std::pair(QStringList{LoadResStringArgs(210, {c.refused}) + "\n\r" + LoadResString(c.stateId)},
                        c.refused));
    EXPECT_THAT(trace.Lines(),
                ::testing::IsSupersetOf({"Comando " + c.refused + " non accettato dallo strumento !!!.",
                                         "Risposta dello strumento:" + c.reply}));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Refusals, AuxRefusals, ::testing::Values(
    RefusalCase{"ok in lower case", [](SimAuxProtocol &aux) { aux.SetAcknowledgement("ok\r\n"); }, "PASS>PASS=4321", "&h6F &h6B &hD &hA ", 891},
    RefusalCase{"a setting", [](SimAuxProtocol &aux) { aux.RefuseCommand("SCAL>Hi.d="); }, "SCAL>Hi.d=8.765", "&h45 &h72 &h72 &hD &hA ", 891},
    RefusalCase{"the write mode", [](SimAuxProtocol &aux) { aux.RefuseCommand("WRITE"); }, "WRITE", "&h45 &h72 &h72 &hD &hA ", 892}),
    CaseName());
// clang-format on

// An instrument that stops answering ends the write as a refusal does, with what it may hold:
// nothing changed while the write mode was not yet open, part of the configuration from the
// first setting on. The user's cancel ends it with nothing more sent, silently before the first
// setting, and after it with what the instrument may hold.
struct StopCase
{
    const char *what;
    QByteArray stopped; // the start of the command left unanswered, or answered and then cancelled
    bool cancel;
    int messageId; // 0: none
    int stateId;
};

using AuxStops = Cases<AuxTransferTest, StopCase>;

TEST_P(AuxStops, AWriteStoppedHalfWaySaysWhatTheInstrumentMayHold)
{
    const StopCase &c = GetParam();
    const auto stopped = [&c](const QByteArray &request) { return request.startsWith(c.stopped); };
    if (c.cancel)
        QObject::connect(&sim.Line(), &InstrumentSimulator::RequestHeard, &sim.Line(),
                         [&](const QByteArray &request) {
                             if (stopped(request))
                                 link.CancelTxRx(true);
                         });
    else
        sim.Line().InjectFault(
            {SimFault::Silence, InstrumentSimulator::kAlways, InstrumentSimulator::kAnyAddress, 0, stopped});
    EXPECT_FALSE(Write(AddDistinct(EFamily::VABZOB)));
    EXPECT_EQ(std::pair(messageTexts, Requests().last().toLatin1().startsWith(c.stopped)),
              std::pair(c.messageId == 0
                            ? QStringList()
                            : QStringList{LoadResString(c.messageId) + "\n\r" + LoadResString(c.stateId)},
                        true));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Stops, AuxStops, ::testing::Values(
    StopCase{"silent from the write mode", "WRITE", false, 207, 892},
    StopCase{"silent from the first setting", "PASS>PASS=", false, 207, 891},
    StopCase{"cancelled at the write mode", "WRITE", true, 0, 0},
    StopCase{"cancelled at the first setting", "PASS>PASS=", true, 903, 891}), CaseName());
// clang-format on

// A read that cannot be stored: the message it brings (0: none) or the fault its CError names.
struct BadRead
{
    const char *what;
    EFamily instrument, declared;
    std::function<void(SimAuxLine &, CTapiComm &)> arrange;
    int messageId;
    QString fault;
};

using AuxBadReads = Cases<AuxTransferTest, BadRead>;

TEST_P(AuxBadReads, EndTheReadAndLeaveTheArchiveAlone)
{
    const BadRead &c = GetParam();
    sim.Aux().SetFamily(c.instrument);
    if (c.arrange)
        c.arrange(sim, link);
    const qint32 id = AddDistinct(c.declared);
    const QStringList before = ArchiveRows();
    QString error;
    try {
        EXPECT_FALSE(ReadAs(id));
    } catch (const CError &thrown) {
        error = thrown.Description();
    }
    EXPECT_TRUE(c.fault.isEmpty() ? error.isEmpty() : error.contains(c.fault)) << error.toStdString();
    EXPECT_EQ(messages, c.messageId == 0 ? QList<int>{} : QList<int>{c.messageId});
    EXPECT_TRUE(ArchiveRows() == before);
}

const auto kCancelWhileAwaited = [](SimAuxLine &sim, CTapiComm &link) {
    sim.Line().InjectFault(SimFault::Silence, InstrumentSimulator::kAlways);
    QObject::connect(&sim.Line(), &InstrumentSimulator::RequestHeard, &link,
                     [&link] { link.CancelTxRx(true); });
};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Listings, AuxBadReads, ::testing::Values(
    BadRead{"QEM instrument, VAB declared", EFamily::QEM, EFamily::VABZOB, {}, 211, {}},
    BadRead{"VAB instrument, QEM declared", EFamily::VABZOB, EFamily::QEM, {}, 211, {}},
    BadRead{"a key missing", EFamily::VABZOB, EFamily::VABZOB, [](SimAuxLine &sim, CTapiComm &) { sim.Aux().OmitFromListing("SCAL>Hi.d="); },
            0, "Comando SCAL>Hi.d= non presente!!!"},
    BadRead{"a value that is no number", EFamily::QEM, EFamily::QEM, [](SimAuxLine &sim, CTapiComm &) { sim.Aux().SetSetting("S.out>Add=", "2O1"); },
            0, "2O1"},
    BadRead{"cancel while the listing is awaited", EFamily::VABZOB, EFamily::VABZOB, kCancelWhileAwaited, 0, {}}), CaseName());
// clang-format on

// The message names the port, its device and why it did not open, and that the instrument was
// not changed.
TEST_F(AuxTransferTest, APortInUseIsToldAndNothingIsSent)
{
    CTapiComm other;
    other.Create();
    ASSERT_TRUE(other.OpenRs232(1, 3, 0));
    EXPECT_FALSE(Write(AddDistinct(EFamily::VABZOB)));
    const QString told = LoadResStringArgs(213, {"COM1", Platform::SerialDeviceName(0), LoadResString(218)}) +
                         "\n\r" + LoadResString(892);
    EXPECT_EQ(std::pair(messageTexts, Requests()), std::pair(QStringList{told}, QStringList{}));
    EXPECT_TRUE(trace.Lines().contains("Errore nell'apertura della porta seriale"));
}

} // namespace
