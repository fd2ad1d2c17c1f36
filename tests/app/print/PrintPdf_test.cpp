#include "Print_fixture.h"
#include "app/print/PrintReport.h"
#include "app/widgets/print/PrintTableContent.h"
#include "common/Error.h"
#include "common/ResString.h"
#include "platform/SettingsStore.h"
#include "support/TraceCapture.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

namespace {

// The printouts of an archived configuration, printed as the main window prints them: through
// the print-table control onto the PDF file of the program's printer choice.
class PrintToPdf : public ArchiveTest
{
protected:
    void SetUp() override
    {
        ArchiveTest::SetUp();
        table.SetProgramName(QStringLiteral("IxoSoft"));
        table.InitLayout(10, 10, 20, 10);
    }

    qint32 Archive(void (*fill)(CConfiguration &))
    {
        CConfiguration configuration;
        fill(configuration);
        const qint32 id = g_Connection->NewID();
        configuration.Add(id);
        return id;
    }

    void SetOptions(bool header, const QString &picture, bool notes, bool pageNumbers)
    {
        table.SetEnableHeader(header);
        table.SetHeaderPicture(picture);
        table.SetEnableNote(notes);
        table.SetNote1(QStringLiteral("Checked by the first note"));
        table.SetNote2(QStringLiteral("Kept with the second note"));
        table.SetEnablePageNumber(pageNumbers);
    }

    // Prints the configuration; the PDF read back.
    PdfFile Print(qint32 id)
    {
        job = std::make_shared<CPrintJob>(CPrintJob::ForConfiguration(id));
        // IXO_KEEP_PDF names a file to keep the printout in, to look at it.
        const QString path = qEnvironmentVariable("IXO_KEEP_PDF", dir.filePath(QStringLiteral("print.pdf")));
        table.SetContent(PrintTableContent(job));
        table.SetPrinterSource(
            [path] { return ApplicationPrinter::NewPrinter(ApplicationPrinter::ForPrint(), path); });
        table.StartPrint();
        return PdfFile(path);
    }

    QString Picture()
    {
        QImage image(300, 120, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.fillRect(20, 20, 260, 80, Qt::darkBlue);
        painter.end();
        const QString path = dir.filePath(QStringLiteral("logo.png"));
        image.save(path);
        return path;
    }

    FakePrinterCatalogue printers;
    Platform::CPrintTable table;
    std::shared_ptr<CPrintJob> job;
    QTemporaryDir dir;
};

// How often each line of the parameter table should appear: once per row, the column headings
// once per table page.
QMap<QString, int> ExpectedTableLines(const QList<CReportRow> &rows, int tablePages)
{
    QMap<QString, int> lines;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const CReportRow &row = rows[i];
        const QString text = row.nColumn == 1 ? LabelText(row.Column1).simplified()
                                              : (LabelText(row.Column1) + ' ' + row.Column2).simplified();
        lines[text] += i == 1 ? tablePages : 1;
    }
    return lines;
}

bool HasLine(const QStringList &lines, const QString &start)
{
    return std::any_of(lines.begin(), lines.end(),
                       [&](const QString &line) { return line.startsWith(start); });
}

} // namespace

