// The main window's link commands over simulated instruments and a real archive file: the
// link wizard each command runs, the window it opens by interface type, the settings it stores,
// and what reaches the instrument.
#include "App_fixture.h"
#include "support/LinkFixtures.h"

#include "platform/SettingsStore.h"
#include "programming/link/AuxTransfer.h"
#include "programming/link/InterfaceTypes.h"
#include "programming/widgets/LinkWindow.h"
#include "support/SimAuxLine.h"
#include "support/TraceCapture.h"
#include "wizard/widgets/PageScript_fixture.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

using MemMap::EFamily;

namespace {

constexpr qint32 N = IWizardPage::brNext;
constexpr qint32 E = IWizardPage::brEnd;
constexpr qint32 C = IWizardPage::brCancel;

// Every link window that comes up while it lives, by class; `whileUp` (may be empty) is tried
// on each window every 2 ms until it answers true.
class LinkWindowWatch
{
public:
    explicit LinkWindowWatch(std::function<bool(CLinkWindow &)> whileUp = {}) : m_WhileUp(std::move(whileUp))
    {
        QObject::connect(&m_Timer, &QTimer::timeout, [this] {
            auto *window = qobject_cast<CLinkWindow *>(QApplication::activeModalWidget());
            if (window == nullptr || !window->isVisible())
                return;
            if (window != m_Current) {
                m_Current = window;
                m_Done = !m_WhileUp;
                Opened.append(QLatin1String(window->metaObject()->className()));
            }
            if (!m_Done)
                m_Done = m_WhileUp(*window);
        });
        m_Timer.start(2);
    }

    QStringList Opened;

private:
    std::function<bool(CLinkWindow &)> m_WhileUp;
    QTimer m_Timer;
    QPointer<CLinkWindow> m_Current;
    bool m_Done = false;
};

// The user's choice on the PC link page: the interface and COM1, the simulated line.
PageStep CommPage(qint16 interfaceType, qint32 button = N)
{
    return {
        button, [interfaceType](CWizardPage &page) {
            page.findChild<QRadioButton *>(QStringLiteral("optInterfaceType%1").arg(interfaceType))->click();
            page.findChild<QRadioButton *>(QStringLiteral("optComPort0"))->click();
        }};
}

PageStep Click(const char *option, qint32 button = N)
{
    return {button,
            [option](CWizardPage &page) { page.findChild<QRadioButton *>(QLatin1String(option))->click(); }};
}

// The steps, each also noting the page it is played on, by class and caption, in pages.
QList<PageStep> Noting(QList<PageStep> steps, QStringList &pages)
{
    for (PageStep &step : steps)
        step.Touch = [touch = step.Touch, &pages](CWizardPage &page) {
            pages.append(QLatin1String(page.metaObject()->className()) + QLatin1Char(' ') +
                         page.windowTitle());
            if (touch)
                touch(page);
        };
    return steps;
}

// The user of receive-edit-transmit: the link wizard by its steps, then the configuration
// wizard: the electrical maximum one step up on the scale page, Next to the closing page and
// `closing` there. Every page is noted as Noting does, and the name the configuration wizard's
// module page shows.
class RxTxUser
{
public:
    RxTxUser(const QList<PageStep> &link, qint32 closing) : m_Steps(Noting(link, Pages)), m_Closing(closing)
    {
        SetWizardPageShow([this](IWizardPage &shown) {
            auto &page = dynamic_cast<CWizardPage &>(shown);
            page.show();
            if (!m_Steps.isEmpty()) {
                const PageStep step = m_Steps.takeFirst();
                step.Touch(page);
                Press(page, step.Button);
                return;
            }
            const QString kind = QLatin1String(page.metaObject()->className());
            Pages.append(kind + QLatin1Char(' ') + page.windowTitle());
            if (auto *name = page.findChild<QLineEdit *>(QStringLiteral("txtProgramName")))
                EditedName = name->text();
            if (auto *maximum = page.findChild<QLineEdit *>(QStringLiteral("txtMaxElectricScale")))
                QTest::keyClick(maximum, Qt::Key_Up);
            Press(page, kind == QLatin1String("FWFinalSetupMessage") ? m_Closing : N);
        });
    }
    ~RxTxUser() { SetWizardPageShow({}); }

