#include "../App_fixture.h"
#include "Print_fixture.h"
#include "app/widgets/print/FOption.h"
#include "app/widgets/print/FPrinterSetup.h"
#include "platform/SettingsStore.h"
#include "platform/widgets/PrintTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPrintPreviewWidget>

namespace {

// The main window over an archive holding the largest configuration, no printer installed:
// prints go to a PDF file.
class PrintCommands : public AppTest
{
protected:
    void SetUp() override
    {
        Open();
        CConfiguration configuration;
        SetLargest(configuration);
        configuration.Add(g_Connection->NewID());
        Requery();
        table = window->findChild<Platform::CPrintTable *>("PrintTable");
        QObject::connect(table, &Platform::CPrintTable::PrintEnd, [this] { ++ends; });
    }
    // The preview in the list's place, with printing and printer setup waiting for it; or the
    // list and both commands enabled, as the File menu shows them when it opens.
    bool Previewing()
    {
        Q_EMIT window->findChild<QMenu *>("mnuFile")->aboutToShow();
        const bool preview = table->isVisible() && table->Busy();
        EXPECT_EQ(List()->isVisible(), !preview);
        for (const char *item : {"mnuPrint", "mnuPrinterSetup"})
            EXPECT_EQ(Action(item)->isEnabled(), !preview) << item;
        return preview;
    }

    FakePrinterCatalogue printers;
    QTemporaryDir files;
    int ends = 0;
    Platform::CPrintTable *table = nullptr;
};

// The preview shows the pages on the stored printer choice, the first print of the run
// included. However it ends: PrintEnd once, the list back, printing enabled again. Print asks
// for the PDF file; cancelling that goes back to the preview; a file that cannot be written is
// one critical message naming it.
struct PreviewEnding
{
    const char *what;
    const char *file; // nullptr: closed without printing; "": the file dialog cancelled, then closed
    bool fails;
    friend void PrintTo(const PreviewEnding &c, std::ostream *os) { *os << c.what; }
};

class PreviewEnds : public PrintCommands, public ::testing::WithParamInterface<PreviewEnding>
{};

TEST_P(PreviewEnds, ListBackAndPrintingEnabled)
{
    const PreviewEnding &c = GetParam();
    Platform::WriteSetting("Application printer", "Orientation", "2");
    Trigger("mnuPrint");
    ASSERT_TRUE(Previewing());
    auto &preview = *table->findChild<QPrintPreviewWidget *>();
    EXPECT_EQ(preview.orientation(), QPageLayout::Landscape);
    const QString pages = QString::number(preview.pageCount());
    auto *page = table->findChild<QLabel *>("lblPage");
    EXPECT_EQ(page->text(), LoadResStringArgs(768, {"1", pages}));
    Trigger("cmdNextPage");
    EXPECT_EQ(page->text(), LoadResStringArgs(768, {"2", pages}));

    const QString path = c.file && *c.file ? files.filePath(c.file) : QString();
    if (c.file) {
        FileDialogUser user(path);
        Trigger("cmdPrint");
        EXPECT_EQ(QStringList{user.Shown.value(0)} + user.Shown.mid(2),
                  QStringList({LoadResString(716), "Largest.pdf", "PDF file (*.pdf *.PDF)"}));
    }
    if (path.isEmpty()) {
        EXPECT_TRUE(Previewing());
        EXPECT_EQ(ends, 0);
        Trigger("cmdClose");
    }
    EXPECT_FALSE(Previewing());
    EXPECT_EQ(ends, 1);
    QStringList shown;
    for (const CMessage &message : m_Messages.Shown())
        shown << QString("%1 %2").arg(message.Icon).arg(message.Text);
    EXPECT_EQ(shown, c.fails ? QStringList{"3 " + LoadResStringArgs(717, {path})} : QStringList());
    EXPECT_TRUE(c.fails || path.isEmpty() || PdfFile(path).Pages() == pages.toInt());
}

INSTANTIATE_TEST_SUITE_P(Endings, PreviewEnds,
                         ::testing::Values(PreviewEnding{"closed", nullptr, false},
                                           PreviewEnding{"file dialog cancelled", "", false},
                                           PreviewEnding{"printed", "Largest.pdf", false},
                                           PreviewEnding{"not written", "missing/print.pdf", true}));

TEST_F(PrintCommands, PrinterSetupOpensOverTheWindowAndCancelWritesNothing)
{
    QString shown;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<FPrinterSetup *>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog && dialog->parentWidget() == window.get());
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
    const COption &o = window->Option();
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
    EXPECT_EQ(cancel.Shown, QStringList({LoadResString(703), dir.path(), "typed.png",
                                         "Images (*.bmp *.BMP *.jpg *.JPG *.*)"}));
    EXPECT_EQ(path->text(), dir.filePath("typed.png"));
    FileDialogUser choice(picture);
    choose->click();
    EXPECT_TRUE(path->text() == picture && page.focusWidget() == path);
    path->setText("a mano.png");
    FileDialogUser again;
    choose->click();
    EXPECT_EQ(again.Shown.value(2), "logo.png");
    EXPECT_EQ(path->text(), "a mano.png");
}

} // namespace
