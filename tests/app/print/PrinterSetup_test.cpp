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

const QString kSection = "Application printer";
const QStringList kKeys = {"DeviceName", "PaperSize", "Orientation", "PrintToFile"};

// Printer setup as the main window runs it: a new CPrintDlg reads the stored choice and shows
// the dialog; the user maybe chooses device|paper|orientation, then OK or Cancel. Choices are
// written as the store keeps them: "device|paper|orientation|print to file"; the dialog shows
// those and "enabled" or "disabled" print to file and the number of papers offered.
struct SetupCase
{
    const char *what;
    QString stored;
    QString choice;
    bool ok;
    QString shown;
    QString storedAfter;
    QString current;
    const char *trace = nullptr;
    bool noPrinter = false;
    friend void PrintTo(const SetupCase &c, std::ostream *os) { *os << c.what; }
};

QString Shown(FPrinterSetup &d)
{
    auto *papers = d.findChild<QComboBox *>("cboPaper");
    auto *toFile = d.findChild<QCheckBox *>("chkPrintToFile");
    return QStringList({d.findChild<QComboBox *>("cboPrinter")->currentText(),
                        papers->currentData().toString(),
                        d.findChild<QRadioButton *>("optLandscape")->isChecked() ? "2" : "1",
                        toFile->isChecked() ? "True" : "False", toFile->isEnabled() ? "enabled" : "disabled",
                        QString::number(papers->count())})
        .join('|');
}

void Choose(FPrinterSetup &d, const QString &choice)
{
    const QStringList c = choice.split('|');
    auto *devices = d.findChild<QComboBox *>("cboPrinter");
    devices->setCurrentIndex(devices->findText(c[0]));
    auto *papers = d.findChild<QComboBox *>("cboPaper");
    papers->setCurrentIndex(papers->findData(c[1].toInt()));
    d.findChild<QRadioButton *>(c[2] == "2" ? "optLandscape" : "optPortrait")->setChecked(true);
}

// Two queues; "Office B", on Letter, is the system's default.
class PrinterSetup : public ::testing::TestWithParam<SetupCase>
{
protected:
    TempUserDirs dirs;
    FakePrinterCatalogue printers{
        {{"Laser A", {QPageSize::A4, QPageSize::Letter, QPageSize::A3, QPageSize::Legal}},
         {"Office B", {QPageSize::Letter, QPageSize::Legal}}},
        "Office B"};
};

} // namespace

TEST_P(PrinterSetup, ShowsStoresAndSelects)
{
    const SetupCase &c = GetParam();
    std::optional<FakePrinterCatalogue> none;
    if (c.noPrinter)
        none.emplace();
    for (qsizetype i = 0; !c.stored.isEmpty() && i < kKeys.size(); ++i)
        Platform::WriteSetting(kSection, kKeys[i], c.stored.split('|')[i]);
    TraceCapture trace;
    CPrintDlg dialog;
    dialog.SetApplicationName("IxoSoft");
    QString shown;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *d = qobject_cast<FPrinterSetup *>(QApplication::activeModalWidget());
            d && shown.isEmpty()) {
            shown = Shown(*d);
            if (!c.choice.isEmpty())
                Choose(*d, c.choice);
            d->findChild<QPushButton *>(c.ok ? "cmdDialogOK" : "cmdDialogCancel")->click();
        }
    });
    poll.start(5);

    EXPECT_EQ(dialog.ShowPrintSetupDlg(), c.ok);
    EXPECT_EQ(shown, c.shown);
    QStringList stored;
    for (const QString &key : kKeys)
        stored << Platform::ReadSetting(kSection, key, "-");
    EXPECT_EQ(stored.join('|'), c.storedAfter);
    const CPrinterChoice current = ApplicationPrinter::Current();
    EXPECT_EQ(QStringLiteral("%1|%2|%3|%4")
                  .arg(current.DeviceName)
                  .arg(current.PaperSize)
                  .arg(current.PageOrientation)
                  .arg(current.PrintToFile ? "True" : "False"),
              c.current);
    if (c.trace) {
        EXPECT_TRUE(trace.Lines().contains(c.trace)) << trace.Lines().join('\n').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Store, PrinterSetup,
    ::testing::Values(
        SetupCase{"first run", "", "", true, "Office B|1|1|False|enabled|2", "Office B|1|1|False",
                  "Office B|1|1|False"},
        SetupCase{"landscape A4", "", "Laser A|9|2", true, "Office B|1|1|False|enabled|2",
                  "Laser A|9|2|False", "Laser A|9|2|False"},
        SetupCase{"landscape A4 shown again", "Laser A|9|2|False", "", false, "Laser A|9|2|False|enabled|4",
                  "Laser A|9|2|False", "Laser A|9|2|False"},
        SetupCase{"cancel", "", "Laser A|8|2", false, "Office B|1|1|False|enabled|2", "-|-|-|-",
                  "Office B|1|1|False"},
        SetupCase{"unknown device", "Ghost|5|2|True", "", false, "Office B|5|2|True|enabled|2",
                  "Ghost|5|2|True", "Office B|5|2|True"},
        // A hand-edited store: the value gives way to the current printer's own, with a trace line.
        SetupCase{"paper not a number", "Laser A|A4|2|True", "", false, "Laser A|1|2|True|enabled|4",
                  "Laser A|A4|2|True", "Laser A|1|2|True", "Formato carta memorizzato non valido: A4"},
        SetupCase{"paper out of range", "Laser A|70000|2|True", "", false, "Laser A|1|2|True|enabled|4",
                  "Laser A|70000|2|True", "Laser A|1|2|True", "Formato carta memorizzato non valido: 70000"},
        SetupCase{"orientation not a number", "Laser A|8|landscape|True", "", false,
                  "Laser A|8|1|True|enabled|4", "Laser A|8|landscape|True", "Laser A|8|1|True",
                  "Orientamento memorizzato non valido: landscape"},
        SetupCase{"print to file not a truth value", "Laser A|8|2|maybe", "", false,
                  "Laser A|8|2|False|enabled|4", "Laser A|8|2|maybe", "Laser A|8|2|False",
                  "Stampa su file memorizzata non valida: maybe"},
        // With no printer installed the PDF file is there, and always prints to a file.
        SetupCase{"no printer", "", "", true, "PDF file|9|1|True|disabled|41", "PDF file|9|1|True",
                  "PDF file|9|1|True", nullptr, true}));

TEST(PrintDlg, PaperNames)
{
    const QStringList names = {CPrintDlg::PaperSizeName(9), CPrintDlg::PaperSizeName(256),
                               CPrintDlg::PaperSizeName(0), CPrintDlg::PaperSizeName(42)};
    EXPECT_EQ(names, QStringList({"A4, 210 x 297 mm", "User-defined", "Not recognized", "Not recognized"}));
}
