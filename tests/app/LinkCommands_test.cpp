// The main window's link commands over simulated instruments: what a command adds to the link
// wizard and the windows it opens (tested on their own in tests/wizard and tests/programming):
// the window by interface type, the settings stored on End and kept on Cancel, and for
// receive-edit-transmit record 2, the configuration wizard and the write back.
#include "App_fixture.h"
#include "platform/SettingsStore.h"
#include "programming/link/InterfaceTypes.h"
#include "programming/widgets/LinkWindow.h"
#include "support/ArchiveLock.h"
#include "support/LinkFixtures.h"
#include "support/ReadOnlyPath.h"
#include "support/SimAuxLine.h"

#include <QPointer>

namespace {

// The class of every link window that comes up while it lives; `whileUp` runs on each one
// every 2 ms.
struct LinkWindowWatch
{
    explicit LinkWindowWatch(std::function<void(CLinkWindow &)> whileUp = [](CLinkWindow &) {})
    {
        QObject::connect(&Timer, &QTimer::timeout, [this, whileUp] {
            auto *window = qobject_cast<CLinkWindow *>(QApplication::activeModalWidget());
            if (window == nullptr || !window->isVisible())
                return;
            if (window != Current)
                Opened << window->metaObject()->className();
            whileUp(*(Current = window));
        });
        Timer.start(2);
    }
    QStringList Opened;
    QTimer Timer;
    QPointer<CLinkWindow> Current;
};

// The user of a link wizard, pages apart by "|": on each what the user does (Act), then the
// button leaving it: "optInterfaceType1 optComPort0 Next | End".
QList<PageStep> Steps(const QString &script)
{
    QList<PageStep> steps;
    for (const QString &page : script.split('|')) {
        QStringList words = page.simplified().split(' ');
        // The buttons in the order of their ButtonRet values.
        steps.append({qint32(QStringList({"End", "Cancel", "Next"}).indexOf(words.takeLast())),
                      [words](CWizardPage &page) { Act(page, words.join(' ')); }});
    }
    return steps;
}

// An image without the address and baud-rate words, which an instrument reads as its own.
QVector<qint16> WithoutLinkWords(QVector<qint16> words)
{
    words[86] = words[87] = 0;
    return words;
}

// The link commands on the main window over an archive with two configurations, the second
// (every setting distinct) the current one; its link settings as a previous run left them. The
// cases of tests/data/link_commands.tsv.
using LinkCommand = Cases<AppTest, QStringList>;

TEST_P(LinkCommand, StoresTheSettingsAndOpensTheWindowsOfTheInterface)
{
    const QStringList &c = GetParam();
    AddProgrammi({"Altro"});
    const qint32 selected = AddDistinct(MemMap::EFamily::VABZOB);
    Open().SetIDProgramma(selected);
    Requery();
    window->CommConfigSetup().SetComPort(3);
    CNetworkAddMsgSetup &network = window->NetworkAddMsg();
    network.SetSelNetworkAdd(1);
    network.SetTotalInstrNetwork(2);
    const qint16 code = StoredCode(selected);
    const auto imageOf = [code](qint64 id) { return WithoutLinkWords(ImageWords(code, id)); };

    std::optional<SimAuxLine> aux;
    InstrumentSimulator line;
    QList<SimInstrument *> instruments;
    if (c[3] == "aux")
        aux.emplace();
    else
        line.AttachAsPort(1);
    for (const QString &address : QString(c[3]).remove("aux").split(' ', Qt::SkipEmptyParts))
        instruments << &AddInstrumentWith(line, code, selected, address.toInt(), 38400);
    using S = InstrumentSimulator;
    if (c[4] == "bad CRC")
        line.InjectFault(
            {SimFault::BadCrc, S::kAlways, S::kAnyAddress, {}, S::ForRegister(kMemoryMapBaseAddress)});
    MessageRecorder answers({QMessageBox::Yes});
    // The live view, once it polls, is closed.
    LinkWindowWatch watch([&](CLinkWindow &view) {
        if (line.Requests().contains(
                ReadRequest(c[3].toInt(), kLiveValueBlockRegister, kLiveValueBlockCount)))
            view.close();
    });
    {
        WizardUser user(Steps(c[2]), c[10] == "Cancel" ? IWizardPage::brCancel : IWizardPage::brEnd);
        ASSERT_TRUE(Action(qPrintable(c[1]))->isEnabled());
        Trigger(qPrintable(c[1]));
        // The link wizard's pages, then the configuration wizard's on record 2 as read.
        const qsizetype pages = c[2].count('|') + 1;
        const int caption = c[1].contains("View") ? 794 : c[1].contains("Rx") ? 792 : 793;
        EXPECT_EQ(user.Pages.filter(' ' + LoadResString(caption)), user.Pages);
        EXPECT_EQ(user.Pages.size() - pages > 0, c[10] != "-");
    }
    EXPECT_EQ(watch.Opened, QString(c[5]).remove('-').split(' ', Qt::SkipEmptyParts));
    QStringList ids;
    for (int id : answers.Ids())
        ids << QString::number(id);
    EXPECT_EQ(ids, QString(c[8]).remove('-').split(' ', Qt::SkipEmptyParts));
    EXPECT_EQ(Listed().size(), c[8].contains("799") ? 3 : 2);
    // "ComPort InterfaceType NetworkAdd ModeConfig SelNetworkAdd TotalInstrNetwork" as stored.
    QStringList stored;
    for (const char *key : {"CCommConfig/m_ComPort", "CCommConfig/m_InterfaceType",
                            "CNetworkAddMsgSetup/m_NetworkAdd", "CNetworkAddMsgSetup/m_ModeConfig",
                            "CNetworkAddMsgSetup/m_SelNetworkAdd", "CNetworkAddMsgSetup/m_TotalInstrNetwork"})
        stored << Platform::ReadSetting(QString(key).section('/', 0, 0), QString(key).section('/', 1), "-");
    EXPECT_EQ(stored.join(' '), c[6]);
    EXPECT_EQ(Joined(window->CommConfigSetup().ComPort(), network.NetworkAdd(), network.SelNetworkAdd()),
              c[7]);
    EXPECT_TRUE(c[5] != "-" || line.Requests().isEmpty());
    for (const SimInstrument *instrument : instruments) {
        EXPECT_EQ(instrument->Writes().isEmpty(), c[11] == "-");
        const QVector<qint16> held = WithoutLinkWords(instrument->Image(89));
        EXPECT_TRUE(c[11] != "current" || held == imageOf(selected));
        // Record 2 holds what was read, or what was edited and written.
        EXPECT_TRUE(c[10] == "-" || imageOf(CArchive::kActualSettingID) == held);
    }
    EXPECT_TRUE(c[11] != "record 2" || imageOf(CArchive::kActualSettingID) != imageOf(selected));
    EXPECT_TRUE(!aux || aux->Line().Requests().contains("WRITE"));
    CModInstr record2;
    record2.LoadDataFromADORS(IDCriterion(CArchive::kActualSettingID));
    EXPECT_TRUE(c[9] == "-" ||
                Joined(record2.SlotA(), record2.SlotB(), record2.SlotC(), record2.SlotD()) == c[9]);
}

INSTANTIATE_TEST_SUITE_P(Cases, LinkCommand, ::testing::ValuesIn(ReadDataTable("link_commands.tsv")),
                         CaseName());

} // namespace

