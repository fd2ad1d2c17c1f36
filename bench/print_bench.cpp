// Laying out and writing the PDF of the largest configuration with every option on (heading
// page with a picture, notes, page numbers) against painting the same page content with a bare
// QPainter on a PDF writer (the same picture, heading box and texts, the rows as a ruled table with
// the same fonts, the notes and page numbers on every page), measured in turns in the same run.
// Aim: within 1.5x of the bare painting.
#include "Clock.h"
#include "app/print/LayoutForms.h"
#include "app/print/PrintConfigurations.h"
#include "app/print/PrintJob.h"
#include "app/print/PrintReport.h"
#include "model/Archive.h"
#include "model/ScaleTables.h"
#include "support/TempUserDirs.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>

namespace {

// The same content painted by hand, the least a printout of it can do: the heading page (the
// picture on top, shrunk to the page's width, then the heading box's frame and texts), the rows
// as a ruled table (title, column headings and section headings bold, a new page with the column
// headings again when one is full), and on every page the two notes and "page / pages".
void PaintBare(const QString &path, const QList<CReportRow> &rows, const CPrintOptions &options,
               const QImage &picture)
{
    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QPageSize::A4));
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
    const int step = twips(432), margin = dpi * 10 / 25, width = pdf.width() - 2 * margin;
    const int baseline = step * 2 / 3, footer = pdf.height() - margin - 2 * step;
    // Rows 0 and 1 are the title and the column headings; the headings open every table page.
    const int perPage = (footer - margin) / step - 1;
    const int pages = 1 + int((rows.size() - 2 + perPage - 1) / perPage);
    int page = 1;
    const auto footers = [&] {
        painter.setFont(plain);
        painter.drawText(margin, footer + baseline, options.Note1);
        painter.drawText(margin, footer + step + baseline, options.Note2);
        painter.drawText(QRect(margin, footer + step, width, step), Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("%1 / %2").arg(page).arg(pages));
    };

    const QSize shown =
        picture.width() > width ? picture.size().scaled(width, footer, Qt::KeepAspectRatio) : picture.size();
    painter.drawImage(QRect(QPoint(margin + (width - shown.width()) / 2, margin), shown), picture);
    const QPoint box(margin, margin + shown.height() + twips(240));
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
    footers();

    int y = footer;
    const auto paintRow = [&](const CReportRow &row, const QFont &font) {
        painter.setFont(font);
        painter.drawRect(margin, y, width, step);
        painter.drawText(margin + margin / 10, y + baseline, LabelText(row.Column1));
        if (row.nColumn == 2) {
            painter.drawLine(margin + width / 2, y, margin + width / 2, y + step);
            painter.drawText(margin + width / 2 + margin / 10, y + baseline, row.Column2);
        }
        y += step;
    };
    for (qsizetype i = 2; i < rows.size(); ++i) {
        if (y + step > footer) {
            pdf.newPage();
            ++page;
            y = margin;
            if (page == 2)
                paintRow(rows[0], title);
            paintRow(rows[1], bold);
            footers();
        }
        paintRow(rows[i], rows[i].nColumn == 1 ? bold : plain);
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
    const CPrintJob job = CPrintJob::ForConfiguration(id);
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

    const QString path = dirs.Path() + QStringLiteral("/print.pdf");
    const auto print = [&](const CPrintJob &printed) {
        QPdfWriter pdf(path);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        printed.Print(pdf, options, path);
    };
    // The preview paints one job again and again; the job reads its picture once.
    const QImage read(picture);
    const CTimes again = Compare(
        60, [&] { print(job); }, [&] { PaintBare(path, rows, options, read); });
    // A print of its own reads the picture file as well.
    const CTimes fresh = Compare(
        60,
        [&] {
            CPrintJob once;
            once.SetStyles(FIntestazioneDoc::Create(), FGriglia::Create());
            once.SetReportData(report);
            print(once);
        },
        [&] { PaintBare(path, rows, options, QImage(picture)); });

    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    std::printf("%d report rows, %d pages with every option on\n", int(rows.size()),
                int(job.LayOut(pdf, options).size()));
    std::printf("one job printed again   %8.3f ms   bare painting %8.3f ms   ratio %.2f (aim <= 1.5)\n",
                again.First, again.Second, again.Ratio);
    std::printf("a new job, picture read %8.3f ms   bare painting %8.3f ms   ratio %.2f\n", fresh.First,
                fresh.Second, fresh.Ratio);
    g_Connection->Close();
    return 0;
}
