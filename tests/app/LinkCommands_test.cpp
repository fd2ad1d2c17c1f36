// The main window's link commands over simulated instruments: what a command adds to the link
// wizard and the windows it opens (tested on their own in tests/wizard and tests/programming):
// the window by interface type, the settings stored on End and kept on Cancel, and for
// receive-edit-transmit record 2, the configuration wizard and the write back.
#include "App_fixture.h"
#include "platform/SettingsStore.h"
#include "programming/link/InterfaceTypes.h"
#include "programming/widgets/LinkWindow.h"
#include "support/LinkFixtures.h"
#include "support/SimAuxLine.h"

#include <QPointer>

using MemMap::EFamily;

namespace {

constexpr qint32 N = IWizardPage::brNext, E = IWizardPage::brEnd, C = IWizardPage::brCancel;

// The class of every link window that comes up while it lives; `whileUp` runs on each one
// every 2 ms.
struct LinkWindowWatch
{
    explicit LinkWindowWatch(std::function<void(CLinkWindow &)> whileUp = {})
    {
        QObject::connect(&Timer, &QTimer::timeout, [this, whileUp] {
            auto *window = qobject_cast<CLinkWindow *>(QApplication::activeModalWidget());
            if (window == nullptr || !window->isVisible())
                return;
            if (window != Current)
                Opened << window->metaObject()->className();
            Current = window;
            if (whileUp)
                whileUp(*window);
        });
        Timer.start(2);
    }
    QStringList Opened;
    QTimer Timer;
    QPointer<CLinkWindow> Current;
};

// The user's choice on the PC link page: the interface and COM1, the simulated line.
PageStep CommPage(qint16 interfaceType, qint32 button = N)
{
    return {button, [interfaceType](CWizardPage &page) {
                page.findChild<QRadioButton *>(QString("optInterfaceType%1").arg(interfaceType))->click();
                page.findChild<QRadioButton *>("optComPort0")->click();
            }};
}

PageStep Click(const QStringList &options, qint32 button = N)
{
    return {button, [options](CWizardPage &page) {
                for (const QString &option : options)
                    page.findChild<QRadioButton *>(option)->click();
            }};
}

// "ComPort InterfaceType NetworkAdd ModeConfig SelNetworkAdd TotalInstrNetwork" as stored.
QString StoredLinkSettings()
{
    QStringList values;
    for (const char *key : {"m_ComPort", "m_InterfaceType"})
        values << Platform::ReadSetting("CCommConfig", key, "-");
    for (const char *key : {"m_NetworkAdd", "m_ModeConfig", "m_SelNetworkAdd", "m_TotalInstrNetwork"})
        values << Platform::ReadSetting("CNetworkAddMsgSetup", key, "-");
    return values.join(' ');
}

qint16 StoredCode(qint32 id)
{
    CConfiguration configuration;
    configuration.Load(id);
    return configuration.ModInstr().CodificaModuli();
}

// The image of archived configuration id or of an instrument, without the address and baud-rate
// words, which the instrument reads as its own.
QVector<qint16> ImageOf(qint32 id)
{
    const auto manager = ManagerFor(StoredCode(id), id);
    manager->ConvertUserSetupToMemoryMap();
    QVector<qint16> words;
    for (int i = 0; i < manager->WordCount(); ++i)
        words.append(i == 86 || i == 87 ? 0 : manager->Word(i));
    return words;
}

QVector<qint16> ImageOf(const SimInstrument &instrument)
{
    QVector<qint16> words = instrument.Image(89);
    words[86] = words[87] = 0;
    return words;
}

// An instrument at 38400 baud for configuration id, holding its image when asked.
SimInstrument &InstrumentFor(InstrumentSimulator &line, qint32 id, int address, bool holding = false)
{
    SimInstrument &instrument = line.AddInstrument(address, 38400);
    instrument.SetModuleCode(StoredCode(id));
    instrument.SetProbe(kProbeSignalModule);
    QVector<qint16> image = ImageOf(id);
    image[86] = qint16(address);
    image[87] = qint16(SimInstrument::CodeOfBaud(38400));
    if (holding)
        instrument.SetImage(image);
    return instrument;
}

// The main window over an archive with two configurations, the second (every setting distinct)
// the current one; its link settings as a previous run left them.
class LinkCommandsTest : public AppTest
{
protected:
    void SetUp() override
    {
        AddProgrammi({"Altro"});
        selected = AddDistinct(EFamily::VABZOB);
        Open().SetIDProgramma(selected);
        Requery();
        window->CommConfigSetup().SetComPort(3);
        window->NetworkAddMsg().SetModeConfig(0);
        window->NetworkAddMsg().SetSelNetworkAdd(1);
        window->NetworkAddMsg().SetNetworkAdd(1);
        window->NetworkAddMsg().SetTotalInstrNetwork(2);
    }
    void Run(const char *item)
    {
        ASSERT_TRUE(Action(item)->isEnabled()) << item;
        Trigger(item);
    }
    // The captions of the pages shown.
    static QStringList Captions(const WizardUser &user)
    {
        QStringList captions;
        for (const QString &page : user.Pages)
            captions << page.section(' ', 1);
        return captions;
    }

