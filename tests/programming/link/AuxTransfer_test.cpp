// The auxiliary-interface transfer against the simulated instrument, into and out of a real
// archive file.
#include "support/LinkFixtures.h"

#include "common/Error.h"
#include "platform/UserPaths.h"
#include "programming/link/AuxTransfer.h"
#include "programming/memmap/MemMapManager.h"
#include "support/SimAuxLine.h"

#include <QFile>

using MemMap::EFamily;
using ::testing::Contains;
using ::testing::IsEmpty;
using ::testing::Not;

namespace {

constexpr qint32 kRecord2 = CArchive::kActualSettingID;

class AuxTransferTest : public ProcedureTest
{
protected:
    // A configuration of the family in the archive, with the relay module and linearization given.
    static qint32 Store(EFamily family, qint16 slotC = 1, bool linearization = false)
    {
        CConfiguration configuration;
        FillDistinct(configuration, family);
        configuration.ModInstr().SetSlotC(slotC);
        configuration.InOutScale().SetLinearizzazione(linearization ? 1 : 0);
        const qint32 id = g_Connection->NewID();
        configuration.Add(id);
        return id;
    }
    bool Write(qint32 id)
    {
        CAuxTransfer transfer(link, comm, Report());
        const bool done = transfer.Write(id);
        link.CloseRs232(); // as the window does
        return done;
    }
    // A read into record 2 with the modules of configuration id, as the user declared them.
    bool ReadAs(qint32 id)
    {
        CConfiguration declared;
        declared.Load(id);
        CAuxTransfer transfer(link, comm, Report());
        const bool done = transfer.Read(kRecord2, declared.ModInstr().CodificaModuli());
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

struct WriteCase
{
    const char *what;
    EFamily family;
    qint16 slotC;
    bool linearization;
    bool noiseAroundOk;
    int settingsSent;
};

using AuxWrites = ProcedureCases<AuxTransferTest, WriteCase>;

TEST_P(AuxWrites, EverySettingOfTheConfigurationGoesOutBetweenWriteAndEnd)
{
    const WriteCase &c = GetParam();
    sim.Aux().SetFamily(c.family);
    sim.Aux().SetNoiseAroundOk(c.noiseAroundOk);
    EXPECT_TRUE(Write(Store(c.family, c.slotC, c.linearization)));
    EXPECT_THAT(messages, IsEmpty());
    const QStringList requests = Requests();
    ASSERT_EQ(requests.size(), c.settingsSent + 2);
    EXPECT_EQ(requests.first(), QStringLiteral("WRITE"));
    EXPECT_EQ(requests.last(), QStringLiteral("END"));
    EXPECT_EQ(sim.Aux().Commands(), requests.mid(1, c.settingsSent));
    EXPECT_FALSE(requests.join(QLatin1Char('\n')).contains(QStringLiteral("NoSend")));

    const int alarms = c.slotC == 1 ? 1 : c.slotC == 2 ? 2 : c.slotC == 3 ? 4 : 0;
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(requests.filter(QStringLiteral("SP.%1>").arg(n)).size(), n <= alarms ? 9 : 0) << n;
    if (c.family == EFamily::QEM) {
        EXPECT_THAT(requests.filter(QStringLiteral("Lin>")), IsEmpty());
        EXPECT_EQ(requests.at(requests.size() - 2), QStringLiteral("CJC>nAn=23"));
    } else {
        EXPECT_EQ(requests.filter(QStringLiteral("Lin>")).size(), c.linearization ? 34 : 1);
        EXPECT_THAT(requests, Contains(c.linearization ? QStringLiteral("Lin>Lin=YES")
                                                       : QStringLiteral("Lin>Lin=nonE")));
        EXPECT_EQ(requests.at(requests.size() - 2), QStringLiteral("Cnd>Cnd=C3"));
    }
    EXPECT_TRUE(QFile::exists(Platform::UserDataFile(kMemoryUserAuxDump)));
    EXPECT_EQ(operations, QStringList{LoadResString(201)});
}

// Settings sent: 12 head entries (QEM 11), 9 per alarm of the relay module, 8 tail entries,
// QEM's entry 89, and with linearization on (VAB/ZOB) the count and 16 points.
INSTANTIATE_TEST_SUITE_P(
    Families, AuxWrites,
    ::testing::Values(
        WriteCase{"VAB ZOB, Z3, linearization off", EFamily::VABZOB, 1, false, false, 12 + 9 + 8},
        WriteCase{"VAB ZOB, Z8 Z9, linearization on", EFamily::VABZOB, 3, true, false, 12 + 33 + 36 + 8},
        WriteCase{"VAB ZOB, no relays, OK among noise", EFamily::VABZOB, 0, false, true, 12 + 8},
        WriteCase{"QEM, Z5, linearization on", EFamily::QEM, 2, true, false, 11 + 18 + 8 + 1},
        WriteCase{"QEM, KQ, OK among noise", EFamily::QEM, 4, false, true, 11 + 8 + 1}),
    CaseName());

struct RefusalCase
{
    const char *what;
    std::function<void(SimAuxProtocol &)> arrange;
    QString refused; // the command the message names
    QString reply;   // as the trace shows its bytes
};

using AuxRefusals = ProcedureCases<AuxTransferTest, RefusalCase>;

TEST_P(AuxRefusals, ARefusedCommandEndsTheWriteWithItsMessageAndNoEnd)
{
    const qint32 id = Store(EFamily::VABZOB);
    GetParam().arrange(sim.Aux());
    EXPECT_FALSE(Write(id));
    EXPECT_EQ(messages, QList<int>{210});
    EXPECT_EQ(Requests().last(), GetParam().refused);
    EXPECT_THAT(Requests(), Not(Contains(QStringLiteral("END"))));
    EXPECT_THAT(trace.Lines(), Contains(QStringLiteral("Comando ") + GetParam().refused +
                                        QStringLiteral(" non accettato dallo strumento !!!.")));
    EXPECT_THAT(trace.Lines(), Contains(QStringLiteral("Risposta dello strumento:") + GetParam().reply));
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, AuxRefusals,
    ::testing::Values(
        RefusalCase{"ok in lower case", [](SimAuxProtocol &aux) { aux.SetLowerCaseOk(true); },
                    QStringLiteral("PASS>PASS=4321"), QStringLiteral("&h6F &h6B &hD &hA ")},
        RefusalCase{"a setting", [](SimAuxProtocol &aux) { aux.RefuseCommand(QStringLiteral("SCAL>Hi.d=")); },
                    QStringLiteral("SCAL>Hi.d=8.765"), QStringLiteral("&h45 &h72 &h72 &hD &hA ")},
        RefusalCase{"the write mode", [](SimAuxProtocol &aux) { aux.RefuseCommand(QStringLiteral("WRITE")); },
                    QStringLiteral("WRITE"), QStringLiteral("&h45 &h72 &h72 &hD &hA ")}),
    CaseName());

TEST_F(AuxTransferTest, AFullReadStoresTheInstrumentsConfigurationInRecord2)
{
    for (const EFamily family : {EFamily::VABZOB, EFamily::QEM}) {
        sim.Aux().SetFamily(family);
        const qint32 id = Store(family, 3, true);
        ASSERT_TRUE(Write(id));
        ASSERT_TRUE(ReadAs(id));
        EXPECT_EQ(CarriedValues(kRecord2, family), CarriedValues(id, family));
        CConfiguration read;
        read.Load(kRecord2);
        EXPECT_EQ(read.ModInstr().NomeProgramma(), LoadResString(617));
    }
    EXPECT_THAT(messages, IsEmpty());
    EXPECT_TRUE(QFile::exists(Platform::UserDataFile(kMemoryMapAuxDump)));
}

struct BadListingCase
{
    const char *what;
    EFamily instrument;
    EFamily declared;
    std::function<void(SimAuxProtocol &)> arrange;
    QString fault; // empty: the family mismatch, 211
};

using AuxBadListings = ProcedureCases<AuxTransferTest, BadListingCase>;

TEST_P(AuxBadListings, EndTheReadAndLeaveTheArchiveAlone)
{
    const BadListingCase &c = GetParam();
    sim.Aux().SetFamily(c.instrument);
    if (c.arrange)
        c.arrange(sim.Aux());
    const qint32 id = Store(c.declared);
    const QString before = ArchiveSnapshot();
    if (c.fault.isEmpty()) {
        EXPECT_FALSE(ReadAs(id));
        EXPECT_EQ(messages, QList<int>{211});
    } else {
        try {
            ReadAs(id);
            ADD_FAILURE() << "no error";
        } catch (const CError &error) {
            EXPECT_TRUE(error.Description().contains(c.fault)) << error.Description().toStdString();
        }
    }
    EXPECT_TRUE(ArchiveSnapshot() == before);
}

INSTANTIATE_TEST_SUITE_P(
    Listings, AuxBadListings,
    ::testing::Values(BadListingCase{"QEM instrument, VAB declared", EFamily::QEM, EFamily::VABZOB, {}, {}},
                      BadListingCase{"VAB instrument, QEM declared", EFamily::VABZOB, EFamily::QEM, {}, {}},
                      BadListingCase{
                          "a key missing", EFamily::VABZOB, EFamily::VABZOB,
                          [](SimAuxProtocol &aux) { aux.OmitFromListing(QStringLiteral("SCAL>Hi.d=")); },
                          QStringLiteral("Comando SCAL>Hi.d= non presente!!!")},
                      BadListingCase{"a value that is no number", EFamily::QEM, EFamily::QEM,
                                     [](SimAuxProtocol &aux) {
                                         aux.SetSetting(QStringLiteral("S.out>Add="), QStringLiteral("2O1"));
                                     },
                                     QStringLiteral("2O1")}),
    CaseName());

TEST_F(AuxTransferTest, CancelDuringTheReadEndsSilentlyAndStoresNothing)
{
    const qint32 id = Store(EFamily::VABZOB);
    sim.Line().InjectFault(SimFault::Silence, InstrumentSimulator::kAlways);
    CancelWhen([this] { return Requests().contains(QStringLiteral("READ")); });
    const QString before = ArchiveSnapshot();
    EXPECT_FALSE(ReadAs(id));
    EXPECT_THAT(messages, IsEmpty());
    EXPECT_TRUE(ArchiveSnapshot() == before);
}

TEST_F(AuxTransferTest, APortInUseIsToldAndNothingIsSent)
{
    CTapiComm other;
    other.Create();
    ASSERT_TRUE(other.OpenRs232(1, 3, 0));
    EXPECT_FALSE(Write(Store(EFamily::VABZOB)));
    EXPECT_EQ(messages, QList<int>{209});
    EXPECT_THAT(Requests(), IsEmpty());
    EXPECT_THAT(trace.Lines(), Contains(QStringLiteral("Errore nell'apertura della porta seriale")));
}

} // namespace
