#pragma once

#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QString>

namespace Platform {

// One printer queue of the system as printer setup offers it.
struct CPrinterEntry
{
    QString Name;
    QPageSize DefaultPageSize;
    QPageLayout::Orientation DefaultOrientation = QPageLayout::Portrait;
    // Empty: the queue names none, any size may be asked of it.
    QList<QPageSize> PageSizes;
};

// The printers the program can reach. Every use of the system's queues goes through the one
// catalogue in place, so a test puts a fake one in and never reaches a real queue.
//   SetPrinterCatalogue(&fake);      // ... the code under test ...
//   SetPrinterCatalogue(nullptr);    // the system's queues again
class CPrinterCatalogue
{
public:
    virtual ~CPrinterCatalogue() = default;
    // In the order the system lists them; empty when no printer is installed.
    virtual QList<CPrinterEntry> Printers() const = 0;
    // Empty when the system names no default.
    virtual QString DefaultPrinterName() const = 0;
};

CPrinterCatalogue &PrinterCatalogue();
void SetPrinterCatalogue(CPrinterCatalogue *catalogue);

} // namespace Platform
