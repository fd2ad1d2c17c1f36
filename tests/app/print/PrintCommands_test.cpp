#include "Print_fixture.h"
#include "app/print/LayoutForms.h"
#include "app/print/PrintJob.h"
#include "app/widgets/print/FOption.h"
#include "app/widgets/print/PrintDlg.h"
#include "app/widgets/print/PrintOutput.h"
#include "common/Error.h"
#include "platform/SettingsStore.h"
#include "platform/widgets/PrintTable.h"
#include "support/ReadOnlyPath.h"
#include "support/TraceCapture.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QMenu>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSpinBox>

#include <numeric>

namespace {

// The main window over an archive holding the largest configuration, no printer installed
// (prints go to a PDF file), the stored printer choice landscape A3, every print option of the
// run on with a heading picture.
class PrintCommands : public AppTest
{
protected:
    void SetUp() override
    {
        QImage logo(600, 120, QImage::Format_RGB32);
        logo.fill(Qt::darkBlue);
        logo.save(files.filePath("logo.bmp"));
        logo.save(files.filePath("altro.bmp"));
        Platform::WriteSetting("Application printer", "PaperSize", "8");
        Platform::WriteSetting("Application printer", "Orientation", "2");
        Open();
        CConfiguration configuration;
        SetLargest(configuration);
        configuration.Add(g_Connection->NewID());
        Requery();
        COption &options = window->Option();
        options.SetPrintHeaderPage(true);
        options.SetHeaderPagePath(files.filePath("logo.bmp"));
        options.SetPrintNotePiePagina(true);
        options.SetNotePiePagina1("Prima nota");
        options.SetNotePiePagina2("Seconda nota");
        options.SetPrintPageNumber(true);
        table = window->findChild<Platform::CPrintTable *>("PrintTable");
        QObject::connect(table, &Platform::CPrintTable::PrintEnd, [this] { ++ends; });
    }
    // The preview in the list's place, with printing and printer setup waiting for it; or the
    // list and both commands enabled, as the File menu shows them when it opens.
    bool Previewing()
    {
        Q_EMIT window->findChild<QMenu *>("mnuFile")->aboutToShow();
        const bool preview = table->isVisible() && table->Busy();
        EXPECT_EQ(QList<bool>({List()->isVisible(), Action("mnuPrint")->isEnabled(),
                               Action("mnuPrinterSetup")->isEnabled()}),
                  QList<bool>(3, !preview));
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
// one critical message naming it. The PDF read back: the heading page with its labels and the
// picture (left out with a trace line when it cannot be read), then the table under its column
// headings, the notes and "n/N" at the foot of every page.
using PreviewEnds = Cases<PrintCommands, const char *>;

TEST_P(PreviewEnds, ListBackAndPrintingEnabled)
{
    const QString file = GetParam(); // "close": closed without printing; "": the file dialog cancelled
    const bool printed = file.endsWith(".pdf") && !file.contains('/');
    if (file == "no picture.pdf")
        window->Option().SetHeaderPagePath(files.filePath("missing.bmp"));
    TraceCapture trace;
    Trigger("mnuPrint");
    ASSERT_TRUE(Previewing());
    const auto &preview = *table->findChild<QPrintPreviewWidget *>();
    const QString pages = QString::number(preview.pageCount());
    auto *page = table->findChild<QLabel *>("lblPage");
    QStringList shown = {QString::number(preview.orientation()), page->text()};
    Trigger("cmdNextPage");
    shown << page->text();
    EXPECT_EQ(shown,
              QStringList({"1", LoadResStringArgs(768, {"1", pages}), LoadResStringArgs(768, {"2", pages})}));

    const QString path = file.isEmpty() || file == "close" ? QString() : files.filePath(file);
    if (file != "close") {
        FileDialogUser user(path);
        Trigger("cmdPrint");
        EXPECT_EQ(QStringList{user.Shown.value(0)} + user.Shown.mid(2),
                  QStringList({LoadResString(716), "Largest.pdf", "PDF file (*.pdf *.PDF)"}));
    }
    if (path.isEmpty()) {
        EXPECT_TRUE(Previewing() && ends == 0);
        Trigger("cmdClose");
    }
    EXPECT_FALSE(Previewing());
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(m_Messages.Lines(),
              file.contains('/')
                  ? QStringList{"3 " + LoadResStringArgs(717, {path, "No such file or directory"})}
                  : QStringList());
    if (!printed)
        return;

    const QStringList text = Poppler("pdftotext", {"-layout", path, "-"}).split('\f');
    const QStringList images = Poppler("pdfimages", {"-list", path}).split('\n').mid(2);
    ASSERT_EQ(text.size() - 1, pages.toInt());
    EXPECT_TRUE(Poppler("pdfinfo", {path}).contains("1191 x 842 pts (A3)"));
    EXPECT_EQ(trace.Lines().filter("Immagine di intestazione non leggibile: ").size(),
              file == "Largest.pdf" ? 0 : 1);
    // Per page, its words: the heading page's labels, the notes with "n/N" (pdftotext drops the
    // narrow blanks around the slash), the column headings; and its pictures.
    QString layout;
    for (int n = 1; n < text.size(); ++n) {
        const QString words = text[n - 1].simplified();
        layout += QString("%1%2%3%4 ")
                      .arg(words.contains(LoadResString(680) + " ___") &&
                           words.contains(LoadResString(681) + " ___"))
                      .arg(words.contains("Prima nota") &&
                           words.contains(QString("Seconda nota %1/%2").arg(n).arg(pages)))
                      .arg(words.contains(LoadResString(683) + ' ' + LoadResString(684)))
                      .arg(images.filter(QRegularExpression(QString("^ *%1 ").arg(n))).size());
    }
    EXPECT_EQ(layout, QString(file == "Largest.pdf" ? "1101 " : "1100 ") +
                          QString("0110 ").repeated(pages.toInt() - 1));
}

INSTANTIATE_TEST_SUITE_P(Endings, PreviewEnds,
                         ::testing::Values("close", "", "Largest.pdf", "no picture.pdf",
                                           "missing/print.pdf"));

// Where a page carries its ink: the percentage of all its ink in each eighth of its height.
QList<int> Ink(const QImage &page)
{
    QList<qint64> ink(8, 0);
    const QImage gray = page.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < gray.height(); ++y)
        for (int x = 0; x < gray.width(); ++x)
            ink[y * 8 / gray.height()] += 255 - qGray(gray.pixel(x, y));
    const qint64 total = std::max<qint64>(std::accumulate(ink.begin(), ink.end(), qint64(0)), 1);
    QList<int> bands;
    for (qint64 band : ink)
        bands << int(band * 100 / total);
    return bands;
}

// The pages the preview shows, each drawn 600 pixels wide: the scene holds one item a page,
// the paper inside a border of 1/25 of its longer side.
QList<QList<int>> PreviewInk(QPrintPreviewWidget &preview)
{
    QGraphicsScene &scene = *preview.findChild<QGraphicsView *>()->scene();
    QList<QGraphicsItem *> pages = scene.items();
    std::sort(pages.begin(), pages.end(), [](auto *a, auto *b) { return a->pos().y() < b->pos().y(); });
    QList<QList<int>> ink;
    for (const QGraphicsItem *page : pages) {
        const QRectF box = page->sceneBoundingRect();
        const qreal border = std::max(box.width(), box.height()) / 27;
        const QRectF paper = box.adjusted(border, border, -border, -border);
        QImage image(600, qRound(600 * paper.height() / paper.width()), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        scene.render(&painter, image.rect(), paper.adjusted(2, 2, -2, -2));
        painter.end();
        ink << Ink(image);
    }
    return ink;
}

QList<QList<int>> PdfInk(const QString &path)
{
    QTemporaryDir dir;
    Poppler("pdftoppm", {"-gray", "-scale-to-x", "600", "-scale-to-y", "-1", path, dir.filePath("p")});
    QList<QList<int>> ink;
    for (const QString &page : QDir(dir.path()).entryList(QDir::Files, QDir::Name))
        ink << Ink(QImage(dir.filePath(page)));
    return ink;
}

using PreviewAsPrinted = Cases<PrintCommands, const char *>;

// The preview shows on every page what the PDF of the same print shows: the same pages, their ink
// in the same places (within a few points: the PDF is drawn with bolder lines), with the heading
// page (and its picture) or without.
TEST_P(PreviewAsPrinted, PageByPage)
{
    const QString heading = GetParam();
    window->Option().SetPrintHeaderPage(heading != "none");
    if (heading != "picture")
        window->Option().SetHeaderPagePath(QString());
    Trigger("mnuPrint");
    const QList<QList<int>> shown = PreviewInk(*table->findChild<QPrintPreviewWidget *>());
    FileDialogUser user(files.filePath("print.pdf"));
    Trigger("cmdPrint");
    const QList<QList<int>> printed = PdfInk(files.filePath("print.pdf"));
    ASSERT_EQ(shown.size(), printed.size());
    for (qsizetype page = 0; page < shown.size(); ++page)
        for (qsizetype band = 0; band < 8; ++band)
            EXPECT_NEAR(shown[page][band], printed[page][band], 5) << "page " << page + 1 << " band " << band;
}

INSTANTIATE_TEST_SUITE_P(Heading, PreviewAsPrinted, ::testing::Values("none", "heading", "picture"));

// The print options dialog shows the run's options; each box enables its part, which keeps its
// text when off. The picture dialog opens on the picture in the box, else on the one chosen last,
// and fills the box; cancelled, it keeps whatever the box holds. OK keeps what the dialog shows
// for the rest of the run only, Cancel keeps the options.
TEST_F(PrintCommands, PrintOptionsOkLastsForTheRunCancelKeeps)
{
    QStringList seen;
    // Types "edit=text", clicks the boxes named and picks "=file" in the picture dialog, then
    // notes the path and which parts are enabled.
    const auto act = [&](CWizardPage &page, const QStringList &steps) {
        for (const QString &step : steps) {
            if (step.startsWith('=')) {
                FileDialogUser user(step.mid(1));
                page.findChild<QPushButton *>("cmdCercaIntestazione")->click();
                seen << user.Shown.value(0) + ' ' + user.Shown.value(2);
            } else if (step.contains('=')) {
                page.findChild<QLineEdit *>(step.section('=', 0, 0))->setText(step.section('=', 1));
            } else {
                page.findChild<QCheckBox *>(step)->click();
            }
        }
        QString parts = QFileInfo(page.findChild<QLineEdit *>("txtPathIntestazione")->text()).fileName();
        for (const char *name : {"frmPercorsoIntestazione", "txtPathIntestazione", "cmdCercaIntestazione",
                                 "frmNote", "txtNota1", "txtNota2"})
            parts += page.findChild<QWidget *>(name)->isEnabled() ? '+' : '-';
        seen << parts;
    };
    PageScript user({{IWizardPage::brEnd,
                      [&](CWizardPage &page) {
                          seen << page.windowTitle();
                          act(page, {"="});
                          act(page, {"txtPathIntestazione=" + files.filePath("nuovo.bmp"),
                                     "=" + files.filePath("altro.bmp")});
                          act(page, {"txtPathIntestazione=a mano.bmp", "="});
                          act(page, {"chkIntestazione", "chkNote", "txtNota1=Prima", "chkNumPagine"});
                      }},
                     {IWizardPage::brCancel, [&](CWizardPage &page) {
                          act(page, {"chkNote", "txtNota1="});
                      }}});
    Trigger("mnuPrintOption");
    Trigger("mnuPrintOption");
    const COption &o = window->Option();
    seen << QStringList({QString::number(o.PrintHeaderPage()), o.HeaderPagePath(),
                         QString::number(o.PrintNotePiePagina()), o.NotePiePagina1(), o.NotePiePagina2(),
                         QString::number(o.PrintPageNumber())})
                .join(' ');
    const QString picture = LoadResString(703) + ' ';
    EXPECT_EQ(seen,
              QStringList({LoadResString(700), picture + "logo.bmp", "logo.bmp++++++", picture + "nuovo.bmp",
                           "altro.bmp++++++", picture + "altro.bmp", "a mano.bmp++++++", "a mano.bmp------",
                           "a mano.bmp---+++", "0 a mano.bmp 0 Prima Seconda nota 0"}));
    EXPECT_FALSE(Platform::HasSetting("COption", "m_bPrintNotePiePagina"));
}

// What the printer dialog shows: each control shown, in tab order, as its value (the text of a
// combo box; a spin box's value and range; x or o for a button ticked or not), "~" when greyed.
QString Shown(QDialog &d)
{
    QStringList parts;
    for (QWidget *w = d.findChild<QWidget *>("cboPrinter"); w != d.findChild<QWidget *>("cmdDialogOK");
         w = w->nextInFocusChain()) {
        const auto *list = qobject_cast<QComboBox *>(w);
        const auto *number = qobject_cast<QSpinBox *>(w);
        const auto *button = qobject_cast<QAbstractButton *>(w);
        if (w->isVisible() && (list || number || button))
            parts << (list     ? list->currentText()
                      : number ? QString("%1 (%2-%3)")
                                     .arg(number->value())
                                     .arg(number->minimum())
                                     .arg(number->maximum())
                               : QString(button->isChecked() ? "x" : "o")) +
                         (w->isEnabled() ? "" : "~");
    }
    return parts.join(" | ");
}

// Plays the user of the printer dialogs shown while it lives, one script each: notes what the
// dialog shows, takes the steps, the last pressing a button.
class PrinterDialogUser
{
public:
    explicit PrinterDialogUser(QList<QStringList> scripts) : m_Scripts(std::move(scripts))
    {
        QObject::connect(&m_Timer, &QTimer::timeout, [this] {
            auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!d || d->property("played").toBool() || m_Scripts.isEmpty())
                return;
            d->setProperty("played", true);
            Shown << ::Shown(*d);
            for (const QString &step : m_Scripts.takeFirst()) {
                const QString name = step.section('=', 0, 0), value = step.section('=', 1);
                if (auto *list = d->findChild<QComboBox *>(name))
                    list->setCurrentIndex(name == "cboPaper" ? list->findData(value.toInt())
                                                             : list->findText(value));
                else if (auto *number = d->findChild<QSpinBox *>(name))
                    number->setValue(value.toInt());
                else
                    d->findChild<QAbstractButton *>(name)->click();
            }
        });
        m_Timer.start(5);
    }
    QStringList Shown;

private:
    QList<QStringList> m_Scripts;
    QTimer m_Timer;
};

// One call on the printer setup object and its answer; empty for a write.
QString Call(CPrintDlg &p, const QString &call)
{
    const QString name = call.section(' ', 0, 0);
    const QStringList a = call.section(' ', 1).split(',');
    const auto n = [&a](int i) { return qint16(a.value(i).toInt()); };
    const auto truth = [](bool value) { return QString(value ? "True" : "False"); };
    const QMap<QString, std::function<QString()>> reads = {
        {"Flags", [&] { return "0x" + QString::number(p.Flags(), 16); }},
        {"DeviceName", [&] { return p.DeviceName(); }},
        {"PaperSize", [&] { return QString::number(p.PaperSize()); }},
        {"PaperSizeStr", [&] { return p.PaperSizeStr(); }},
        {"PaperHeight", [&] { return QString::number(p.PaperHeight()); }},
        {"PaperWidth", [&] { return QString::number(p.PaperWidth()); }},
        {"PageOrientation", [&] { return QString::number(p.PageOrientation()); }},
        {"PrintToFile", [&] { return truth(p.PrintToFile()); }},
        {"PrintRange", [&] { return QString::number(p.PrintRange()); }},
        {"Copies", [&] { return QString::number(p.Copies()); }},
        {"Collate", [&] { return truth(p.Collate()); }},
        {"FromPage", [&] { return QString::number(p.FromPage()); }},
        {"ToPage", [&] { return QString::number(p.ToPage()); }},
    };
    const QMap<QString, std::function<void()>> writes = {
        {"SetApplicationName", [&] { p.SetApplicationName(a[0]); }},
        {"SetDeviceName", [&] { p.SetDeviceName(a[0]); }},
        {"SetPaperSize", [&] { p.SetPaperSize(a[0].toInt()); }},
        {"SetPageOrientation", [&] { p.SetPageOrientation(n(0)); }},
        {"SetPrintToFile", [&] { p.SetPrintToFile(n(0)); }},
        {"SetPrintRange", [&] { p.SetPrintRange(n(0)); }},
        {"SetMinMaxPage", [&] { p.SetMinMaxPage(n(0), n(1)); }},
        {"SetFromPageToPage", [&] { p.SetFromPageToPage(n(0), n(1)); }},
        {"EnableWarningMsg", [&] { p.EnableWarningMsg(n(0)); }},
        {"EnableSelection", [&] { p.EnableSelection(n(0)); }},
        {"EnablePageNumber", [&] { p.EnablePageNumber(n(0)); }},
        {"EnablePrintToFile", [&] { p.EnablePrintToFile(n(0)); }},
        {"HidePrintToFile", [&] { p.HidePrintToFile(n(0)); }},
    };
    if (name.startsWith("Show")) {
        PrinterDialogUser user({a});
        const bool confirmed = name == "ShowPrintDlg" ? p.ShowPrintDlg() : p.ShowPrintSetupDlg();
        return user.Shown.value(0) + " -> " + truth(confirmed);
    }
    if (reads.contains(name))
        return reads[name]();
    try {
        writes[name]();
    } catch (const CError &error) {
        return "error " + QString::number(error.Number());
    }
    return {};
}

// CPrintDlg by the cases of tests/data/printer_setup.tsv: a new object over the store and the
// printers of the case; its answers, the store it leaves and the program's printer afterwards.
TEST(PrintDlg, CallsAnswerStoreAndSelect)
{
    const QString section = "Application printer";
    const QStringList keys = {"DeviceName", "PaperSize", "Orientation", "PrintToFile"};
    for (const QStringList &c : ReadDataTable("printer_setup.tsv")) {
        ASSERT_EQ(c.size(), 8) << qPrintable(c[0]);
        TempUserDirs dirs;
        FakePrinterCatalogue printers(c[1] == "two");
        for (qsizetype i = 0; c[2] != "-" && i < keys.size(); ++i)
            Platform::WriteSetting(section, keys[i], c[2].split('|')[i]);
        TraceCapture trace;
        CPrintDlg dialog(printers.Printers());
        QStringList answers;
        for (const QString &call : c[3].split("; "))
            if (const QString answer = Call(dialog, call); !answer.isNull())
                answers << answer;
        QStringList stored;
        for (const QString &key : keys)
            stored << Platform::ReadSetting(section, key, "-");
        const CPrinterChoice current = ApplicationPrinter::Current(printers.Printers());
        const QString selected =
            current.DeviceName + '|' + Joined(current.PaperSize, current.PageOrientation).replace(' ', '|');
        EXPECT_EQ(QStringList({answers.join("; "), stored.join('|'), selected}), c.mid(4, 3))
            << qPrintable(c[0]);
        EXPECT_TRUE(c[7] == "-" || trace.Lines().contains(c[7])) << qPrintable(c[0]);
    }
}

// While it lives: how often the window's event loop turned, and whether it showed the hourglass
// meanwhile.
struct LoopWatch
{
    LoopWatch()
    {
        QObject::connect(&Timer, &QTimer::timeout, [this] {
            ++Ticks;
            Busy = Busy || (QApplication::overrideCursor() &&
                            QApplication::overrideCursor()->shape() == Qt::WaitCursor);
        });
        Timer.start(20);
    }
    int Ticks = 0;
    bool Busy = false;
    QTimer Timer;
};

// The reason a print system at server gives when it is "silent" or "closed".
QString PrintSystemReasonText(const QString &system, const QString &server)
{
    return system == "silent" ? LoadResStringArgs(850, {server, 1}) : LoadResStringArgs(851, {server});
}

using QueuePrints = Cases<PrintCommands, QStringList>;

// Print on a queue goes to the queue, no file asked for: the job named after the configuration,
// with the queue's own options, on the paper and orientation chosen. A queue that refuses the
// job, or a print system that cannot be reached or stays silent, is message 717 with the reason
// of that failure and a trace line; the print ends once either way, and the window's event loop
// turns while it waits.
TEST_P(QueuePrints, AsTheQueueAnswers)
{
    const QString system = GetParam()[0];
    printers.SetQueues(true);
    printers.Refusal = GetParam()[1];
    printers.Reach = system == "silent" || system == "closed";
    std::optional<PrintServer> server;
    if (system == "silent")
        server.emplace(true);
    const QString reason = printers.Reach
                               ? PrintSystemReasonText(system, server ? server->Path() : kNoPrintServer)
                               : printers.Refusal;
    Platform::WriteSetting("Application printer", "DeviceName", "Laser A");
    TraceCapture trace;
    Trigger("mnuPrint");
    const int pages = table->findChild<QPrintPreviewWidget *>()->pageCount();
    LoopWatch loop;
    Trigger("cmdPrint");
    EXPECT_TRUE(!Previewing() && ends == 1);
    EXPECT_EQ(printers.Jobs, reason.isEmpty()
                                 ? QStringList{QString("Laser A|Largest|sides=one-sided media=A3 "
                                                       "orientation-requested=4|%1")
                                                   .arg(pages)}
                                 : QStringList());
    EXPECT_EQ(m_Messages.Lines(), reason.isEmpty()
                                      ? QStringList()
                                      : QStringList{"3 " + LoadResStringArgs(717, {"Laser A", reason})});
    EXPECT_EQ(trace.Lines().filter("Stampa non riuscita: Laser A (" + reason + ")").size(),
              reason.isEmpty() ? 0 : 1);
    EXPECT_TRUE(!server || (loop.Ticks > 10 && loop.Busy && server->Connections > 0));
}

INSTANTIATE_TEST_SUITE_P(Answers, QueuePrints,
                         ::testing::Values(QStringList{"taken", ""},
                                           QStringList{"refused", "Not accepting jobs."},
                                           QStringList{"closed", ""}, QStringList{"silent", ""}),
                         CaseName());

using PrinterAbsent = Cases<PrintCommands, QStringList>;

// The stored printer is not there (a queue gone; a print system that cannot be reached or stays
// silent, its reason told too): the user is told, then chooses in printer setup, which lists it;
// OK on it is told again. The print goes on only on a printer that is there, and the stored
// choice changes only when the user confirms another one. The window's event loop turns while
// the print system is asked.
TEST_P(PrinterAbsent, ToldThenChosen)
{
    const QStringList &c = GetParam();
    std::optional<PrintServer> server;
    if (c[1] != "none") {
        Platform::SetPrinterCatalogue(nullptr);
        server.emplace(c[1] == "silent");
    }
    Platform::WriteSetting("Application printer", "DeviceName", "Laser A");
    QList<QStringList> scripts;
    for (const QString &script : c[3].split(';'))
        scripts << script.split(',');
    PrinterDialogUser user(scripts);
    LoopWatch loop;
    Trigger(qPrintable(c[2]));
    const QString told = "2 " + LoadResStringArgs(718, {"Laser A"}) +
                         (server ? "\n\r" + PrintSystemReasonText(c[1], server->Path()) : QString());
    // Told at first and after each OK on it.
    EXPECT_EQ(m_Messages.Lines(), QStringList(scripts.size(), told));
    EXPECT_EQ(user.Shown.filter(QRegularExpression("^Laser A \\| ")).size(), scripts.size());
    EXPECT_EQ(Previewing(), c[4] == "previewed");
    EXPECT_EQ(Platform::ReadSetting("Application printer", "DeviceName", {}), c[5]);
    EXPECT_TRUE(c[1] != "silent" || (loop.Ticks > 10 && loop.Busy));
}

// case, print system, command, the dialogs' scripts apart by ";", afterwards, stored device.
INSTANTIATE_TEST_SUITE_P(
    Choices, PrinterAbsent,
    ::testing::Values(
        QStringList{"cancelled", "none", "mnuPrint", "cmdDialogCancel", "-", "Laser A"},
        QStringList{"kept", "none", "mnuPrint", "cmdDialogOK;cmdDialogCancel", "-", "Laser A"},
        QStringList{"PDF file chosen", "none", "mnuPrint", "cboPrinter=PDF file,cmdDialogOK", "previewed",
                    "PDF file"},
        QStringList{"printer setup", "none", "mnuPrinterSetup", "cmdDialogCancel", "-", "Laser A"},
        QStringList{"printer setup kept", "none", "mnuPrinterSetup", "cmdDialogOK;cmdDialogCancel", "-",
                    "Laser A"},
        QStringList{"silent print system", "silent", "mnuPrint", "cmdDialogCancel", "-", "Laser A"},
        QStringList{"closed print system", "closed", "mnuPrinterSetup", "cmdDialogCancel", "-", "Laser A"}),
    CaseName());

// "PDF file" as the stored printer: Print asks the print system nothing, even one that stays
// silent; printer setup asks it for its printers and tells why none are listed.
TEST_F(PrintCommands, PdfFileStoredPrintsWithoutThePrintSystem)
{
    Platform::SetPrinterCatalogue(nullptr);
    PrintServer silent(true);
    Platform::WriteSetting("Application printer", "DeviceName", "PDF file");
    Trigger("mnuPrint");
    QApplication::processEvents();
    EXPECT_TRUE(Previewing() && silent.Connections == 0 && m_Messages.Lines().isEmpty());
    Trigger("cmdClose");
    PrinterDialogUser user({{"cmdDialogCancel"}});
    Trigger("mnuPrinterSetup");
    EXPECT_GT(silent.Connections, 0);
    EXPECT_EQ(m_Messages.Lines(), QStringList{"2 " + PrintSystemReasonText("silent", silent.Path())});
    EXPECT_TRUE(user.Shown.value(0).startsWith("PDF file | A3, 297 x 420 mm | o | x"));
}

// Printer setup's OK on a store that cannot be written: told once, nothing of the choice stored,
// and the run prints on it all the same.
TEST_F(PrintCommands, AChoiceTheStoreCannotKeepIsToldAndUsedForTheRun)
{
    const QByteArray stored = ReadFile(Platform::SettingsFilePath());
    const ReadOnlyPath readOnly(Platform::SettingsFilePath());
    if (!readOnly.Made())
        GTEST_SKIP() << "no read-only file here";
    PrinterDialogUser user({{"cboPaper=9", "optPortrait", "cmdDialogOK"}});
    Trigger("mnuPrinterSetup");
    EXPECT_EQ(m_Messages.Ids(), QList<int>{0});
    EXPECT_TRUE(m_Messages.Lines().value(0).startsWith(
        "2 " + LoadResStringArgs(852, {Platform::SettingsFilePath()}) + "\n\r"));
    EXPECT_EQ(ReadFile(Platform::SettingsFilePath()), stored);
    Trigger("mnuPrint");
    EXPECT_EQ(table->findChild<QPrintPreviewWidget *>()->orientation(), QPageLayout::Portrait);
    EXPECT_EQ(ApplicationPrinter::Current({}).PaperSize, 9);
}

// A job carries the queue's options that have a value, but the paper and the orientation are the
// printout's own, as CUPS reads them.
TEST(PrinterCatalogue, AJobCarriesValuesOnlyAndItsOwnPaperAndOrientation)
{
    Platform::CQueueJob job;
    job.PageSize = QPageSize(QPageSize::A3);
    job.Options = {{"landscape", ""},
                   {"media", "Letter"},
                   {"sides", "two-sided-long-edge"},
                   {"orientation-requested", "4"},
                   {"PageSize", "Legal"},
                   {"job-sheets", ""}};
    QStringList options;
    for (const QPageLayout::Orientation orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
        job.Orientation = orientation;
        for (const auto &[name, value] : Platform::JobOptions(job))
            options << name + '=' + value;
    }
    EXPECT_EQ(options.join(' '), "sides=two-sided-long-edge media=A3 orientation-requested=3 "
                                 "sides=two-sided-long-edge media=A3 orientation-requested=4");
}

// The print-table control: a print refused while one is running; a preview that cannot be laid
// out ends the print at once, PrintEnd once, the control idle, the error let through. (The ends
// of a previewed print are the print command's.)
TEST(PrintTable, RefusesASecondPrintAndEndsAFailedPreview)
{
    FakePrinterCatalogue printers;
    QTemporaryDir dir;
    Platform::CPrintTable table;
    QList<bool> busyAtEnds;
    QObject::connect(&table, &Platform::CPrintTable::PrintEnd, [&] { busyAtEnds << table.Busy(); });
    bool second = true;
    CPrintJob job;
    job.SetStyles(FIntestazioneDoc::Create(), FGriglia::Create());
    table.SetContent([&](QPagedPaintDevice &device, const QString &target) {
        second = table.StartPrint();
        job.Print(device, {}, target);
    });
    table.SetOutputSource([&] {
        return NewFileOutput(dir.filePath("print.pdf"),
                             ApplicationPrinter::PageLayout(ApplicationPrinter::Current({})), "Forno",
                             "IxoSoft");
    });
    EXPECT_TRUE(table.StartPrint());
    EXPECT_TRUE(!second && QFileInfo::exists(dir.filePath("print.pdf")));

    table.SetMode(Platform::CPrintTable::kPreviewMode);
    table.SetPreviewPrinterSource(
        [] { return ApplicationPrinter::NewPreviewPrinter(ApplicationPrinter::Current({})); });
    table.SetContent([](QPagedPaintDevice &, const QString &) {
        throw CError(MakeUserError(13999), "test", "content failed");
    });
    EXPECT_THROW(table.StartPrint(), CError);
    EXPECT_EQ(busyAtEnds, QList<bool>({false, false}));
    EXPECT_FALSE(table.Busy() || table.isVisible());
}

} // namespace
