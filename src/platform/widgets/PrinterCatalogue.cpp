#include "platform/widgets/PrinterCatalogue.h"

#include <QPrinterInfo>

namespace Platform {

namespace {

// The queues Qt's print support knows (CUPS on Linux).
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
