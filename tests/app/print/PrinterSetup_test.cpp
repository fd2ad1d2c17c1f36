#include "Print_fixture.h"
#include "app/widgets/print/FPrinterSetup.h"
#include "app/widgets/print/PrintDlg.h"
#include "platform/SettingsStore.h"
#include "support/TraceCapture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

const QString kSection = QStringLiteral("Application printer");
const QStringList kKeys = {"DeviceName", "PaperSize", "Orientation", "PrintToFile"};

// What the dialog shows.
struct CShown
{
    QString printer;
    QStringList papers;
    QString paper;
    bool landscape = false;
    bool toFile = false;
    bool toFileEnabled = false;
};

// Printer setup as the main window runs it, on two fake queues; "Office B" is the default.
class PrinterSetup : public ::testing::Test
{
protected:
    PrinterSetup()
        : printers({PrinterEntry("Laser A", QPageSize::A4,
                                 {QPageSize::A4, QPageSize::Letter, QPageSize::A3, QPageSize::Legal}),
                    PrinterEntry("Office B", QPageSize::Letter, {QPageSize::Letter, QPageSize::Legal})},
                   "Office B")
    {}

    // Shows the dialog of a new CPrintDlg that read the stored choice; `step` runs on the dialog
    // and ends it. Returns what ShowPrintSetupDlg returned.
    bool Run(const std::function<void(FPrinterSetup &)> &step)
    {
        CPrintDlg dialog;
        dialog.SetApplicationName(QStringLiteral("IxoSoft"));
        bool stepped = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto *shown = qobject_cast<FPrinterSetup *>(QApplication::activeModalWidget());
            if (shown && !stepped) {
                stepped = true;
                step(*shown);
            }
        });
        poll.start(5);
        const bool result = dialog.ShowPrintSetupDlg();
        EXPECT_TRUE(stepped);
        return result;
    }

    static CShown Shown(FPrinterSetup &dialog)
    {
        CShown shown;
        auto *papers = dialog.findChild<QComboBox *>("cboPaper");
        shown.printer = dialog.findChild<QComboBox *>("cboPrinter")->currentText();
        for (int i = 0; i < papers->count(); ++i)
            shown.papers << papers->itemText(i);
        shown.paper = papers->currentText();
        shown.landscape = dialog.findChild<QRadioButton *>("optLandscape")->isChecked();
        auto *toFile = dialog.findChild<QCheckBox *>("chkPrintToFile");
        shown.toFile = toFile->isChecked();
        shown.toFileEnabled = toFile->isEnabled();
        return shown;
    }
    static void Choose(FPrinterSetup &dialog, const QString &printer, int paperCode, bool landscape)
    {
        auto *printers = dialog.findChild<QComboBox *>("cboPrinter");
        printers->setCurrentIndex(printers->findText(printer));
        auto *papers = dialog.findChild<QComboBox *>("cboPaper");
        papers->setCurrentIndex(papers->findData(paperCode));
        dialog.findChild<QRadioButton *>(landscape ? "optLandscape" : "optPortrait")->setChecked(true);
    }
    static void Click(FPrinterSetup &dialog, const char *button)
    {
        dialog.findChild<QPushButton *>(button)->click();
    }
    static QStringList Stored()
    {
        QStringList values;
        for (const QString &key : kKeys)
            values << Platform::ReadSetting(kSection, key, QStringLiteral("(none)"));
        return values;
    }
    static void Store(const QStringList &values)
    {
        for (qsizetype i = 0; i < kKeys.size(); ++i)
            Platform::WriteSetting(kSection, kKeys[i], values[i]);
    }

    TempUserDirs dirs;
    FakePrinterCatalogue printers;
};

const QString kLetter = CPrintDlg::PaperSizeName(1);
const QString kLegal = CPrintDlg::PaperSizeName(5);
const QString kA3 = CPrintDlg::PaperSizeName(8);
const QString kA4 = CPrintDlg::PaperSizeName(9);

} // namespace

TEST_F(PrinterSetup, FirstRunOpensOnTheDefaultPrinterAndOkStoresTheFourKeys)
{
    CShown shown;
    EXPECT_TRUE(Run([&](FPrinterSetup &dialog) {
        shown = Shown(dialog);
        Click(dialog, "cmdDialogOK");
    }));

    EXPECT_EQ(shown.printer, "Office B");
    EXPECT_EQ(shown.papers, QStringList({kLetter, kLegal}));
    EXPECT_EQ(shown.paper, kLetter);
    EXPECT_FALSE(shown.landscape);
    EXPECT_FALSE(shown.toFile);
    EXPECT_TRUE(shown.toFileEnabled);
    EXPECT_EQ(Stored(), QStringList({"Office B", "1", "1", "False"}));
}

TEST_F(PrinterSetup, LandscapeA4IsStoredSelectedAndShownAgain)
{
    EXPECT_TRUE(Run([&](FPrinterSetup &dialog) {
        Choose(dialog, "Laser A", 9, true);
        Click(dialog, "cmdDialogOK");
    }));
    EXPECT_EQ(Stored(), QStringList({"Laser A", "9", "2", "False"}));
    EXPECT_EQ(ApplicationPrinter::Current(), (CPrinterChoice{"Laser A", 9, 2, false}));

    CShown shown;
    EXPECT_FALSE(Run([&](FPrinterSetup &dialog) {
        shown = Shown(dialog);
        Click(dialog, "cmdDialogCancel");
    }));
    EXPECT_EQ(shown.printer, "Laser A");
    EXPECT_EQ(shown.papers, QStringList({kLetter, kLegal, kA3, kA4}));
    EXPECT_EQ(shown.paper, kA4);
    EXPECT_TRUE(shown.landscape);
}

