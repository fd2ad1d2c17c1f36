#pragma once

#include "app/print/PrintLayout.h"
#include "app/print/StyleRecordset.h"
#include "model/ReportRecordset.h"

#include <QImage>

#include <optional>

class QPagedPaintDevice;

// Numbers of the printout's errors (program errors: code Or 0x80040000).
enum PrintErrors : qint32 {
    peNotWritten = 13301, // the printer or the file refused the printout
};

// CError peNotWritten with text 717: the printout did not reach target (a file or a printer),
// for the system's reason (may be empty).
[[noreturn]] void RaisePrintError(const QString &target, const QString &reason);

// The printed parameter list of one configuration: the styles of the two layout forms and the
// report rows. It lays itself out on the paper of any paged device (a printer, a PDF file, a
// preview) with the options given at print time, and paints every page.
//   CPrintJob job = CPrintJob::ForConfiguration(id);
//   QPdfWriter pdf(path);
//   job.Print(pdf, options, path);     // CError 13301 when the file cannot be written
class CPrintJob
{
public:
    // The layout forms' styles and the report of the archived configuration.
    static CPrintJob ForConfiguration(qint64 id);

    void SetStyles(CStyleRecordset headerStyle, CStyleRecordset tableStyle);
    void SetReportData(CReportRecordset report);

    // The pages on the device's paper. A heading picture that cannot be read is left out,
    // with a trace line (once for the job).
    QList<CPrintPage> LayOut(const QPagedPaintDevice &device, const CPrintOptions &options) const;
    // Lays out and paints every page. When the device refuses the printout, RaisePrintError
    // naming target (the file or printer).
    void Print(QPagedPaintDevice &device, const CPrintOptions &options, const QString &target) const;

private:
    QList<CPrintPage> LayOut(const QPagedPaintDevice &device, const CPrintOptions &options,
                             const QImage &picture) const;
    // The heading picture, read once per job and path: a preview paints the job again and again.
    const QImage &Picture(const CPrintOptions &options) const;

    CStyleRecordset m_HeaderStyle;
    CStyleRecordset m_TableStyle;
    CReportRecordset m_Report;
    mutable std::optional<QString> m_PicturePath;
    mutable QImage m_Picture;
};

// The picture of the heading page, or a null image (with a trace line) when it cannot be read.
QImage LoadHeaderPicture(const CPrintOptions &options);