    QStringList Pages;
    QString EditedName;

private:
    QList<PageStep> m_Steps;
    qint32 m_Closing;
};

QStringList StoredLinkSettings()
{
    QStringList values;
    for (const char *key : {"m_ComPort", "m_InterfaceType"})
        values.append(Platform::ReadSetting("CCommConfig", key, "-"));
    for (const char *key : {"m_NetworkAdd", "m_ModeConfig", "m_SelNetworkAdd", "m_TotalInstrNetwork"})
        values.append(Platform::ReadSetting("CNetworkAddMsgSetup", key, "-"));
    return values;
}

qint16 StoredCode(qint32 id)
{
    CConfiguration configuration;
    configuration.Load(id);
    return configuration.ModInstr().CodificaModuli();
}

// The image of archived configuration id, without the address and baud-rate words, which
// the instrument reads as its own.
QVector<qint16> ImageOf(qint32 id)
{
    const auto manager = ManagerFor(StoredCode(id), id);
    manager->ConvertUserSetupToMemoryMap();
    QVector<qint16> words;
    for (int i = 0; i < manager->WordCount(); ++i)
        words.append(i == 86 || i == 87 ? 0 : manager->Word(i));
    return words;
}

QVector<qint16> ImageIn(const SimInstrument &instrument, int wordCount)
{
    QVector<qint16> words = instrument.Image(wordCount);
    words[86] = words[87] = 0;
    return words;
}

SimInstrument &AddInstrumentFor(InstrumentSimulator &line, qint16 code, int address)
{
    SimInstrument &instrument = line.AddInstrument(address, 38400);
    instrument.SetModuleCode(code);
    instrument.SetProbe(CModInstr::IsQEM(code) ? kProbeTemperatureModule : kProbeSignalModule);
    return instrument;
}

// The main window after start-up over an archive with two configurations, the second (every
// setting distinct) the current one; its link settings as a previous run left them.
class LinkCommandsTest : public AppTest
{
protected:
    void SetUp() override
    {
        AddProgrammi({"Altro"});
        selected = AddDistinct(EFamily::VABZOB);
        window = std::make_unique<FMain>();
        window->Load();
        window->show();
        window->SetIDProgramma(selected);
        window->RequeryProgrammi();
        window->UpdateToolBarButtons();
        window->CommConfigSetup().SetComPort(3);
        window->NetworkAddMsg().SetModeConfig(0);
        window->NetworkAddMsg().SetSelNetworkAdd(1);
        window->NetworkAddMsg().SetNetworkAdd(1);
        window->NetworkAddMsg().SetTotalInstrNetwork(2);
    }
    void TearDown() override
    {
        window.reset();
        AppTest::TearDown();
    }
    void Run(const char *item)
    {
        QAction *action = window->findChild<QAction *>(QLatin1String(item));
        ASSERT_TRUE(action->isEnabled()) << item;
        action->trigger();
    }

