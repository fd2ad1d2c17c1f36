// Laying out and writing the PDF of the largest configuration with every option on (heading
// page with a picture, notes, page numbers) against painting the same rows with a bare QPainter
// on a PDF writer as a hand-written table (the same fonts and ruled boxes), measured in turns
// in the same run.
// Aim: within 1.5x of the bare painting.
#include "app/print/LayoutForms.h"
#include "app/print/PrintConfigurations.h"
#include "app/print/PrintJob.h"
#include "app/print/PrintReport.h"
#include "model/Archive.h"
#include "model/ScaleTables.h"
#include "support/TempUserDirs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

double Median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Milliseconds(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed()) / 1e6;
}

// The two measured in turns, so a busy machine slows both alike: the median time of each and
// the median of the ratios of the turns.
struct CTimes
{
    double First;
    double Second;
    double Ratio;
};
CTimes Compare(int rounds, const std::function<void()> &first, const std::function<void()> &second)
{
    first();
    second();
    QList<double> a, b, ratios;
    for (int i = 0; i < rounds; ++i) {
        a << Milliseconds(first);
        b << Milliseconds(second);
        ratios << a.last() / b.last();
    }
    return {Median(a), Median(b), Median(ratios)};
}

// The same rows as a table painted by hand: a ruled box per row, two texts in it, the title,
// the column headings and the section headings bold, a new page when the page is full. The least
// a printout of these rows can do.
void PaintBare(const QString &path, const QList<CReportRow> &rows)
{
    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&pdf);
    QFont plain(QStringLiteral("Times New Roman"));
    plain.setPointSize(8);
    QFont bold = plain;
    bold.setBold(true);
    QFont title = bold;
    title.setPointSize(10);
    painter.setPen(QPen(Qt::black, 15 * pdf.resolution() / 1440));
    const int step = 432 * pdf.resolution() / 1440;
    const int margin = pdf.resolution() * 10 / 25;
    const int width = pdf.width() - 2 * margin;
    const int baseline = step * 2 / 3;
    int y = margin;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const CReportRow &row = rows[i];
        if (y + step > pdf.height() - 2 * margin) {
            pdf.newPage();
            y = margin;
        }
        painter.setFont(i == 0 ? title : (i == 1 || row.nColumn == 1 ? bold : plain));
        painter.drawRect(margin, y, width, step);
        painter.drawText(margin + margin / 10, y + baseline, LabelText(row.Column1));
        if (row.nColumn == 2) {
            painter.drawLine(margin + width / 2, y, margin + width / 2, y + step);
            painter.drawText(margin + width / 2 + margin / 10, y + baseline, row.Column2);
        }
        y += step;
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
    const CTimes again = Compare(
        60, [&] { print(job); }, [&] { PaintBare(path, rows); });
    // A print of its own reads the picture file as well.
    const CTimes fresh = Compare(
        60,
        [&] {
            CPrintJob once;
            once.SetStyles(FIntestazioneDoc::Create(), FGriglia::Create());
            once.SetReportData(report);
            print(once);
        },
        [&] { PaintBare(path, rows); });

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