TEST_F(PrinterSetup, CancelWritesAndSelectsNothing)
{
    const CPrinterChoice before = ApplicationPrinter::Current();
    EXPECT_FALSE(Run([&](FPrinterSetup &dialog) {
        Choose(dialog, "Laser A", 8, true);
        Click(dialog, "cmdDialogCancel");
    }));
    for (const QString &key : kKeys)
        EXPECT_FALSE(Platform::HasSetting(kSection, key)) << key.toStdString();
    EXPECT_EQ(ApplicationPrinter::Current(), before);
}

TEST_F(PrinterSetup, UnknownStoredDeviceKeepsTheCurrentPrinterWithTheStoredPaper)
{
    Store({"Ghost", "5", "2", "True"});
    CShown shown;
    Run([&](FPrinterSetup &dialog) {
        shown = Shown(dialog);
        Click(dialog, "cmdDialogCancel");
    });
    EXPECT_EQ(ApplicationPrinter::Current(), (CPrinterChoice{"Office B", 5, 2, true}));
    EXPECT_EQ(shown.printer, "Office B");
    EXPECT_EQ(shown.paper, kLegal);
    EXPECT_TRUE(shown.landscape);
    EXPECT_TRUE(shown.toFile);
}

TEST_F(PrinterSetup, NoPrinterInstalledOffersThePdfFile)
{
    FakePrinterCatalogue none;
    CShown shown;
    EXPECT_TRUE(Run([&](FPrinterSetup &dialog) {
        shown = Shown(dialog);
        Click(dialog, "cmdDialogOK");
    }));
    EXPECT_EQ(shown.printer, ApplicationPrinter::PdfDeviceName());
    EXPECT_EQ(shown.paper, kA4);
    EXPECT_TRUE(shown.papers.contains(kLetter) && shown.papers.contains(kA3));
    EXPECT_TRUE(shown.toFile);
    EXPECT_FALSE(shown.toFileEnabled);
    EXPECT_EQ(Stored(), QStringList({ApplicationPrinter::PdfDeviceName(), "9", "1", "True"}));
}

TEST(PrintDlg, PaperNamesAndOrientationValues)
{
    EXPECT_EQ(CPrintDlg::PaperSizeName(9), "A4, 210 x 297 mm");
    EXPECT_EQ(CPrintDlg::PaperSizeName(41), "German Legal Fanfold, 8 1/2 x 13 in.");
    EXPECT_EQ(CPrintDlg::PaperSizeName(256), "User-defined");
    for (qint32 code : {0, 42, -1, 255, 257})
        EXPECT_EQ(CPrintDlg::PaperSizeName(code), "Not recognized") << code;
    CPrintDlg dialog;
    for (auto [value, stored] : {std::pair{2, 2}, {1, 1}, {0, 1}, {5, 1}}) {
        dialog.SetPageOrientation(value);
        EXPECT_EQ(dialog.PageOrientation(), stored) << value;
    }
}

namespace {

struct BadSetting
{
    const char *key;
    const char *text;
    const char *trace;
    friend void PrintTo(const BadSetting &c, std::ostream *os) { *os << c.key << '=' << c.text; }
};

class BadStoredSetting : public PrinterSetup, public ::testing::WithParamInterface<BadSetting>
{};

} // namespace

// A hand-edited store: the value gives way to the current printer's own, with a trace line;
// the other keys still count.
TEST_P(BadStoredSetting, FallsBackToTheCurrentPrintersValue)
{
    const BadSetting &c = GetParam();
    Store({"Laser A", "8", "2", "True"});
    Platform::WriteSetting(kSection, c.key, c.text);
    TraceCapture trace;

    CPrintDlg dialog;
    dialog.SetApplicationName(QStringLiteral("IxoSoft"));

    CPrinterChoice expected{"Laser A", 8, 2, true};
    if (QString(c.key) == "PaperSize")
        expected.PaperSize = 1;
    else if (QString(c.key) == "Orientation")
        expected.PageOrientation = 1;
    else
        expected.PrintToFile = false;
    EXPECT_EQ(ApplicationPrinter::Current(), expected);
    EXPECT_TRUE(trace.Lines().contains(QString(c.trace) + c.text)) << trace.Lines().join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Store, BadStoredSetting,
    ::testing::Values(BadSetting{"PaperSize", "A4", "Formato carta memorizzato non valido: "},
                      BadSetting{"PaperSize", "70000", "Formato carta memorizzato non valido: "},
                      BadSetting{"PaperSize", "0", "Formato carta memorizzato non valido: "},
                      BadSetting{"PaperSize", "256", "Formato carta memorizzato non valido: "},
                      BadSetting{"Orientation", "landscape", "Orientamento memorizzato non valido: "},
                      BadSetting{"PrintToFile", "maybe", "Stampa su file memorizzata non valida: "}));