    qint32 selected = 0;
    std::unique_ptr<FMain> window;
};

// Transmit by interface type: the pages the wizard shows, the window it opens, the settings
// stored on End, and the instrument or instruments holding the current configuration.
struct TransmitCase
{
    const char *what;
    qint16 interfaceType;
    QList<PageStep> network; // the steps of the network page, when shown
    int instruments;         // at addresses 1 to this, register frames; 0: the auxiliary line
    QString window;
    QStringList stored;
};

void PrintTo(const TransmitCase &c, std::ostream *out)
{
    *out << c.what;
}

class TransmitByInterface : public LinkCommandsTest, public ::testing::WithParamInterface<TransmitCase>
{};

TEST_P(TransmitByInterface, OpensItsWindowAndTheInstrumentsReceiveTheCurrentConfiguration)
{
    const TransmitCase &c = GetParam();
    std::unique_ptr<SimAuxLine> aux;
    InstrumentSimulator line;
    QList<SimInstrument *> instruments;
    if (c.instruments == 0) {
        aux = std::make_unique<SimAuxLine>();
    } else {
        line.AttachAsPort(1);
        for (int address = 1; address <= c.instruments; ++address)
            instruments.append(&AddInstrumentFor(line, StoredCode(selected), address));
    }
    QList<PageStep> steps{CommPage(c.interfaceType)};
    steps += c.network;
    steps.append(PageStep{E});
    QStringList pages;
    PageScript user(Noting(steps, pages));
    LinkWindowWatch watch;

    Run("mnuSendProgramma");

    QStringList expected{"FWCommConfig", "FWFinalSetupMessage"};
    if (!c.network.isEmpty())
        expected.insert(1, "FWNetworkAddMsgSetup");
    for (QString &page : expected)
        page += QLatin1Char(' ') + LoadResString(793);
    EXPECT_EQ(pages, expected);
    EXPECT_EQ(watch.Opened, QStringList{c.window});
    EXPECT_EQ(m_Messages.Ids(), QList<int>{});
    EXPECT_EQ(StoredLinkSettings(), c.stored);
    for (const SimInstrument *instrument : instruments)
        EXPECT_EQ(ImageIn(*instrument, 89), ImageOf(selected)) << instrument->Address();
    if (aux) {
        // Read back over the same line, the instrument holds the current configuration.
        CTapiComm link;
        link.Create();
        CAuxTransfer(link, window->CommConfigSetup(), {})
            .Read(CArchive::kActualSettingID, StoredCode(selected));
        link.CloseRs232();
        EXPECT_EQ(CarriedValues(CArchive::kActualSettingID, EFamily::VABZOB),
                  CarriedValues(selected, EFamily::VABZOB));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Interfaces, TransmitByInterface,
    ::testing::Values(
        TransmitCase{"auxiliary", itAuxiliary, {}, 0, "FAuxProgSetup", {"0", "0", "1", "0", "1", "2"}},
        TransmitCase{"RS 232", itRS232, {{N}}, 1, "FSerialProgSetup", {"0", "1", "1", "0", "1", "2"}},
        TransmitCase{"RS 485 network of two",
                     itRS485,
                     {Click("optConfigNetworkInstr")},
                     2,
                     "FSerialProgSetup",
                     {"0", "2", "1", "1", "1", "2"}}),
    CaseName());

// The window's message tells the failure; the settings the wizard ended with are stored all
// the same.
TEST_F(LinkCommandsTest, TransmitStoresTheSettingsAlsoWhenTheTransferFails)
{
    InstrumentSimulator line;
    line.AttachAsPort(1);
    // An instrument of the other module family refuses the configuration.
    AddInstrumentFor(line, StoredCode(selected), 1).SetProbe(kProbeTemperatureModule);
    PageScript user({CommPage(itRS232), {N}, {E}});
    LinkWindowWatch watch;
    Run("SendProg");
    EXPECT_EQ(watch.Opened, QStringList{"FSerialProgSetup"});
    ASSERT_EQ(m_Messages.Shown().size(), 1);
    EXPECT_EQ(m_Messages.Shown()[0].Title, LoadResString(208));
    EXPECT_EQ(StoredLinkSettings(), QStringList({"0", "1", "1", "0", "1", "2"}));
    EXPECT_TRUE(line.Instrument(1)->Writes().isEmpty());
}

// Cancel anywhere in a link wizard: no window, nothing on the line, the settings objects and
// the store as they were.
struct CancelCase
{
    const char *what;
    const char *item;
    QList<PageStep> steps;
};

void PrintTo(const CancelCase &c, std::ostream *out)
{
    *out << c.what;
}

class LinkWizardCancel : public LinkCommandsTest, public ::testing::WithParamInterface<CancelCase>
{};

TEST_P(LinkWizardCancel, SendsNothingAndKeepsTheSettings)
{
    InstrumentSimulator line;
    line.AttachAsPort(1);
    AddInstrumentFor(line, StoredCode(selected), 1);
    QStringList pages;
    PageScript user(Noting(GetParam().steps, pages));
    LinkWindowWatch watch;
    Run(GetParam().item);
    EXPECT_EQ(pages.size(), GetParam().steps.size());
    EXPECT_EQ(watch.Opened, QStringList());
    EXPECT_TRUE(line.Requests().isEmpty());
    EXPECT_EQ(StoredLinkSettings(), QStringList({"-", "-", "-", "-", "-", "-"}));
    EXPECT_EQ(window->CommConfigSetup().ComPort(), 3);
    EXPECT_EQ(window->CommConfigSetup().InterfaceType(), CCommConfig::kDefaultInterfaceType);
    EXPECT_EQ(window->NetworkAddMsg().SelNetworkAdd(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, LinkWizardCancel,
    ::testing::Values(CancelCase{"transmit on the first page", "mnuSendProgramma", {CommPage(itRS232, C)}},
                      CancelCase{"transmit on the closing page",
                                 "SendProg",
                                 {CommPage(itRS485), Click("optConfigNetworkInstr"), {C}}},
                      CancelCase{"live view on the closing page",
                                 "ViewIXOVar",
                                 {CommPage(itRS232), Click("optAutomatic"), {C}}}),
    CaseName());

// The live view runs on the window's own settings objects: the address its search finds is
// in them afterwards, while the store keeps what the wizard ended with.
TEST_F(LinkCommandsTest, LiveViewPollsTheFoundInstrumentUntilClosed)
{
    InstrumentSimulator line;
    line.AttachAsPort(1);
    line.AddInstrument(255, 38400).SetLiveValue(1234, 0);
    const QString archive = ArchiveSnapshot();
    bool auxiliaryOffered = true;
    QStringList pages;
    PageScript user(Noting({{N,
                             [&](CWizardPage &page) {
                                 auxiliaryOffered =
                                     page.findChild<QWidget *>("optInterfaceType0")->isEnabled();
                                 CommPage(itRS232).Touch(page);
                             }},
                            Click("optAutomatic"),
                            {E}},
                           pages));
    LinkWindowWatch watch([&](CLinkWindow &view) {
        const QByteArray poll = ReadRequest(255, kLiveValueBlockRegister, kLiveValueBlockCount);
        if (!line.Requests().contains(poll))
            return false;
        view.findChild<QPushButton *>(QStringLiteral("cmdClose"))->click();
        return true;
    });
    Run("mnuViewVariable");
    EXPECT_EQ(pages.value(0), QStringLiteral("FWCommConfig ") + LoadResString(794));
    // The live view's PC link page leaves the auxiliary interface out.
    EXPECT_FALSE(auxiliaryOffered);
    EXPECT_EQ(watch.Opened, QStringList{"FViewInstrData"});
    EXPECT_EQ(window->NetworkAddMsg().NetworkAdd(), 255);
    EXPECT_EQ(StoredLinkSettings(), QStringList({"0", "1", "1", "0", "0", "2"}));
    EXPECT_EQ(m_Messages.Ids(), QList<int>{});
    EXPECT_TRUE(ArchiveSnapshot() == archive);
    const qsizetype requests = line.Requests().size();
    QTest::qWait(300);
    EXPECT_EQ(line.Requests().size(), requests);
}

// An instrument at address 254 holding the current configuration's image, over RS 232 at
// 38400 baud.
SimInstrument &InstrumentWithImageOf(InstrumentSimulator &line, qint32 id, int address)
{
    SimInstrument &instrument = AddInstrumentFor(line, StoredCode(id), address);
    QVector<qint16> image = ImageOf(id);
    image[86] = qint16(address);
    image[87] = qint16(SimInstrument::CodeOfBaud(38400));
    instrument.SetImage(image);
    return instrument;
}

const QString kEditing = QStringLiteral("Modifica dell'attuale configurazione dello strumento.");
const QString kEdited = QStringLiteral("Modifica dell'attuale configurazione dello strumento eseguita.");
const QString kNotEdited =
    QStringLiteral("Annullata la modifica dell'attuale configurazione dello strumento.");

// The automatic search finds the instrument at 254 for the read; the configuration wizard
// opens on record 2 as read; what it ends with goes back to 254 without another search, and
// the next link wizard starts from the manual address 254.
TEST_F(LinkCommandsTest, ReceiveEditTransmitWritesTheEditBackToTheSearchedAddress)
{
    InstrumentSimulator line;
    line.AttachAsPort(1);
    SimInstrument &instrument = InstrumentWithImageOf(line, selected, 254);
    const QVector<qint16> before = ImageIn(instrument, 89);
    TraceCapture trace;
    LinkWindowWatch watch;
    {
        RxTxUser user({CommPage(itRS232), Click("optAutomatic"), {E}}, E);
        Run("RxTxProg");
        const QString caption = QLatin1Char(' ') + LoadResString(792);
        EXPECT_EQ(user.Pages.mid(0, 3),
                  QStringList({"FWCommConfig" + caption, "FWNetworkAddMsgSetup" + caption,
                               "FWFinalSetupMessage" + caption}));
        EXPECT_EQ(user.Pages.value(3), "FWModInstr" + caption);
        EXPECT_EQ(user.EditedName, LoadResString(617));
    }
    EXPECT_EQ(watch.Opened, QStringList({"FSerialProgSetup", "FSerialProgSetup"}));
    EXPECT_EQ(m_Messages.Ids(), QList<int>{799}); // no copy
    EXPECT_EQ(trace.Lines().filter(QStringLiteral("attuale configurazione")),
              QStringList({kEditing, kEdited}));
    // The edit reached the instrument, which stayed at 254.
    EXPECT_NE(ImageOf(CArchive::kActualSettingID), before);
    EXPECT_EQ(ImageIn(instrument, 89), ImageOf(CArchive::kActualSettingID));
    EXPECT_EQ(instrument.Address(), 254);
    EXPECT_EQ(std::count_if(line.Requests().begin(), line.Requests().end(),
                            [](const QByteArray &request) { return quint8(request[0]) != 254; }),
              1); // the read's probe of 255
    EXPECT_EQ(StoredLinkSettings(), QStringList({"0", "1", "1", "0", "0", "2"}));

    QString shown;
    PageScript next({{N}, {C, [&](CWizardPage &page) {
                               shown =
                                   page.findChild<QRadioButton *>(QStringLiteral("optManual"))->isChecked()
                                       ? page.findChild<QLineEdit *>(QStringLiteral("txtNetworkAdd"))->text()
                                       : QStringLiteral("automatic");
                           }}});
    Run("mnuSendProgramma");
    EXPECT_EQ(shown, QStringLiteral("254"));
}

// A read that fails ends the command before the configuration wizard, a cancelled
// configuration wizard before the write: nothing reaches the instrument.
struct EarlyEndCase
{
    const char *what;
    bool readFails;
    QStringList traced;
};

void PrintTo(const EarlyEndCase &c, std::ostream *out)
{
    *out << c.what;
}

class ReceiveEditTransmitEnds : public LinkCommandsTest, public ::testing::WithParamInterface<EarlyEndCase>
{};

TEST_P(ReceiveEditTransmitEnds, BeforeTheWrite)
{
    const EarlyEndCase &c = GetParam();
    InstrumentSimulator line;
    line.AttachAsPort(1);
    SimInstrument &instrument = InstrumentWithImageOf(line, selected, 1);
    if (c.readFails)
        line.InjectFault({SimFault::BadCrc,
                          InstrumentSimulator::kAlways,
                          InstrumentSimulator::kAnyAddress,
                          {},
                          InstrumentSimulator::ForRegister(kMemoryMapBaseAddress)});
    const QString archive = ArchiveSnapshot();
    TraceCapture trace;
    LinkWindowWatch watch;
    RxTxUser user({CommPage(itRS232), {N}, {E}}, C);
    Run("mnuRxEditTxProgramma");
    EXPECT_EQ(user.Pages.size() > 3, !c.readFails); // the configuration wizard
    EXPECT_EQ(watch.Opened, QStringList{"FSerialProgSetup"});
    EXPECT_EQ(m_Messages.Shown().size(), c.readFails ? 1 : 0);
    EXPECT_EQ(trace.Lines().filter(QStringLiteral("attuale configurazione")), c.traced);
    EXPECT_TRUE(instrument.Writes().isEmpty());
    if (c.readFails)
        EXPECT_TRUE(ArchiveSnapshot() == archive);
    else // record 2 keeps what was read
        EXPECT_EQ(ImageOf(CArchive::kActualSettingID), ImageIn(instrument, 89));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReceiveEditTransmitEnds,
    ::testing::Values(EarlyEndCase{"read fails", true, {}},
                      EarlyEndCase{"configuration wizard cancelled", false, {kEditing, kNotEdited}}),
    CaseName());

// Over the auxiliary interface the wizard asks for the fitted modules instead of the network;
// the read takes them for record 2, and both runs go through the auxiliary window.
TEST_F(LinkCommandsTest, ReceiveEditTransmitOverTheAuxiliaryInterfaceReadsTheDeclaredModules)
{
    SimAuxLine sim;
    MessageRecorder answers({QMessageBox::Yes}); // a copy of record 2 archived
    const QAbstractItemModel *list = window->findChild<QTableView *>(QStringLiteral("dgProgrammi"))->model();
    const int listed = list->rowCount();
    LinkWindowWatch watch;
    RxTxUser user({CommPage(itAuxiliary),
                   {N,
                    [](CWizardPage &page) {
                        for (const char *option : {"optSlotA2", "optSlotC1"})
                            page.findChild<QRadioButton *>(QLatin1String(option))->click();
                    }},
                   {E}},
                  E);
    Run("mnuRxEditTxProgramma");
    EXPECT_EQ(user.Pages.value(1), QStringLiteral("FWModInstr ") + LoadResString(792));
    EXPECT_EQ(watch.Opened, QStringList({"FAuxProgSetup", "FAuxProgSetup"}));
    CConfiguration read;
    read.Load(CArchive::kActualSettingID);
    EXPECT_EQ(std::make_pair(read.ModInstr().SlotA(), read.ModInstr().SlotC()),
              std::make_pair(qint16(2), qint16(1)));
    QStringList requests;
    for (const QByteArray &request : sim.Line().Requests())
        requests.append(QString::fromLatin1(request));
    ASSERT_EQ(requests.value(0), QStringLiteral("READ"));
    EXPECT_EQ(requests.mid(1, 1), QStringList{"WRITE"});
    EXPECT_EQ(requests.last(), QStringLiteral("END"));
    EXPECT_EQ(sim.Aux().Commands().size(), requests.size() - 3);
    EXPECT_EQ(answers.Ids(), QList<int>{799});
    EXPECT_EQ(list->rowCount(), listed + 1);
}

} // namespace
