// The link end to end: CTapiComm, the serial port layer and a simulated line; the tray icon it shows.
#include "support/LinkFixtures.h"

#include "common/Error.h"
#include "common/widgets/TrayIcon.h"
#include "programming/link/AuxExchange.h"
#include "programming/link/AuxProtocol.h"
#include "support/SimAuxLine.h"

#include <QApplication>
#include <QPointer>
#include <QStyle>
#include <QTest>

namespace {

const QByteArray kProbe = ReadRequest(1, kProbeRegister, 1);
constexpr int kAny = InstrumentSimulator::kAnyAddress;
constexpr int kAlways = InstrumentSimulator::kAlways;
constexpr qint16 kCode = qint16(ModuleCodeBits::ModelIXO | ModuleCodeBits::SlotAMask);

// One read as a line of tests/data/link_exchanges.tsv describes it.
using LinkExchange = Cases<LinkFixture, QStringList>;

TEST_P(LinkExchange, EndsAsTheFirstLimitReachedDecides)
{
    const QStringList &f = GetParam();
    const auto fault =
        SimFault(QStringList{"Silence", "BadCrc", "Late", "Split", "ForeignAddress"}.indexOf(f[1]));
    const auto ends = qint32(QStringList{"None", "UART", "TimeOut", "Cancelled", "CRC"}.indexOf(f[7]));
    line.AddInstrument(1).SetModuleCode(kCode);
    if (f[2] != "0")
        line.InjectFault(
            {fault, f[2] == "always" ? kAlways : f[2].toInt(), kAny, fault == SimFault::Late ? 1000 : 30});
    ASSERT_TRUE(Open());
    link.SetTimeOutRx(qint16(f[5].toInt()));
    link.SetMaxErrorTimeOut(qint16(f[6].toInt()));
    QTimer::singleShot(0, &link, [&] {
        for (int i = 0; i < f[3].toInt(); ++i)
            Q_EMIT link.Rs232Control().CommStatus(Platform::sscReadError, QStringLiteral("test"));
        link.CancelTxRx(f[4] == "yes");
    });
    QVector<qint16> block{-1};
    const qint32 error = exchange.ReadRegisters(1, kModuleBlockRegister, kModuleBlockCount, block);
    const QString frames = f[8] == "any" ? f[8] : QString::number(line.Requests().size());
    EXPECT_EQ(std::tuple(error, frames, block.value(4, -1), link.TxRxInProgress()),
              std::tuple(ends, f[8], ends == leNone ? kCode : qint16(-1), false));
}

INSTANTIATE_TEST_SUITE_P(Limits, LinkExchange, ::testing::ValuesIn(ReadDataTable("link_exchanges.tsv")),
                         CaseName());

// A cancel while the link holds a frame back: for the silence before the re-send of a refused
// reply, for the quiet after a time-out, for the silence before the next exchange's frame (the
// wait for a reply is a row of link_exchanges.tsv). The exchange ends as cancelled and the
// held frame never leaves. At 4800 baud the silence is 7.3 ms, long enough for a timer.
struct CancelCase
{
    const char *what;
    SimFault fault;
    int times;      // of the fault (0: none), on the first exchange
    bool onRefusal; // the cancel comes as the first reply is refused, else as the second exchange starts
    qint32 first;   // how the first exchange ends
    qsizetype frames;
};

using LinkCancel = Cases<LinkFixture, CancelCase>;

TEST_P(LinkCancel, NoHeldFrameLeavesOnceCancelled)
{
    const CancelCase &c = GetParam();
    line.AddInstrument(1, 4800);
    if (c.times > 0)
        line.InjectFault(c.fault, c.times);
    ASSERT_TRUE(Open(2));
    const auto cancelSoon = [&] { QTimer::singleShot(0, &link, [&] { link.CancelTxRx(true); }); };
    QObject::connect(&link, &CTapiComm::VerifyCRC, &link, [&](bool &crcOk, const QByteArray &) {
        if (c.onRefusal && !crcOk)
            cancelSoon();
    });
    const qint32 first = exchange.Exchange(kProbe);
    if (!c.onRefusal)
        cancelSoon();
    const qint32 second = exchange.Exchange(kProbe);
    QTest::qWait(2 * link.TimeOutRx()); // longer than anything held a frame
    EXPECT_EQ(std::tuple(first, second, line.Requests().size()),
              std::tuple(c.first, qint32(leCancelled), c.frames));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Waits, LinkCancel, ::testing::Values(
    CancelCase{"re-send after a refused reply", SimFault::BadCrc, 1, true, leCancelled, 1},
    CancelCase{"quiet after a time-out", SimFault::Silence, 1, false, leNone, 2},
    CancelCase{"silence before the next frame", SimFault::BadCrc, 0, false, leNone, 1}), CaseName());
// clang-format on

using LinkTest = LinkFixture;

// Line events between exchanges send nothing; a cancel ends every exchange until cleared;
// frame and reply length stay as they were while an exchange runs.
TEST_F(LinkTest, CancelAndChangesWhileNoExchangeOrAnExchangeRuns)
{
    ASSERT_TRUE(Open());
    for (int i = 0; i < 3; ++i)
        Q_EMIT link.Rs232Control().CommStatus(Platform::sscReadError, QStringLiteral("test"));
    QTest::qWait(3 * CTapiComm::kManagerIntervalMs);
    link.CancelTxRx(true);
    EXPECT_EQ(exchange.Exchange(kProbe), leCancelled);
    EXPECT_EQ(exchange.Exchange(kProbe), leCancelled);
    EXPECT_TRUE(line.Requests().isEmpty());
    link.CancelTxRx(false);
    QTimer::singleShot(0, &link, [&] {
        link.SetFrameTx(ReadRequest(9, kModuleBlockRegister, 7));
        link.SetByteToReceive(19);
    });
    EXPECT_EQ(exchange.Exchange(kProbe), leTimeOut);
    EXPECT_EQ(std::pair(line.Requests(), link.ByteToReceive()),
              std::pair(QList{kProbe, kProbe, kProbe}, qint16(7)));
    line.AddInstrument(1);
    EXPECT_EQ(exchange.Exchange(kProbe), leNone);
}

// Something else ends every event loop (the program is told to quit): the wait may not come
// back with an exchange that still runs and an Error of 0.
TEST_F(LinkTest, AnAbortedWaitEndsTheExchangeAsACancel)
{
    ASSERT_TRUE(Open());
    qint32 error = -1;
    QTimer::singleShot(0, &link, [&] { error = exchange.Exchange(kProbe); });
    QTimer::singleShot(50, &link, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    EXPECT_EQ(std::pair(error, link.TxRxInProgress()), std::pair(qint32(leCancelled), false));
    line.AddInstrument(1);
    EXPECT_EQ(exchange.Exchange(kProbe), leNone);
}

TEST_F(LinkTest, APortInUseOrAnUnknownIndexDoesNotOpen)
{
    TraceCapture trace;
    link.SetDTR(true);
    EXPECT_FALSE(link.DTR()); // no port yet: ignored
    ASSERT_TRUE(Open());
    CTapiComm second;
    second.Create();
    EXPECT_FALSE(second.OpenRs232(1, 3, 0));
    EXPECT_FALSE(second.OpenRs232(5, 3, 0));
    link.CloseRs232();
    EXPECT_FALSE(second.OpenRs232(1, 6, 0));
    EXPECT_TRUE(second.OpenRs232(1, 3, 0));
    // Nor on a port that is open already.
    EXPECT_FALSE(second.OpenRs232(1, 6, 0));
    EXPECT_FALSE(second.OpenRs232(1, 3, -1));
    EXPECT_EQ(trace.Lines().count(QStringLiteral("Porta COM1 già aperta o non presente sul sistema.")), 4);
    EXPECT_TRUE(trace.Lines().contains(QStringLiteral("Porta COM5 già aperta o non presente sul sistema.")));
}

TEST(TrayIcon, RefusesBadInputAndIgnoresChangesOnceDestroyed)
{
    QWidget window;
    CTrayIcon icon;
    const QIcon picture = QApplication::style()->standardIcon(QStyle::SP_DriveNetIcon);
    EXPECT_THROW(icon.Create(nullptr, picture, QString()), CError);
    EXPECT_THROW(icon.Create(&window, QIcon(), QString()), CError);
    EXPECT_FALSE(icon.IsShown());
    icon.Create(&window, picture, QString(70, 'a'));
    icon.SetIcon(QIcon()); // not a picture: ignored
    icon.Destroy();
    icon.SetTip(QStringLiteral("after"));
    icon.SetIcon(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon));
    EXPECT_EQ(std::pair(icon.Tip(), icon.Icon().cacheKey()),
              std::pair(QString(CTrayIcon::kTipLength, 'a'), picture.cacheKey()));
}

// The notification-area icon, and how the link shows it while its port is open.
TEST_F(LinkTest, TheTrayIconIsShownOnlyWhileThePortIsOpen)
{
    QWidget window;
    QPointer<QObject> shown;
    link.Create([&] {
        std::unique_ptr<QObject> icon = MakeSerialLineTrayIcon(&window);
        shown = icon.get();
        return icon;
    });
    ASSERT_TRUE(Open());
    ASSERT_TRUE(link.IsTrayIconShown() && shown);
    EXPECT_EQ(qobject_cast<CTrayIcon *>(shown.data())->Tip(), QStringLiteral("IxoSoft"));
    link.CloseRs232();
    EXPECT_TRUE(shown.isNull()); // released, so gone from the notification area
    // A failing icon never stops the link.
    link.Create([] { return MakeSerialLineTrayIcon(nullptr); });
    EXPECT_TRUE(Open());
    EXPECT_FALSE(link.IsTrayIconShown());
}

// The auxiliary interface, in write mode: a slow instrument pauses inside its answer, or its
// listing, and the pause does not end it. Then "OK" comes after the time-out, so the command
// goes out again, and the "OK" owed to that second send comes while the next command waits for
// its answer, a refusal: it is not taken for that answer (the link's quiet wait after a
// time-out, the same for register frames).
TEST(AuxLink, AnswersEndWhenWholeAndOnlyForTheirOwnCommand)
{
    TempUserDirs dirs;
    SimAuxLine sim;
    CTapiComm link;
    CAuxExchange aux{link};
    link.Create();
    link.SetTimeOutRx(250);
    ASSERT_TRUE(link.OpenRs232(1, 3, 0));
    ASSERT_EQ(aux.SendCommand(kAuxWriteCommand, AuxReadyPrompt()), leNone);
    sim.Aux().SetAcknowledgement(">>\r\nOK\r\n>>"); // split as ">>\r\nO" + "K\r\n>>"
    sim.Line().InjectFault(SimFault::Split, 2);
    ASSERT_EQ(aux.SendCommand(QStringLiteral("inP>rAnG=r3"), kAuxSettingAccepted), leNone);
    EXPECT_TRUE(aux.Accepted());
    ASSERT_EQ(aux.ReadListing(), leNone);
    EXPECT_TRUE(aux.Reply().endsWith("\r\nCnd>Cnd=C1\r\n"));
    EXPECT_EQ(link.TimeOutRx(), CTapiComm::kDefaultTimeOutRxMs);

    link.SetTimeOutRx(250);
    sim.Aux().RefuseCommand(QStringLiteral("SCAL>Hi.d="));
    for (const int delayMs : {500, 150, 200})
        sim.Line().InjectFault({SimFault::Late, 1, kAny, delayMs});
    ASSERT_EQ(aux.SendCommand(QStringLiteral("SCAL>Lo.d=1.0"), kAuxSettingAccepted), leNone);
    EXPECT_TRUE(aux.Accepted());
    ASSERT_EQ(aux.SendCommand(QStringLiteral("SCAL>Hi.d=9.0"), kAuxSettingAccepted), leNone);
    EXPECT_FALSE(aux.Accepted());
}

} // namespace
