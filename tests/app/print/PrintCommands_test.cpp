#include "../App_fixture.h"
#include "Print_fixture.h"
#include "app/widgets/print/FOption.h"
#include "app/widgets/print/FPrinterSetup.h"
#include "platform/SettingsStore.h"
#include "platform/widgets/PrintTable.h"
#include "wizard/widgets/PageScript_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPrintPreviewWidget>
#include <QSignalSpy>
#include <QTableView>

namespace {

// The main window over an archive holding the largest configuration, no printer installed:
// prints go to a PDF file.
class PrintCommands : public AppTest
{
protected:
    void SetUp() override
    {
        window.Load();
        window.show();
        CConfiguration configuration;
        SetLargest(configuration);
        configuration.Add(g_Connection->NewID());
        window.RequeryProgrammi();
        window.UpdateToolBarButtons();
    }
    void Trigger(const char *name) { window.findChild<QAction *>(name)->trigger(); }
    // The preview in the list's place, with printing and printer setup waiting for it; or the
    // list and both commands enabled, as the File menu shows them when it opens.
    bool Previewing()
    {
        Q_EMIT window.findChild<QMenu *>("mnuFile")->aboutToShow();
        const bool preview = table.isVisible() && table.Busy();
        EXPECT_EQ(window.findChild<QTableView *>("dgProgrammi")->isVisible(), !preview);
        for (const char *item : {"mnuPrint", "mnuPrinterSetup"})
            EXPECT_EQ(window.findChild<QAction *>(item)->isEnabled(), !preview) << item;
        return preview;
    }
    QPrintPreviewWidget &Preview() { return *table.findChild<QPrintPreviewWidget *>(); }

    FakePrinterCatalogue printers;
    QTemporaryDir files;
    FMain window;
    Platform::CPrintTable &table = *window.findChild<Platform::CPrintTable *>("PrintTable");
    QSignalSpy ends{&table, &Platform::CPrintTable::PrintEnd};
};

// The preview takes the stored printer choice, the first print of the run included; Print asks
// for the PDF file, and cancelling that goes back to the preview.
TEST_F(PrintCommands, PreviewShowsThePagesOnThePaperChosen)
{
    Platform::WriteSetting("Application printer", "Orientation", "2");
    Trigger("mnuPrint");
    ASSERT_TRUE(Previewing());
    const QString pages = QString::number(Preview().pageCount());
    EXPECT_EQ(Preview().orientation(), QPageLayout::Landscape);
    auto *page = table.findChild<QLabel *>("lblPage");
    EXPECT_EQ(page->text(), LoadResStringArgs(768, {"1", pages}));
    Trigger("cmdNextPage");
    EXPECT_EQ(page->text(), LoadResStringArgs(768, {"2", pages}));

    FileDialogUser cancel;
    Trigger("cmdPrint");
    EXPECT_EQ(cancel.Shown, QStringList({LoadResString(716), "Largest.pdf", "PDF file (*.pdf *.PDF)"}));
    EXPECT_TRUE(Previewing());
    EXPECT_EQ(ends.count(), 0);
}

// However the preview ends: PrintEnd once, the list back, printing enabled again; a file that
// cannot be written is one critical message naming it.
struct PreviewEnding
{
    const char *what;
    const char *file; // nullptr: closed without printing
    bool fails;
    friend void PrintTo(const PreviewEnding &c, std::ostream *os) { *os << c.what; }
};

class PreviewEnds : public PrintCommands, public ::testing::WithParamInterface<PreviewEnding>
{};

TEST_P(PreviewEnds, ListBackAndPrintingEnabled)
{
    const PreviewEnding &c = GetParam();
    Trigger("mnuPrint");
    const int pages = Preview().pageCount();
    const QString path = c.file ? files.filePath(c.file) : QString();
    std::optional<FileDialogUser> user;
    if (c.file)
        user.emplace(path);
    Trigger(c.file ? "cmdPrint" : "cmdClose");

    EXPECT_FALSE(Previewing());
    EXPECT_EQ(ends.count(), 1);
    ASSERT_EQ(m_Messages.Shown().size(), c.fails ? 1 : 0);
    if (c.fails) {
        EXPECT_EQ(m_Messages.Shown()[0].Icon, QMessageBox::Critical);
        EXPECT_EQ(m_Messages.Shown()[0].Text, LoadResStringArgs(717, {path}));
    } else if (c.file) {
        EXPECT_EQ(PdfFile(path).Pages(), pages);
    }
}

INSTANTIATE_TEST_SUITE_P(Endings, PreviewEnds,
                         ::testing::Values(PreviewEnding{"closed", nullptr, false},
                                           PreviewEnding{"printed", "Largest.pdf", false},
                                           PreviewEnding{"not written", "missing/print.pdf", true}));

TEST_F(PrintCommands, PrinterSetupOpensOverTheWindowAndCancelWritesNothing)
{
    QString shown;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<FPrinterSetup *>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog && dialog->parentWidget() == &window);
        shown = dialog->findChild<QComboBox *>("cboPrinter")->currentText();
        dialog->findChild<QPushButton *>("cmdDialogCancel")->click();
    });
    Trigger("mnuPrinterSetup");
    EXPECT_EQ(shown, ApplicationPrinter::PdfDeviceName());
    EXPECT_FALSE(Platform::HasSetting("Application printer", "DeviceName"));
}

