#include "Print_fixture.h"
#include "app/widgets/print/FPrinterSetup.h"
#include "app/widgets/print/PrintDlg.h"
#include "platform/SettingsStore.h"
#include "support/DataTable.h"
#include "support/TraceCapture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

const QString kSection = "Application printer";
const QStringList kKeys = {"DeviceName", "PaperSize", "Orientation", "PrintToFile"};

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

} // namespace

// Printer setup as the main window runs it, by the cases of tests/data/printer_setup.tsv: a new
// CPrintDlg reads the stored choice and shows the dialog, stores what OK leaves and makes it the
// run's choice.
TEST(PrinterSetup, ShowsStoresAndSelects)
{
    for (const QStringList &c : ReadDataTable("printer_setup.tsv")) {
        ASSERT_EQ(c.size(), 9) << c.join('\t').toStdString();
        TempUserDirs dirs;
        QList<std::pair<QString, FakePrinterCatalogue::Papers>> queues;
        if (c[1] == "two")
            queues = {{"Laser A", {QPageSize::A4, QPageSize::Letter, QPageSize::A3, QPageSize::Legal}},
                      {"Office B", {QPageSize::Letter, QPageSize::Legal}}};
        FakePrinterCatalogue printers(queues, "Office B");
        for (qsizetype i = 0; c[2] != "-" && i < kKeys.size(); ++i)
            Platform::WriteSetting(kSection, kKeys[i], c[2].split('|')[i]);
        TraceCapture trace;
        CPrintDlg dialog;
        dialog.SetApplicationName("IxoSoft");
        QString shown;
        QTimer::singleShot(0, [&] {
            auto *d = qobject_cast<FPrinterSetup *>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            shown = Shown(*d);
            if (c[3] != "-")
                Choose(*d, c[3]);
            d->findChild<QPushButton *>(c[4] == "OK" ? "cmdDialogOK" : "cmdDialogCancel")->click();
        });

        EXPECT_EQ(dialog.ShowPrintSetupDlg(), c[4] == "OK") << qPrintable(c[0]);
        QStringList stored;
        for (const QString &key : kKeys)
            stored << Platform::ReadSetting(kSection, key, "-");
        const CPrinterChoice current = ApplicationPrinter::Current();
        EXPECT_EQ(QStringList({shown, stored.join('|'),
                               QString("%1|%2|%3|%4")
                                   .arg(current.DeviceName)
                                   .arg(current.PaperSize)
                                   .arg(current.PageOrientation)
                                   .arg(current.PrintToFile ? "True" : "False")}),
                  c.mid(5, 3))
            << qPrintable(c[0]);
        EXPECT_TRUE(c[8] == "-" || trace.Lines().contains(c[8])) << qPrintable(c[0]);
    }
}

TEST(PrintDlg, PaperNames)
{
    EXPECT_EQ(QStringList({CPrintDlg::PaperSizeName(9), CPrintDlg::PaperSizeName(256),
                           CPrintDlg::PaperSizeName(0), CPrintDlg::PaperSizeName(42)}),
              QStringList({"A4, 210 x 297 mm", "User-defined", "Not recognized", "Not recognized"}));
}
