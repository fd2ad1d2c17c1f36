#include "platform/widgets/PrinterCatalogue.h"

#include <QLibrary>
#include <QPrinterInfo>

#include <cups/cups.h>

namespace Platform {

namespace {

// The print system's library, loaded at the first job handed to a queue: a run that prints
// no job on a queue never loads it (nor the network and security libraries it brings).
struct CCups
{
    decltype(&cupsGetNamedDest) GetNamedDest = nullptr;
    decltype(&cupsFreeDests) FreeDests = nullptr;
    decltype(&cupsAddOption) AddOption = nullptr;
    decltype(&cupsFreeOptions) FreeOptions = nullptr;
    decltype(&cupsPrintFile2) PrintFile2 = nullptr;
    decltype(&cupsLastErrorString) LastErrorString = nullptr;
    QString LoadError;
};

template <class Function> void Resolve(QLibrary &library, Function &function, const char *name)
{
    function = reinterpret_cast<Function>(library.resolve(name));
}

const CCups &Cups()
{
    static const CCups cups = [] {
        CCups loaded;
        QLibrary library(QStringLiteral("cups"), 2);
        Resolve(library, loaded.GetNamedDest, "cupsGetNamedDest");
        Resolve(library, loaded.FreeDests, "cupsFreeDests");
        Resolve(library, loaded.AddOption, "cupsAddOption");
        Resolve(library, loaded.FreeOptions, "cupsFreeOptions");
        Resolve(library, loaded.PrintFile2, "cupsPrintFile2");
        Resolve(library, loaded.LastErrorString, "cupsLastErrorString");
        if (!loaded.GetNamedDest || !loaded.FreeDests || !loaded.AddOption || !loaded.FreeOptions ||
            !loaded.PrintFile2 || !loaded.LastErrorString)
            loaded.LoadError = library.errorString();
        return loaded;
    }();
    return cups;
}

// The job's options: those kept for the printer (an instance "queue/name" among them), then the
// paper and orientation of this printout.
int JobOptions(const CCups &cups, const CQueueJob &job, cups_option_t **options)
{
    int count = 0;
    const QByteArray queue = job.Printer.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QByteArray instance = job.Printer.section(QLatin1Char('/'), 1).toLocal8Bit();
    if (cups_dest_t *dest = cups.GetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(),
                                              instance.isEmpty() ? nullptr : instance.constData())) {
        for (int i = 0; i < dest->num_options; ++i)
            count = cups.AddOption(dest->options[i].name, dest->options[i].value, count, options);
        cups.FreeDests(1, dest);
    }
    count = cups.AddOption("media", job.PageSize.key().toUtf8().constData(), count, options);
    if (job.Orientation == QPageLayout::Landscape)
        count = cups.AddOption("landscape", "", count, options);
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
        const CCups &cups = Cups();
        if (!cups.LoadError.isEmpty())
            return cups.LoadError;
        cups_option_t *options = nullptr;
        const int count = JobOptions(cups, job, &options);
        const QByteArray queue = job.Printer.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
        const int id =
            cups.PrintFile2(CUPS_HTTP_DEFAULT, queue.constData(), job.File.toLocal8Bit().constData(),
                            job.Title.toUtf8().constData(), count, options);
        cups.FreeOptions(count, options);
        return id > 0 ? QString() : QString::fromUtf8(cups.LastErrorString());
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