TEST_F(PrintToPdf, EveryOptionOnPrintsHeadingPageFootersAndEveryRowOnce)
{
    SetOptions(true, Picture(), true, true);
    const qint32 id = Archive(SetLargest);
    const PdfFile pdf = Print(id);

    const int pages = pdf.Pages();
    ASSERT_GE(pages, 3) << "a heading page and at least two table pages";
    EXPECT_EQ(pdf.Info(QStringLiteral("Creator")), QStringLiteral("IxoSoft 0"));

    const QStringList heading = pdf.Lines(1);
    EXPECT_TRUE(HasLine(heading, LoadResString(680) + " ___")) << heading.join('\n').toStdString();
    EXPECT_TRUE(HasLine(heading, LoadResString(681) + " ___"));
    EXPECT_FALSE(HasLine(heading, LoadResString(683)));
    EXPECT_EQ(pdf.Images(1), 1);

    QMap<QString, int> table;
    for (int page = 1; page <= pages; ++page) {
        const QStringList lines = pdf.Lines(page);
        EXPECT_TRUE(lines.contains("Checked by the first note")) << page;
        // The blanks around the slash are too narrow for pdftotext to keep.
        EXPECT_TRUE(lines.contains(QStringLiteral("Kept with the second note %1/%2").arg(page).arg(pages)))
            << page << lines.join('\n').toStdString();
        if (page == 1)
            continue;
        EXPECT_EQ(pdf.Images(page), 0);
        EXPECT_TRUE(lines.contains(LoadResString(683) + ' ' + LoadResString(684))) << page;
        for (const QString &line : lines)
            ++table[line];
    }
    const QMap<QString, int> expected = ExpectedTableLines(PreparePrintData(id).Rows(), pages - 1);
    for (auto row = expected.begin(); row != expected.end(); ++row)
        EXPECT_EQ(table.value(row.key()), row.value()) << row.key().toStdString();
}

TEST_F(PrintToPdf, EveryOptionOffPrintsTheTableAlone)
{
    SetOptions(false, Picture(), false, false);
    const PdfFile pdf = Print(Archive(SetLargest));

    const int pages = pdf.Pages();
    ASSERT_GE(pages, 2);
    EXPECT_EQ(pdf.Lines(1).value(0), LoadResString(682));
    for (int page = 1; page <= pages; ++page) {
        const QStringList lines = pdf.Lines(page);
        EXPECT_EQ(pdf.Images(page), 0);
        EXPECT_TRUE(lines.contains(LoadResString(683) + ' ' + LoadResString(684))) << page;
        EXPECT_FALSE(HasLine(lines, LoadResString(680)));
        EXPECT_FALSE(lines.join('\n').contains("note")) << page;
        EXPECT_FALSE(lines.join('\n').contains(QStringLiteral("/%1").arg(pages))) << page;
    }
}

TEST_F(PrintToPdf, StoredLandscapeA4IsUsedWithoutPrinterSetupFirst)
{
    const QString section = QStringLiteral("Application printer");
    Platform::WriteSetting(section, QStringLiteral("DeviceName"), ApplicationPrinter::PdfDeviceName());
    Platform::WriteSetting(section, QStringLiteral("PaperSize"), QStringLiteral("9"));
    Platform::WriteSetting(section, QStringLiteral("Orientation"), QStringLiteral("2"));
    Platform::WriteSetting(section, QStringLiteral("PrintToFile"), QStringLiteral("True"));
    SetOptions(true, QString(), true, true);

    const PdfFile pdf = Print(Archive(SetLargest));

    EXPECT_EQ(pdf.Info(QStringLiteral("Page size")), QStringLiteral("842 x 595 pts (A4)"));
    EXPECT_GE(pdf.Pages(), 3);
}

class MissingPicture : public PrintToPdf, public ::testing::WithParamInterface<const char *>
{};

TEST_P(MissingPicture, HeadingPageWithoutItAndATraceLine)
{
    const QString picture = dir.filePath(QString::fromLatin1(GetParam()));
    QFile garbage(dir.filePath(QStringLiteral("garbage.png")));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a picture");
    garbage.close();
    SetOptions(true, picture, false, false);
    TraceCapture trace;

    const PdfFile pdf = Print(Archive(SetLargest));

    EXPECT_TRUE(HasLine(pdf.Lines(1), LoadResString(680) + " ___"));
    EXPECT_EQ(pdf.Images(1), 0);
    EXPECT_TRUE(HasLine(trace.Lines(), "Immagine di intestazione non leggibile: " + picture))
        << trace.Lines().join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Pictures, MissingPicture, ::testing::Values("missing.png", "garbage.png"));
