#include "Print_fixture.h"
#include "app/print/PrintReport.h"
#include "app/widgets/print/PrintTableContent.h"
#include "common/ResString.h"
#include "platform/SettingsStore.h"
#include "support/TraceCapture.h"

#include <QImage>
#include <QPrinter>

namespace {

// The largest configuration printed as the main window prints it: through the print-table
// control onto the PDF file of the program's printer choice, the store holding no choice.
class PrintToPdf : public ArchiveTest
{
protected:
    void SetOptions(bool every, const QString &picture)
    {
        table.SetProgramName("IxoSoft");
        table.InitLayout(10, 10, 20, 10);
        table.SetEnableHeader(every);
        table.SetHeaderPicture(picture);
        table.SetEnableNote(every);
        table.SetNote1("Checked by the first note");
        table.SetNote2("Kept with the second note");
        table.SetEnablePageNumber(every);
    }
    QString Picture()
    {
        QImage image(300, 120, QImage::Format_RGB32);
        image.fill(Qt::darkBlue);
        image.save(dir.filePath("logo.bmp"));
        return dir.filePath("logo.bmp");
    }
    PdfFile Print()
    {
        CConfiguration configuration;
        SetLargest(configuration);
        id = g_Connection->NewID();
        configuration.Add(id);
        // IXO_KEEP_PDF names a file to keep the printout in, to look at it.
        const QString path = qEnvironmentVariable("IXO_KEEP_PDF", dir.filePath("print.pdf"));
        table.SetContent(PrintTableContent(std::make_shared<CPrintJob>(CPrintJob::ForConfiguration(id))));
        table.SetPrinterSource(
            [path] { return ApplicationPrinter::NewPrinter(ApplicationPrinter::ForPrint(), path); });
        table.StartPrint();
        return PdfFile(path);
    }

    FakePrinterCatalogue printers;
    Platform::CPrintTable table;
    QTemporaryDir dir;
    qint32 id = 0;
};

bool HasLine(const QStringList &lines, const QString &start)
{
    return std::any_of(lines.begin(), lines.end(),
                       [&](const QString &line) { return line.startsWith(start); });
}

class EveryOption : public PrintToPdf, public ::testing::WithParamInterface<bool>
{};

} // namespace

// With every option on: the heading page with its labels and the picture first; the notes and
// "n / N" at the foot of every page. Either way the column headings on every table page and
// every row of the report once.
TEST_P(EveryOption, OnOrOff)
{
    const bool every = GetParam();
    SetOptions(every, Picture());
    const PdfFile pdf = Print();
    const int pages = pdf.Pages();
    const int first = every ? 2 : 1;

    ASSERT_GE(pages - first, 1) << "two table pages or more";
    EXPECT_EQ(pdf.Info("Creator"), "IxoSoft 0");
    EXPECT_EQ(HasLine(pdf.Lines(1), LoadResString(680) + " ___"), every);
    EXPECT_EQ(HasLine(pdf.Lines(1), LoadResString(681) + " ___"), every);
    QMap<QString, int> printed;
    for (int page = 1; page <= pages; ++page) {
        const QStringList lines = pdf.Lines(page);
        EXPECT_EQ(pdf.Images(page), every && page == 1 ? 1 : 0);
        // The blanks around the slash are too narrow for pdftotext to keep.
        const QString foot = QStringLiteral("Kept with the second note %1/%2").arg(page).arg(pages);
        EXPECT_EQ(lines.contains("Checked by the first note") && lines.contains(foot), every) << page;
        EXPECT_EQ(lines.contains(LoadResString(683) + ' ' + LoadResString(684)), page >= first) << page;
        for (const QString &line : lines)
            printed[line] += page >= first;
    }
    QMap<QString, int> rows;
    const QList<CReportRow> report = PreparePrintData(id).Rows();
    for (qsizetype i = 0; i < report.size(); ++i) {
        const QString text = LabelText(report[i].Column1) + ' ' + report[i].Column2;
        rows[text.simplified()] += i == 1 ? pages - first + 1 : 1;
    }
    for (auto row = rows.begin(); row != rows.end(); ++row)
        EXPECT_EQ(printed.value(row.key()), row.value()) << row.key().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Options, EveryOption, ::testing::Values(true, false));

TEST_F(PrintToPdf, StoredLandscapeA4IsUsedWithoutPrinterSetupFirst)
{
    const QStringList keys = {"DeviceName", "PaperSize", "Orientation", "PrintToFile"};
    const QStringList values = {ApplicationPrinter::PdfDeviceName(), "9", "2", "True"};
    for (qsizetype i = 0; i < keys.size(); ++i)
        Platform::WriteSetting("Application printer", keys[i], values[i]);
    SetOptions(true, QString());

    EXPECT_EQ(Print().Info("Page size"), "842 x 595 pts (A4)");
}

class MissingPicture : public PrintToPdf, public ::testing::WithParamInterface<const char *>
{};

TEST_P(MissingPicture, HeadingPageWithoutItAndATraceLine)
{
    const QString picture = dir.filePath(GetParam());
    QFile garbage(dir.filePath("garbage.bmp"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly) && garbage.write("not a picture") > 0);
    garbage.close();
    SetOptions(true, picture);
    TraceCapture trace;

    const PdfFile pdf = Print();

    EXPECT_TRUE(HasLine(pdf.Lines(1), LoadResString(680) + " ___"));
    EXPECT_EQ(pdf.Images(1), 0);
    EXPECT_TRUE(HasLine(trace.Lines(), "Immagine di intestazione non leggibile: " + picture));
}

INSTANTIATE_TEST_SUITE_P(Pictures, MissingPicture, ::testing::Values("missing.bmp", "garbage.bmp"));
