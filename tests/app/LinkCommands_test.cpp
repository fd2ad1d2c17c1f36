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

// The user of a link wizard, pages apart by "|": on each the choices (an interface, COM1 with
// it, or the name of a radio button), then the button leaving it: "RS232 Next | End".
QList<PageStep> Steps(const QString &script)
{
    QList<PageStep> steps;
    for (const QString &page : script.split('|')) {
        QStringList words = page.simplified().split(' ');
        // The buttons in the order of their ButtonRet values.
        steps.append(
            {qint32(QStringList({"End", "Cancel", "Next"}).indexOf(words.takeLast())),
             [words](CWizardPage &page) {
                 for (const QString &word : words) {
                     const qsizetype type = QStringList({"Auxiliary", "RS232", "RS485"}).indexOf(word);
                     page.findChild<QRadioButton *>(type < 0 ? word : QString("optInterfaceType%1").arg(type))
                         ->click();
                     if (type >= 0)
                         page.findChild<QRadioButton *>("optComPort0")->click();
                 }
             }});
    }
    return steps;
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

// An instrument's image without the address and baud-rate words, which it reads as its own.
QVector<qint16> ImageOf(const SimInstrument &instrument)
{
    QVector<qint16> words = instrument.Image(89);
    words[86] = words[87] = 0;
    return words;
}

// The main window over an archive with two configurations, the second (every setting distinct)
// the current one; its link settings as a previous run left them.
class LinkCommandsTest : public AppTest
{
protected:
    void SetUp() override
    {
        AddProgrammi({"Altro"});
        selected = AddDistinct(MemMap::EFamily::VABZOB);
        Open().SetIDProgramma(selected);
        Requery();
        window->CommConfigSetup().SetComPort(3);
        window->NetworkAddMsg().SetModeConfig(0);
        window->NetworkAddMsg().SetSelNetworkAdd(1);
        window->NetworkAddMsg().SetNetworkAdd(1);
        window->NetworkAddMsg().SetTotalInstrNetwork(2);
        CConfiguration configuration;
        configuration.Load(selected);
        code = configuration.ModInstr().CodificaModuli();
    }
    void Run(const char *item)
    {
        ASSERT_TRUE(Action(item)->isEnabled()) << item;
        Trigger(item);
    }
    // The image of archived configuration id, as ImageOf(instrument) gives it.
    QVector<qint16> ImageOf(qint32 id) const
    {
        const auto manager = ManagerFor(code, id);
        manager->ConvertUserSetupToMemoryMap();
        QVector<qint16> words;
        for (int i = 0; i < manager->WordCount(); ++i)
            words.append(i == 86 || i == 87 ? 0 : manager->Word(i));
        return words;
    }
    // An instrument at 38400 baud for the current configuration, holding its image when asked.
    SimInstrument &AddInstrument(InstrumentSimulator &line, int address, bool holding = false)
    {
        SimInstrument &instrument = line.AddInstrument(address, 38400);
        instrument.SetModuleCode(code);
        instrument.SetProbe(kProbeSignalModule);
        QVector<qint16> image = ImageOf(selected);
        image[86] = qint16(address);
        image[87] = qint16(SimInstrument::CodeOfBaud(38400));
        if (holding)
            instrument.SetImage(image);
        return instrument;
    }

    qint32 selected = 0;
    qint16 code = 0;
};

// A link wizard ended with End stores the settings, even when the transfer then fails, and
// opens the window of the interface on the window's settings objects and the current
// configuration; Cancel anywhere in it opens no window, sends nothing and keeps the settings
// objects and the store as they were. The cases of tests/data/link_wizard.tsv.
class LinkWizard : public LinkCommandsTest, public ::testing::WithParamInterface<QStringList>
{};

TEST_P(LinkWizard, OpensTheWindowOfTheInterfaceOnEndOnly)
{
    const QStringList &c = GetParam();
    const bool ended = c[6] != "-", refused = c[4] == "yes",
               transmits = ended && !refused && c[1].contains("Send");
    std::optional<SimAuxLine> aux;
    InstrumentSimulator line;
    QList<SimInstrument *> instruments;
    if (c[3] == "aux")
        aux.emplace();
    else
        line.AttachAsPort(1);
    for (const QString &address : QString(c[3]).remove("aux").split(' ', Qt::SkipEmptyParts))
        instruments << &AddInstrument(line, address.toInt());
    if (refused)
        instruments[0]->SetProbe(kProbeTemperatureModule);
    QString offered;
    QList<PageStep> steps = Steps(c[2]);
    steps[0].Touch = [&offered, choose = steps[0].Touch](CWizardPage &page) {
        offered = page.findChild<QWidget *>("optInterfaceType0")->isEnabled() ? "yes" : "no";
        choose(page);
    };
    WizardUser user(steps);
    // The live view, once it polls, is closed.
    LinkWindowWatch watch([&](CLinkWindow &view) {
        if (line.Requests().contains(
                ReadRequest(c[3].toInt(), kLiveValueBlockRegister, kLiveValueBlockCount)))
            view.close();
    });
    Run(qPrintable(c[1]));

    // The link wizard's pages, and for receive-edit-transmit ended the configuration wizard's.
    const qsizetype pages = c[2].count('|') + 1;
    const int caption = c[1].contains("View") ? 794 : c[1].contains("Rx") ? 792 : 793;
    EXPECT_TRUE(user.Pages.size() >= pages && (user.Pages.size() > pages) == (ended && caption == 792));
    EXPECT_EQ(user.Pages.filter(' ' + LoadResString(caption)), user.Pages);
    EXPECT_EQ(offered, c[5]);
    EXPECT_EQ(watch.Opened, QString(c[6]).remove('-').split(' ', Qt::SkipEmptyParts));
    QStringList ids;
    for (int id : m_Messages.Ids())
        ids << QString::number(id);
    EXPECT_EQ(ids, QString(c[9]).remove('-').split(' ', Qt::SkipEmptyParts));
    EXPECT_EQ(StoredLinkSettings(), c[7]);
    const CNetworkAddMsgSetup &network = window->NetworkAddMsg();
    EXPECT_EQ(QStringList({QString::number(window->CommConfigSetup().ComPort()),
                           QString::number(network.NetworkAdd()), QString::number(network.SelNetworkAdd())}),
              c[8].split(' '));
    EXPECT_TRUE(ended || line.Requests().isEmpty());
    for (const SimInstrument *instrument : instruments)
        EXPECT_TRUE(transmits ? ::ImageOf(*instrument) == ImageOf(selected) : instrument->Writes().isEmpty());
    EXPECT_TRUE(!aux || aux->Line().Requests().contains("WRITE"));
    CModInstr record2;
    record2.LoadDataFromADORS(IDCriterion(CArchive::kActualSettingID));
    EXPECT_TRUE(c[10] == "-" || QString("%1 %2 %3 %4")
                                        .arg(record2.SlotA())
                                        .arg(record2.SlotB())
                                        .arg(record2.SlotC())
                                        .arg(record2.SlotD()) == c[10]);
}

INSTANTIATE_TEST_SUITE_P(Cases, LinkWizard, ::testing::ValuesIn(ReadDataTable("link_wizard.tsv")), RowName);

// Receive-edit-transmit: the automatic search finds the instrument at 254 for the read, the
// configuration wizard opens on record 2 as read, what it ends with goes back to 254 without
// another search and the copy archived on Yes is listed. A read that fails ends the command
// before the configuration wizard, a cancelled configuration wizard before the write: nothing
// reaches the instrument.
class ReceiveEditTransmit : public LinkCommandsTest,
                            public ::testing::WithParamInterface<std::pair<bool, qint32>>
{};

TEST_P(ReceiveEditTransmit, EditsRecord2AndWritesItBack)
{
    const auto [readFails, closing] = GetParam();
    const bool writes = !readFails && closing == IWizardPage::brEnd;
    InstrumentSimulator line;
    line.AttachAsPort(1);
    SimInstrument &instrument = AddInstrument(line, 254, true);
    using S = InstrumentSimulator;
    if (readFails)
        line.InjectFault(
            {SimFault::BadCrc, S::kAlways, S::kAnyAddress, {}, S::ForRegister(kMemoryMapBaseAddress)});
    const QVector<qint16> read = ::ImageOf(instrument);
    LinkWindowWatch watch;
    MessageRecorder answers({QMessageBox::Yes});
    {
        WizardUser user(Steps("RS232 Next | optAutomatic Next | End"), closing);
        Run("RxTxProg");
        EXPECT_EQ(user.Pages.filter(LoadResString(792)).size(), user.Pages.size());
        EXPECT_EQ(user.Pages.value(3).section(' ', 0, 0) + user.NameShown,
                  readFails ? "" : "FWModInstr" + LoadResString(617));
    }
    EXPECT_EQ(watch.Opened, QStringList(writes ? 2 : 1, "FSerialProgSetup"));
    EXPECT_EQ(answers.Ids(), readFails ? QList<int>{215} : writes ? QList<int>{799} : QList<int>{});
    EXPECT_EQ(Listed().size(), writes ? 3 : 2);
    EXPECT_EQ(::ImageOf(instrument) == read, !writes);
    EXPECT_EQ(instrument.Writes().isEmpty(), !writes);
    EXPECT_TRUE(readFails || ImageOf(CArchive::kActualSettingID) == ::ImageOf(instrument));
    if (!writes)
        return;
    EXPECT_EQ(instrument.Address(), 254);
    EXPECT_EQ(std::count_if(line.Requests().begin(), line.Requests().end(),
                            [](const QByteArray &request) { return quint8(request[0]) != 254; }),
              1); // the read's probe of 255
    EXPECT_EQ(StoredLinkSettings(), "0 1 1 0 0 2");
}

INSTANTIATE_TEST_SUITE_P(Ends, ReceiveEditTransmit,
                         ::testing::Values(std::pair(false, IWizardPage::brEnd),
                                           std::pair(true, IWizardPage::brEnd),
                                           std::pair(false, IWizardPage::brCancel)));

} // namespace