// A link wizard ended with End on a settings file that cannot be written: told once, neither
// object stored, and the run goes on with both (the transfer goes to the port chosen).
TEST_F(AppTest, LinkSettingsTheStoreCannotKeepAreToldOnceAndUsed)
{
    AddProgrammi({"Uno"});
    Open();
    Requery();
    ASSERT_TRUE(Platform::WriteSetting("CCommConfig", "m_ComPort", "3"));
    const QString path = Platform::SettingsFilePath();
    const QByteArray stored = ReadFile(path);
    const ReadOnlyPath readOnly(path);
    if (!readOnly.Made())
        GTEST_SKIP() << "no read-only file here";
    {
        WizardUser user(Steps("optInterfaceType2 optComPort1 Next | optConfigNetworkInstr Next | End"),
                        IWizardPage::brEnd);
        Trigger("mnuSendProgramma");
    }
    const QStringList told = m_Messages.Lines();
    EXPECT_EQ(told.filter("2 " + LoadResStringArgs(852, {path}) + "\n\r").size(), 1);
    EXPECT_TRUE(told.value(1).contains("COM2")) << qPrintable(told.join('|'));
    EXPECT_EQ(ReadFile(path), stored);
    EXPECT_EQ(Joined(window->CommConfigSetup().ComPort(), window->CommConfigSetup().InterfaceType(),
                     window->NetworkAddMsg().ModeConfig()),
              "1 2 1");
}