// The options start from the store; each box enables its part, which keeps its text when off;
// OK keeps what the dialog shows for the rest of the run only, Cancel keeps the options.
TEST_F(PrintCommands, PrintOptionsOkLastsForTheRunCancelKeeps)
{
    QStringList seen;
    // Types "edit=text" and clicks the boxes named, then notes which parts are enabled.
    const auto act = [&](CWizardPage &page, const QStringList &steps) {
        for (const QString &step : steps) {
            if (step.contains('='))
                page.findChild<QLineEdit *>(step.section('=', 0, 0))->setText(step.section('=', 1));
            else
                page.findChild<QCheckBox *>(step)->click();
        }
        QString parts;
        for (const char *name : {"frmPercorsoIntestazione", "txtPathIntestazione", "cmdCercaIntestazione",
                                 "frmNote", "txtNota1", "txtNota2"})
            parts += page.findChild<QWidget *>(name)->isEnabled() ? '+' : '-';
        seen << page.findChild<QLineEdit *>("txtPathIntestazione")->text() + parts;
    };
    PageScript user(
        {{IWizardPage::brEnd,
          [&](CWizardPage &page) {
              seen << page.windowTitle();
              act(page, {});
              act(page, {"chkIntestazione", "txtPathIntestazione=/srv/logo.bmp"});
              act(page, {"chkIntestazione", "chkNote", "txtNota1=Prima", "txtNota2=Seconda", "chkNumPagine"});
          }},
         {IWizardPage::brCancel, [&](CWizardPage &page) {
              act(page, {"chkNote", "txtNota1="});
          }}});
    Trigger("mnuPrintOption");
    Trigger("mnuPrintOption");

    EXPECT_EQ(seen, QStringList({LoadResString(700), "------", "/srv/logo.bmp+++---", "/srv/logo.bmp---+++",
                                 "/srv/logo.bmp------"}));
    const COption &o = window.Option();
    EXPECT_EQ(QStringList({QString::number(o.PrintHeaderPage()), o.HeaderPagePath(),
                           QString::number(o.PrintNotePiePagina()), o.NotePiePagina1(), o.NotePiePagina2(),
                           QString::number(o.PrintPageNumber())}),
              QStringList({"0", "/srv/logo.bmp", "1", "Prima", "Seconda", "1"}));
    EXPECT_FALSE(Platform::HasSetting("COption", "m_bPrintNotePiePagina"));
}

// The picture dialog fills the path box; cancelling it keeps whatever the box holds, and it
// opens again on the picture chosen.
TEST(FOptionPicture, CancelKeepsTheBox)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath("logo.png");
    QImage(8, 8, QImage::Format_RGB32).save(picture);
    COption options;
    options.SetPrintHeaderPage(true);
    options.SetHeaderPagePath(dir.filePath("typed.png"));
    FOption page;
    page.SetFormType(IWizardPage::ftDialog);
    page.SetData(options);
    page.show();
    auto *path = page.findChild<QLineEdit *>("txtPathIntestazione");
    auto *choose = page.findChild<QPushButton *>("cmdCercaIntestazione");

    FileDialogUser cancel;
    choose->click();
    EXPECT_EQ(cancel.Shown,
              QStringList({LoadResString(703), "typed.png", "Images (*.bmp *.BMP *.jpg *.JPG *.*)"}));
    EXPECT_EQ(path->text(), dir.filePath("typed.png"));
    FileDialogUser choice(picture);
    choose->click();
    EXPECT_TRUE(path->text() == picture && page.focusWidget() == path);
    path->setText("a mano.png");
    FileDialogUser again;
    choose->click();
    EXPECT_EQ(again.Shown.value(1), "logo.png");
    EXPECT_EQ(path->text(), "a mano.png");
}

} // namespace
