#include "app/print/PrintJob.h"

#include "app/print/LayoutForms.h"
#include "app/print/PrintPainter.h"
#include "app/print/PrintReport.h"
#include "common/Error.h"
#include "common/ResString.h"
#include "common/TraceCode.h"

#include <QImageReader>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

// The picture's own size on the device: from the resolution stored in the file, or as on a
// 96 dpi screen when it stores none.
QSizeF PictureSize(const QImage &picture, qreal resolution)
{
    if (picture.isNull())
        return {};
    const qreal dotsPerMetre = picture.dotsPerMeterX() > 0 ? picture.dotsPerMeterX() : 96 / 0.0254;
    return QSizeF(picture.size()) * (resolution / (dotsPerMetre * 0.0254));
}

} // namespace

void RaisePrintError(const QString &target, const QString &reason)
{
    // Without the system's reason the message ends with the target.
    const QString description = LoadResStringArgs(717, {target, reason}).trimmed();
    g_Trace->BugMessage(QStringLiteral("Stampa non riuscita: ") + target + QStringLiteral(" (") + reason +
                        QLatin1Char(')'));
    throw CError(MakeUserError(peNotWritten), ExecutableBaseName() + QStringLiteral(".Print"), description);
}

CPrintJob CPrintJob::ForConfiguration(qint64 id)
{
    CPrintJob job;
    job.SetStyles(FIntestazioneDoc::Create(), FGriglia::Create());
    job.SetReportData(PreparePrintData(id));
    return job;
}

void CPrintJob::SetStyles(CStyleRecordset headerStyle, CStyleRecordset tableStyle)
{
    m_HeaderStyle = std::move(headerStyle);
    m_TableStyle = std::move(tableStyle);
}

void CPrintJob::SetReportData(CReportRecordset report)
{
    m_Report = std::move(report);
}

QList<CPrintPage> CPrintJob::LayOut(const QPagedPaintDevice &device, const CPrintOptions &options) const
{
    return LayOut(device, options, Picture(options));
}

const QImage &CPrintJob::Picture(const CPrintOptions &options) const
{
    const QString path = options.EnableHeader ? options.HeaderPicture : QString();
    if (m_PicturePath != path) {
        m_Picture = LoadHeaderPicture(options);
        m_PicturePath = path;
    }
    return m_Picture;
}

QList<CPrintPage> CPrintJob::LayOut(const QPagedPaintDevice &device, const CPrintOptions &options,
                                    const QImage &picture) const
{
    const CPageGeometry geometry = PageGeometry(device, options.MarginsMillimetres);
    CLayoutInput input;
    input.HeaderStyle = m_HeaderStyle;
    input.TableStyle = m_TableStyle;
    input.Rows = m_Report.Rows();
    input.Options = options;
    input.PictureSize = PictureSize(picture, geometry.Resolution);
    return LayOutReport(input, geometry, CDeviceTextMetrics(&device));
}

void CPrintJob::Print(QPagedPaintDevice &device, const CPrintOptions &options, const QString &target) const
{
    const QImage &picture = Picture(options);
    const QList<CPrintPage> pages = LayOut(device, options, picture);
    QPainter painter;
    if (!painter.begin(&device))
        RaisePrintError(target, QString());
    for (qsizetype page = 0; page < pages.size(); ++page) {
        if (page > 0 && !device.newPage()) {
            painter.end();
            RaisePrintError(target, QString());
        }
        PaintPage(painter, pages[page], picture);
    }
    if (!painter.end())
        RaisePrintError(target, QString());
}

QImage LoadHeaderPicture(const CPrintOptions &options)
{
    if (!options.EnableHeader || options.HeaderPicture.isEmpty())
        return {};
    QImageReader reader(options.HeaderPicture);
    QImage picture = reader.read();
    if (picture.isNull()) {
        g_Trace->BugMessage(QStringLiteral("Immagine di intestazione non leggibile: ") +
                            options.HeaderPicture + QStringLiteral(" (") + reader.errorString() +
                            QLatin1Char(')'));
    }
    return picture;
}
