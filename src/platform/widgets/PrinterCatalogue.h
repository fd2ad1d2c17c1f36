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

// A printout handed to a queue: the PDF file that holds its pages, the name the queue shows for
// the job, and the paper and orientation asked for.
struct CQueueJob
{
    QString Printer;
    QString File;
    QString Title;
    QPageSize PageSize;
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
};

// The printers the program can reach and the way to them. Every use of the system's queues goes
// through the one catalogue in place, so a test puts a fake one in and never reaches a real queue.
//   SetPrinterCatalogue(&fake);      // ... the code under test ...
//   SetPrinterCatalogue(nullptr);    // the system's queues again
class CPrinterCatalogue
{
public:
    virtual ~CPrinterCatalogue() = default;
    // In the order the system lists them; empty when no printer is installed or the print
    // system does not answer.
    virtual QList<CPrinterEntry> Printers() const = 0;
    // Empty when the system names no default.
    virtual QString DefaultPrinterName() const = 0;
    // Hands the job to its printer's queue and waits for the print system's answer: empty when
    // the queue took the job, else the system's reason (the queue refuses jobs, is gone, the
    // print system does not answer).
    virtual QString Submit(const CQueueJob &job) const = 0;
};

CPrinterCatalogue &PrinterCatalogue();
void SetPrinterCatalogue(CPrinterCatalogue *catalogue);

} // namespace Platform
