#include "Print_fixture.h"
#include "app/widgets/print/PrintTableContent.h"
#include "common/Error.h"
#include "common/ResString.h"
#include "platform/SettingsStore.h"
#include "support/TraceCapture.h"

#include <QFileInfo>
#include <QImage>
#include <QPrinter>

namespace {

// The largest configuration printed as the main window prints it: through the print-table
// control, every option on, onto the PDF file of the stored printer choice (landscape A4, read
// without printer setup first). A heading picture that is missing or no picture is left out,
// with a trace line.
class PrintToPdf : public ArchiveTest, public ::testing::WithParamInterface<const char *>
{};

TEST_P(PrintToPdf, HeadingPageThenTheTableUnderItsHeadingsAndTheFootOnEveryPage)
{
    FakePrinterCatalogue printers;
    QTemporaryDir dir;
    QImage logo(300, 120, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    logo.save(dir.filePath("logo.bmp"));
    QFile garbage(dir.filePath("garbage.bmp"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly) && garbage.write("not a picture") > 0);
    garbage.close();
    const QStringList keys = {"DeviceName", "PaperSize", "Orientation", "PrintToFile"},
                      values = {ApplicationPrinter::PdfDeviceName(), "9", "2", "True"};
    for (int i = 0; i < 4; ++i)
        Platform::WriteSetting("Application printer", keys[i], values[i]);
    CConfiguration configuration;
    SetLargest(configuration);
    const qint32 id = g_Connection->NewID();
    configuration.Add(id);

    Platform::CPrintTable table;
    table.SetProgramName("IxoSoft");
    table.InitLayout(10, 10, 20, 10);
    const QString picture = dir.filePath(GetParam());
    table.SetEnableHeader(true);
    table.SetHeaderPicture(picture);
    table.SetEnableNote(true);
    table.SetNote1("Checked by the first note");
    table.SetNote2("Kept with the second note");
    table.SetEnablePageNumber(true);
    // IXO_KEEP_PDF names a file to keep the printout in, to look at it.
    const QString path = qEnvironmentVariable("IXO_KEEP_PDF", dir.filePath("print.pdf"));
    table.SetContent(PrintTableContent(std::make_shared<CPrintJob>(CPrintJob::ForConfiguration(id))));
    table.SetPrinterSource(
        [path] { return ApplicationPrinter::NewPrinter(ApplicationPrinter::ForPrint(), path); });
    TraceCapture trace;
    table.StartPrint();

    const PdfFile pdf(path);
    const int pages = pdf.Pages();
    const bool drawn = GetParam() == QLatin1String("logo.bmp");
    ASSERT_GE(pages, 3) << "the heading page and two table pages or more";
    EXPECT_EQ(pdf.Info("Creator") + ", " + pdf.Info("Page size"), "IxoSoft 0, 842 x 595 pts (A4)");
    EXPECT_EQ(trace.Lines().filter("Immagine di intestazione non leggibile: " + picture).size(),
              drawn ? 0 : 1);
    for (int label : {680, 681})
        EXPECT_FALSE(pdf.Lines(1).filter(LoadResString(label) + " ___").isEmpty()) << label;
    QString layout;
    for (int page = 1; page <= pages; ++page) {
        const QStringList lines = pdf.Lines(page);
        // Pictures, notes and "n/N" (pdftotext drops the narrow blanks around the slash), headings.
        layout += QString("%1%2%3 ")
                      .arg(pdf.Images(page))
                      .arg(lines.contains("Checked by the first note") &&
                           lines.contains(QString("Kept with the second note %1/%2").arg(page).arg(pages)))
                      .arg(lines.contains(LoadResString(683) + ' ' + LoadResString(684)));
    }
    EXPECT_EQ(layout, QString(drawn ? "110 " : "010 ") + QString("011 ").repeated(pages - 1));
}

INSTANTIATE_TEST_SUITE_P(Pictures, PrintToPdf, ::testing::Values("logo.bmp", "missing.bmp", "garbage.bmp"));

// However a print ends: PrintEnd once, the control idle and taking the next print; while it
// prints, another print is refused. The file printed to (empty: the user named none), whether
// the content fails, the error StartPrint lets through to the command (0: none), the mode.
struct PrintEnding
{
    const char *what;
    QString file;
    bool contentFails;
    qint32 error;
    bool preview;
    friend void PrintTo(const PrintEnding &c, std::ostream *os) { *os << c.what; }
};

class PrintTableEnds : public ::testing::TestWithParam<PrintEnding>
{};

TEST_P(PrintTableEnds, PrintEndOnceAndIdle)
{
    const PrintEnding &c = GetParam();
    FakePrinterCatalogue printers;
    QTemporaryDir dir;
    Platform::CPrintTable table;
    int ends = 0;
    bool busyAtEnd = true, refusedWhilePrinting = false;
    QObject::connect(&table, &Platform::CPrintTable::PrintEnd, [&] {
        ++ends;
        busyAtEnd = table.Busy();
    });
    const auto printTo = [&](const QString &file) {
        table.SetPrinterSource([&dir, file]() -> std::unique_ptr<QPrinter> {
            return file.isEmpty()
                       ? nullptr
                       : ApplicationPrinter::NewPrinter(ApplicationPrinter::Current(), dir.filePath(file));
        });
    };
    const auto content = PrintTableContent(std::make_shared<CPrintJob>());
    table.SetContent([&](QPrinter &printer, const Platform::CPrintTable &t) {
        refusedWhilePrinting = t.Busy() && !table.StartPrint();
        if (c.contentFails)
            throw CError(MakeUserError(13999), "test", "content failed");
        content(printer, t);
    });
    printTo(c.file);
    table.SetMode(c.preview ? Platform::CPrintTable::kPreviewMode : 0);
    table.SetPreviewPrinterSource(
        [] { return ApplicationPrinter::NewPreviewPrinter(ApplicationPrinter::Current()); });

    QString error = "0";
    try {
        EXPECT_TRUE(table.StartPrint());
    } catch (const CError &e) {
        error = QString::number(e.Number() & 0xFFFF) + ' ' + e.Description();
    }
    EXPECT_EQ(error.toStdString(),
              (c.error == 0              ? QString("0")
               : c.error == peNotWritten ? "13301 " + LoadResStringArgs(717, {dir.filePath(c.file)})
                                         : "13999 content failed")
                  .toStdString());
    EXPECT_EQ(refusedWhilePrinting, !c.file.isEmpty() || c.preview);
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(busyAtEnd || table.Busy() || table.isVisible());
    EXPECT_EQ(QFileInfo(dir.filePath(c.file)).isFile(), !c.file.isEmpty() && c.error == 0);
    table.SetMode(0);
    printTo("again.pdf");
    table.SetContent(content);
    EXPECT_TRUE(table.StartPrint());
    EXPECT_EQ(ends, 2);
    EXPECT_TRUE(QFileInfo(dir.filePath("again.pdf")).isFile());
}

INSTANTIATE_TEST_SUITE_P(Endings, PrintTableEnds,
                         ::testing::Values(PrintEnding{"printed", "print.pdf", false, 0, false},
                                           PrintEnding{"no file named", "", false, 0, false},
                                           PrintEnding{"file not writable", "missing/print.pdf", false,
                                                       peNotWritten, false},
                                           PrintEnding{"content failed", "failed.pdf", true, 13999, false},
                                           // A preview whose pages cannot be laid out ends the print at once.
                                           PrintEnding{"preview failed", "", true, 13999, true}));

} // namespace
