#include "platform/widgets/PrinterCatalogue.h"

#include <QPrinterInfo>

#include <cups/cups.h>

namespace Platform {

namespace {

// The job's options: those kept for the printer (an instance "queue/name" among them), then the
// paper and orientation of this printout.
int JobOptions(const CQueueJob &job, cups_option_t **options)
{
    int count = 0;
    const QByteArray queue = job.Printer.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QByteArray instance = job.Printer.section(QLatin1Char('/'), 1).toLocal8Bit();
    if (cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(),
                                             instance.isEmpty() ? nullptr : instance.constData())) {
        for (int i = 0; i < dest->num_options; ++i)
            count = cupsAddOption(dest->options[i].name, dest->options[i].value, count, options);
        cupsFreeDests(1, dest);
    }
    count = cupsAddOption("media", job.PageSize.key().toUtf8().constData(), count, options);
    if (job.Orientation == QPageLayout::Landscape)
        count = cupsAddOption("landscape", "", count, options);
    return count;
}

// The queues Qt's print support knows, reached through CUPS.
class CSystemPrinterCatalogue : public CPrinterCatalogue
{
public:
    QList<CPrinterEntry> Printers() const override
    {
        QList<CPrinterEntry> printers;
        for (const QPrinterInfo &info : QPrinterInfo::availablePrinters()) {
            CPrinterEntry entry;
            entry.Name = info.printerName();
            entry.DefaultPageSize = info.defaultPageSize();
            entry.PageSizes = info.supportedPageSizes();
            printers.append(entry);
        }
        return printers;
    }
    QString DefaultPrinterName() const override { return QPrinterInfo::defaultPrinterName(); }

    QString Submit(const CQueueJob &job) const override
    {
        cups_option_t *options = nullptr;
        const int count = JobOptions(job, &options);
        const QByteArray queue = job.Printer.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
        const int id =
            cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.constData(), job.File.toLocal8Bit().constData(),
                           job.Title.toUtf8().constData(), count, options);
        cupsFreeOptions(count, options);
        return id > 0 ? QString() : QString::fromUtf8(cupsLastErrorString());
    }
};

CSystemPrinterCatalogue g_SystemCatalogue;
CPrinterCatalogue *g_Catalogue = &g_SystemCatalogue;

} // namespace

CPrinterCatalogue &PrinterCatalogue()
{
    return *g_Catalogue;
}

void SetPrinterCatalogue(CPrinterCatalogue *catalogue)
{
    g_Catalogue = catalogue ? catalogue : &g_SystemCatalogue;
}

} // namespace Platform