// Another program takes the archive while receive-edit-transmit asks 799, after record 2 was
// stored: the write-back sends what the user confirmed all the same, reading nothing from the
// archive; a refused copy says that only the copy is missing. The window manager's close while
// the copy waits asks first (849); quitting ends the command: nothing read again, no write.
TEST_F(AppTest, ReceiveEditTransmitWritesBackWhatTheUserConfirmedWhileTheArchiveIsHeld)
{
    const struct
    {
        const char *name;
        QList<QMessageBox::StandardButton> answers; // to 799, then to the copy's box
        bool closed;                                // by the window manager while the copy waits
        QList<int> told;
        QStringList windows;
    } cases[] = {
        {"NoCopy", {QMessageBox::No}, false, {799}, {"FSerialProgSetup", "FSerialProgSetup"}},
        {"CopyGivenUp",
         {QMessageBox::Yes, QMessageBox::Cancel},
         false,
         {799, 845},
         {"FSerialProgSetup", "FSerialProgSetup"}},
        {"ClosedWhileTheCopyWaits", {QMessageBox::Yes}, true, {799, 849}, {"FSerialProgSetup"}},
    };
    for (const auto &c : cases) {
        g_Connection->Open();
        const qint32 selected = AddDistinct(MemMap::EFamily::VABZOB);
        const qint16 code = StoredCode(selected);
        Open();
        InstrumentSimulator line;
        line.AttachAsPort(1);
        SimInstrument &instrument = AddInstrumentWith(line, code, selected, 254, 38400);
        const BusyTimeout wait(c.closed ? 10000 : 20);
        std::unique_ptr<AnotherProgramsWrite> lock;
        MessageRecorder told(c.answers);
        told.WhenShown = [&](const CMessage &message) {
            if (message.Text != LoadResString(799))
                return;
            lock = std::make_unique<AnotherProgramsWrite>(CArchive::DefaultFilePath());
            if (c.closed)
                QTimer::singleShot(100, window.get(), [&] { CloseAsTheWindowManagerDoes(*window); });
        };
        LinkWindowWatch watch;
        WizardUser user(Steps("optInterfaceType1 optComPort0 Next | optAutomatic Next | End"));
        QTimer::singleShot(0, window.get(), [&] {
            Trigger("RxTxProg");
            if (QApplication::topLevelWidgets().contains(window.get()) && window->isVisible())
                QApplication::quit();
        });
        QApplication::exec();
        lock.reset();
        QStringList texts, expected;
        for (const CMessage &message : told.Shown())
            texts << message.Text;
        for (int id : c.told)
            expected << LoadResStringArgs(id, {CArchive::DefaultFilePath()});
        EXPECT_EQ(texts, expected) << c.name;
        EXPECT_EQ(watch.Opened, c.windows) << c.name;
        // Record 2 holds what the user confirmed; the instrument holds it too, or nothing new.
        const QVector<qint16> held = WithoutLinkWords(instrument.Image(89));
        EXPECT_EQ(held == WithoutLinkWords(ImageWords(code, CArchive::kActualSettingID)), !c.closed)
            << c.name;
        EXPECT_EQ(held == WithoutLinkWords(ImageWords(code, selected)), c.closed) << c.name;
        window.reset();
        g_Connection->Close();
    }
}

namespace {

// Record 2's store at End refused otherwise than by a lock: another program aborts every update
// of record 2, or the store meets damage. The box says that it was not stored, why, and that it
// is transmitted all the same; the copy is offered only where the archive still stores changes;
// the instrument gets what the user confirmed.
struct CRecord2Refused
{
    const char *what;
    bool damaged; // else another program's trigger refuses the update
    QList<int> told;
};
using Record2Refused = Cases<AppTest, CRecord2Refused>;

TEST_P(Record2Refused, WhatTheUserConfirmedGoesToTheInstrumentAllTheSame)
{
    const CRecord2Refused &c = GetParam();
    g_Connection->Open();
    const qint32 selected = AddDistinct(MemMap::EFamily::VABZOB);
    const qint16 code = StoredCode(selected);
    const QVector<qint16> original = WithoutLinkWords(ImageWords(code, selected));
    Open();
    InstrumentSimulator line;
    line.AttachAsPort(1);
    SimInstrument &instrument = AddInstrumentWith(line, code, selected, 254, 38400);
    const QString path = CArchive::DefaultFilePath();
    Platform::CArchiveConnection other;
    ASSERT_TRUE(other.Open(path, Platform::CArchiveConnection::EMode::ReadWrite));
    MessageRecorder told({QMessageBox::Ok, QMessageBox::Yes});
    WizardUser user(Steps("optInterfaceType1 optComPort0 Next | optAutomatic Next | End"));
    user.AtClosing = [&] {
        ASSERT_TRUE(c.damaged ? DamageTable(path, "CLinearize", true)
                              : other.ExecOnce("CREATE TRIGGER Refuse BEFORE UPDATE ON CDisplay WHEN "
                                               "old.IDProgramma = 2 BEGIN SELECT RAISE(ABORT, 'no'); END"));
    };
    Trigger("RxTxProg");

    QList<int> ids;
    const QString notStored = LoadResString(847).section("\n\r", 0, 0);
    for (const CMessage &m : told.Shown())
        ids << (m.Text.startsWith(notStored) ? 847 : StringTable().key(m.Text, 0));
    EXPECT_EQ(ids, c.told);
    EXPECT_EQ(told.Shown().value(0).Icon, QMessageBox::Critical);
    // Written whole, the address word included, with the user's edit.
    const QVector<qint16> held = WithoutLinkWords(instrument.Image(89));
    EXPECT_EQ(instrument.Writes().size(), 89);
    EXPECT_NE(held, original);
    if (!c.damaged) {
        // The copy, which the trigger lets in, holds what the instrument got.
        qint64 copy = 0;
        g_Connection->Run("SELECT MAX(IDProgramma) FROM CModInstr", {},
                          [&copy](const auto &row) { copy = row.Number(0); });
        EXPECT_EQ(held, WithoutLinkWords(ImageWords(code, qint32(copy))));
    }
}

INSTANTIATE_TEST_SUITE_P(Refusals, Record2Refused,
                         ::testing::Values(CRecord2Refused{"refused by another program", false, {847, 799}},
                                           CRecord2Refused{"damage met", true, {847}}),
                         CaseName());

} // namespace