    qint32 selected = 0;
};

// A link wizard ended with End stores the settings, even when the transfer then fails (an
// instrument of the other family), and opens the window of the interface for the current
// configuration; Cancel anywhere in it opens no window, sends nothing and keeps the settings
// objects and the store as they were.
struct LinkCase
{
    const char *what, *item;
    QList<PageStep> steps; // one a page of the link wizard
    int instruments;       // at addresses 1 to this, register frames; 0: the auxiliary line
    bool refused;
    const char *window, *stored;
};

class LinkWizard : public LinkCommandsTest, public ::testing::WithParamInterface<LinkCase>
{};

TEST_P(LinkWizard, OpensTheWindowOfTheInterfaceOnEndOnly)
{
    const LinkCase &c = GetParam();
    std::optional<SimAuxLine> aux;
    InstrumentSimulator line;
    if (c.instruments == 0)
        aux.emplace();
    else
        line.AttachAsPort(1);
    QList<SimInstrument *> instruments;
    for (int address = 1; address <= c.instruments; ++address)
        instruments << &InstrumentFor(line, selected, address);
    if (c.refused)
        instruments[0]->SetProbe(kProbeTemperatureModule);
    WizardUser user(c.steps);
    LinkWindowWatch watch;
    Run(c.item);

    const bool ended = *c.window != 0;
    const int caption = QString(c.item).contains("View") ? 794 : QString(c.item).contains("Rx") ? 792 : 793;
    EXPECT_EQ(Captions(user), QStringList(c.steps.size(), LoadResString(caption)));
    EXPECT_EQ(watch.Opened, ended ? QStringList{c.window} : QStringList());
    QStringList titles;
    for (const CMessage &message : m_Messages.Shown())
        titles << message.Title;
    EXPECT_EQ(titles, c.refused ? QStringList{LoadResString(208)} : QStringList());
    EXPECT_EQ(StoredLinkSettings(), c.stored);
    EXPECT_EQ(QList<qint16>({window->CommConfigSetup().ComPort(), window->NetworkAddMsg().SelNetworkAdd()}),
              QList<qint16>({qint16(ended ? 0 : 3), 1}));
    EXPECT_TRUE(ended || line.Requests().isEmpty());
    for (const SimInstrument *instrument : instruments)
        EXPECT_TRUE(ended && !c.refused ? ImageOf(*instrument) == ImageOf(selected)
                                        : instrument->Writes().isEmpty());
    EXPECT_TRUE(!aux || aux->Line().Requests().value(0) == "WRITE");
}

INSTANTIATE_TEST_SUITE_P(
    Commands, LinkWizard,
    ::testing::Values(
        LinkCase{"auxiliary",
                 "mnuSendProgramma",
                 {CommPage(itAuxiliary), {E}},
                 0,
                 false,
                 "FAuxProgSetup",
                 "0 0 1 0 1 2"},
        LinkCase{
            "RS 232", "SendProg", {CommPage(itRS232), {N}, {E}}, 1, false, "FSerialProgSetup", "0 1 1 0 1 2"},
        LinkCase{"RS 232 refused",
                 "SendProg",
                 {CommPage(itRS232), {N}, {E}},
                 1,
                 true,
                 "FSerialProgSetup",
                 "0 1 1 0 1 2"},
        LinkCase{"RS 485 network of two",
                 "mnuSendProgramma",
                 {CommPage(itRS485), Click({"optConfigNetworkInstr"}), {E}},
                 2,
                 false,
                 "FSerialProgSetup",
                 "0 2 1 1 1 2"},
        LinkCase{"transmit cancelled on the first page",
                 "mnuSendProgramma",
                 {CommPage(itRS232, C)},
                 1,
                 false,
                 "",
                 "- - - - - -"},
        LinkCase{"transmit cancelled on the closing page",
                 "SendProg",
                 {CommPage(itRS485), Click({"optConfigNetworkInstr"}), {C}},
                 1,
                 false,
                 "",
                 "- - - - - -"},
        LinkCase{"live view cancelled",
                 "ViewIXOVar",
                 {CommPage(itRS232), Click({"optAutomatic"}), {C}},
                 1,
                 false,
                 "",
                 "- - - - - -"},
        LinkCase{"receive-edit-transmit cancelled",
                 "RxTxProg",
                 {CommPage(itRS232), {N}, {C}},
                 1,
                 false,
                 "",
                 "- - - - - -"}),
    CaseName());

// The live view runs on the window's own settings objects: the address its search finds is
// in them afterwards, while the store keeps what the wizard ended with. Its PC link page
// leaves the auxiliary interface out.
TEST_F(LinkCommandsTest, LiveViewPollsTheFoundInstrument)
{
    InstrumentSimulator line;
    line.AttachAsPort(1);
    line.AddInstrument(255, 38400).SetLiveValue(1234, 0);
    bool auxiliaryOffered = true;
    WizardUser user({{N,
                      [&](CWizardPage &page) {
                          auxiliaryOffered = page.findChild<QWidget *>("optInterfaceType0")->isEnabled();
                          CommPage(itRS232).Touch(page);
                      }},
                     Click({"optAutomatic"}),
                     {E}});
    LinkWindowWatch watch([&](CLinkWindow &view) {
        if (line.Requests().contains(ReadRequest(255, kLiveValueBlockRegister, kLiveValueBlockCount)))
            view.findChild<QPushButton *>("cmdClose")->click();
    });
    Run("mnuViewVariable");
    EXPECT_EQ(Captions(user), QStringList(3, LoadResString(794)));
    EXPECT_FALSE(auxiliaryOffered);
    EXPECT_EQ(watch.Opened, QStringList{"FViewInstrData"});
    EXPECT_EQ(window->NetworkAddMsg().NetworkAdd(), 255);
    EXPECT_EQ(StoredLinkSettings(), "0 1 1 0 0 2");
    EXPECT_TRUE(m_Messages.Shown().isEmpty());
}

// Receive-edit-transmit: the automatic search finds the instrument at 254 for the read, the
// configuration wizard opens on record 2 as read, and what it ends with goes back to 254 without
// another search; the next link wizard starts from the manual address 254. A read that fails
// ends the command before the configuration wizard, a cancelled configuration wizard before the
// write: nothing reaches the instrument.
struct RxTxCase
{
    const char *what;
    bool readFails;
    qint32 closing;
};

class ReceiveEditTransmit : public LinkCommandsTest, public ::testing::WithParamInterface<RxTxCase>
{};

TEST_P(ReceiveEditTransmit, EditsRecord2AndWritesItBack)
{
    const RxTxCase &c = GetParam();
    InstrumentSimulator line;
    line.AttachAsPort(1);
    SimInstrument &instrument = InstrumentFor(line, selected, 254, true);
    if (c.readFails)
        line.InjectFault({SimFault::BadCrc,
                          InstrumentSimulator::kAlways,
                          InstrumentSimulator::kAnyAddress,
                          {},
                          InstrumentSimulator::ForRegister(kMemoryMapBaseAddress)});
    const QStringList archive = Dump();
    const QVector<qint16> read = ImageOf(instrument);
    const bool writes = !c.readFails && c.closing == E;
    LinkWindowWatch watch;
    {
        WizardUser user({CommPage(itRS232), Click({"optAutomatic"}), {E}}, c.closing);
        Run("RxTxProg");
        EXPECT_EQ(Captions(user), QStringList(user.Pages.size(), LoadResString(792)));
        EXPECT_EQ(user.Pages.value(3).section(' ', 0, 0), c.readFails ? "" : "FWModInstr");
        EXPECT_EQ(user.NameShown, c.readFails ? "" : LoadResString(617));
    }
    EXPECT_EQ(watch.Opened, QStringList(writes ? 2 : 1, "FSerialProgSetup"));
    EXPECT_EQ(m_Messages.Ids(), c.readFails ? QList<int>{215}
                                : writes    ? QList<int>{799}
                                            : QList<int>{}); // no copy
    EXPECT_EQ(Dump() == archive, c.readFails);
    EXPECT_EQ(ImageOf(instrument) == read, !writes);
    EXPECT_EQ(instrument.Writes().isEmpty(), !writes);
    EXPECT_TRUE(c.readFails || ImageOf(CArchive::kActualSettingID) == ImageOf(instrument));
    if (!writes)
        return;
    EXPECT_EQ(instrument.Address(), 254);
    EXPECT_EQ(std::count_if(line.Requests().begin(), line.Requests().end(),
                            [](const QByteArray &request) { return quint8(request[0]) != 254; }),
              1); // the read's probe of 255
    EXPECT_EQ(StoredLinkSettings(), "0 1 1 0 0 2");
    QString shown;
    PageScript next({{N}, {C, [&](CWizardPage &page) {
                               shown = page.findChild<QRadioButton *>("optManual")->isChecked()
                                           ? page.findChild<QLineEdit *>("txtNetworkAdd")->text()
                                           : "automatic";
                           }}});
    Run("mnuSendProgramma");
    EXPECT_EQ(shown, "254");
}

INSTANTIATE_TEST_SUITE_P(Ends, ReceiveEditTransmit,
                         ::testing::Values(RxTxCase{"written back", false, E},
                                           RxTxCase{"read fails", true, E},
                                           RxTxCase{"configuration wizard cancelled", false, C}),
                         CaseName());

// Over the auxiliary interface the wizard asks for the fitted modules instead of the network;
// the read takes them for record 2, and both runs go through the auxiliary window.
TEST_F(LinkCommandsTest, ReceiveEditTransmitOverTheAuxiliaryInterfaceReadsTheDeclaredModules)
{
    SimAuxLine sim;
    MessageRecorder answers({QMessageBox::Yes}); // a copy of record 2 archived
    LinkWindowWatch watch;
    WizardUser user({CommPage(itAuxiliary), Click({"optSlotA2", "optSlotC1"}), {E}});
    Run("mnuRxEditTxProgramma");
    EXPECT_EQ(user.Pages.value(1), "FWModInstr " + LoadResString(792));
    EXPECT_EQ(watch.Opened, QStringList({"FAuxProgSetup", "FAuxProgSetup"}));
    CConfiguration read;
    read.Load(CArchive::kActualSettingID);
    EXPECT_EQ(std::pair(read.ModInstr().SlotA(), read.ModInstr().SlotC()), std::pair(qint16(2), qint16(1)));
    QStringList requests;
    for (const QByteArray &request : sim.Line().Requests())
        requests << request;
    EXPECT_EQ(requests.mid(0, 2) << requests.value(requests.size() - 1),
              QStringList({"READ", "WRITE", "END"}));
    EXPECT_EQ(sim.Aux().Commands().size(), requests.size() - 3);
    EXPECT_EQ(answers.Ids(), QList<int>{799});
    EXPECT_EQ(Listed().size(), 3);
}

} // namespace
