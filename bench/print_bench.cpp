// The print command's own output, the PDF file as the command writes it (the print-table control
// printing the largest configuration with every option on: heading page with a picture, notes,
// page numbers, into a file written whole), against painting matched content with a bare
// QPainter on a PDF writer: the picture at the size the printout gives it, the heading box's
// frame and texts, on every table page the same rows as the printout (title, column headings and
// section headings bold, a ruled table), the notes and page numbers on every page. Measured in
// turns in the same run. Aim: within 1.5x of the bare painting.
#include "Clock.h"
#include "app/print/LayoutForms.h"
#include "app/print/PrintConfigurations.h"
#include "app/print/PrintJob.h"
#include "app/print/PrintReport.h"
#include "app/widgets/print/ApplicationPrinter.h"
#include "app/widgets/print/PrintOutput.h"
#include "model/Archive.h"
#include "model/ScaleTables.h"
#include "platform/widgets/PrintTable.h"
#include "support/TempUserDirs.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>

namespace {

// What the printout shows where: the picture's box on the heading page, and the report rows each
// page holds, in order.
struct CMatchedContent
{
    QRectF Picture;
    QList<QList<qsizetype>> PageRows;
};

CMatchedContent MatchedContent(const QList<CPrintPage> &pages)
{
    CMatchedContent content;
    for (const CPrintPage &page : pages) {
        QList<qsizetype> rows;
        for (const CPlacedItem &item : page.Items) {
            if (item.Role == CPlacedItem::roPicture)
                content.Picture = item.Box;
            if (item.Row >= 0 && !rows.contains(item.Row))
                rows << item.Row;
        }
        content.PageRows << rows;
    }
    return content;
}

// The same content painted by hand, the least a printout of it can do: the heading page (the
// picture in its printed box, then the heading box's frame and texts), the rows of each page as
// a ruled table (title, column headings and section headings bold), and on every page the two
// notes and "page / pages".
void PaintBare(const QString &path, const QPageLayout &layout, const QList<CReportRow> &rows,
               const CMatchedContent &content, const CPrintOptions &options, const QImage &picture)
{
    QPdfWriter pdf(path);
    pdf.setPageLayout(layout);
    QPainter painter(&pdf);
    const int dpi = pdf.resolution();
    const auto twips = [dpi](int value) { return value * dpi / 1440; };
    QFont plain(QStringLiteral("Times New Roman"));
    plain.setPointSize(8);
    QFont bold = plain;
    bold.setBold(true);
    QFont title = bold;
    title.setPointSize(10);
    painter.setPen(QPen(Qt::black, twips(15)));
    const int margin = dpi * 10 / 25, width = pdf.width() - 2 * margin;
    const int footer = pdf.height() - margin - 2 * twips(432);
    qsizetype mostRows = 1;
    for (const QList<qsizetype> &page : content.PageRows)
        mostRows = std::max(mostRows, page.size());
    const int step = std::min(twips(432), int((footer - margin) / mostRows));
    const int baseline = step * 2 / 3;
    const qsizetype pages = content.PageRows.size();

    for (qsizetype page = 0; page < pages; ++page) {
        if (page > 0)
            pdf.newPage();
        if (page == 0 && options.EnableHeader) {
            painter.drawImage(content.Picture, picture);
            const QPoint box(margin, int(content.Picture.bottom()) + twips(240));
            for (const CStyleRow &row : FIntestazioneDoc::Create()) {
                const QRect rect(box + QPoint(twips(row.Left), twips(row.Top)),
                                 QSize(twips(row.Width), twips(row.Height)));
                if (row.Tag == CStyleRow::tagFrame) {
                    painter.drawRect(rect);
                    continue;
                }
                QFont font(row.FontName);
                font.setPointSize(row.FontSize);
                font.setBold(row.FontBold);
                painter.setFont(font);
                painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, row.Text);
            }
        }
        int y = margin;
        for (const qsizetype index : content.PageRows[page]) {
            const CReportRow &row = rows[index];
            painter.setFont(index == 0 ? title : index == 1 || row.nColumn == 1 ? bold : plain);
            painter.drawRect(margin, y, width, step);
            painter.drawText(margin + margin / 10, y + baseline, LabelText(row.Column1));
            if (row.nColumn == 2) {
                painter.drawLine(margin + width / 2, y, margin + width / 2, y + step);
                painter.drawText(margin + width / 2 + margin / 10, y + baseline, row.Column2);
            }
            y += step;
        }
        painter.setFont(plain);
        painter.drawText(margin, footer + baseline, options.Note1);
        painter.drawText(margin, footer + step + baseline, options.Note2);
        painter.drawText(QRect(margin, footer + step, width, step), Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("%1 / %2").arg(page + 1).arg(pages));
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TempUserDirs dirs;
    InitGlobalScale();
    g_Connection->Open();

    CConfiguration configuration;
    SetLargest(configuration);
    const qint32 id = g_Connection->NewID();
    configuration.Add(id);
    const CReportRecordset report = PreparePrintData(id);
    const QList<CReportRow> rows = report.Rows();

    // A bitmap, the first kind the picture dialog offers.
    QImage logo(600, 240, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    const QString picture = dirs.Path() + QStringLiteral("/logo.bmp");
    logo.save(picture);
    CPrintOptions options;
    options.EnableHeader = true;
    options.HeaderPicture = picture;
    options.EnableNote = true;
    options.Note1 = QStringLiteral("Checked by the technician on site");
    options.Note2 = QStringLiteral("Keep with the instrument's papers");
    options.EnablePageNumber = true;

    // The print command's control as the main window readies it, printing at once on the PDF
    // file device (A4 portrait) into the file the user named.
    Platform::CPrintTable table;
    table.InitLayout(10, 10, 20, 10);
    options.MarginsMillimetres = table.MarginsMillimetres();
    const QPageLayout layout = ApplicationPrinter::PageLayout(ApplicationPrinter::Current({}));
    const QString path = dirs.Path() + QStringLiteral("/print.pdf");
    const auto printWith = [&](const std::shared_ptr<const CPrintJob> &job) {
        table.SetContent([job, options](QPagedPaintDevice &device, const QString &target) {
            job->Print(device, options, target);
        });
        table.SetOutputSource(
            [&] { return NewFileOutput(path, layout, QStringLiteral("Largest"), "IxoSoft 1"); });
        table.StartPrint();
    };
    const auto job = std::make_shared<const CPrintJob>(CPrintJob::ForConfiguration(id));

    QPdfWriter measure(dirs.Path() + QStringLiteral("/layout.pdf"));
    measure.setPageLayout(layout);
    const QList<CPrintPage> pages = job->LayOut(measure, options);
    const CMatchedContent content = MatchedContent(pages);

    // One job printed again (the preview's Print paints the job it showed; it read its picture
    // once), against the bare painting of the picture already read.
    const QImage read(picture);
    const CTimes again = Compare(
        60, [&] { printWith(job); }, [&] { PaintBare(path, layout, rows, content, options, read); });
    // A job of its own reads the picture file as well.
    const CTimes fresh = Compare(
        60,
        [&] {
            auto once = std::make_shared<CPrintJob>();
            once->SetStyles(FIntestazioneDoc::Create(), FGriglia::Create());
            once->SetReportData(report);
            printWith(once);
        },
        [&] { PaintBare(path, layout, rows, content, options, QImage(picture)); });

    std::printf("%d report rows, %d pages with every option on, picture printed %.0f x %.0f dots\n",
                int(rows.size()), int(pages.size()), content.Picture.width(), content.Picture.height());
    std::printf("the command's file, job printed again %8.3f ms   bare painting %8.3f ms   ratio %.2f "
                "(aim <= 1.5)\n",
                again.First, again.Second, again.Ratio);
    std::printf("the command's file, picture read      %8.3f ms   bare painting %8.3f ms   ratio %.2f\n",
                fresh.First, fresh.Second, fresh.Ratio);
    g_Connection->Close();
    return 0;
}
