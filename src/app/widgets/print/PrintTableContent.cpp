#include "app/widgets/print/PrintTableContent.h"

#include <QPrinter>

Platform::CPrintTable::Content PrintTableContent(std::shared_ptr<const CPrintJob> job)
{
    return [job = std::move(job)](QPrinter &printer, const Platform::CPrintTable &table) {
        const QString target =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        job->Print(printer, PrintTableOptions(table), target);
    };
}

CPrintOptions PrintTableOptions(const Platform::CPrintTable &table)
{
    CPrintOptions options;
    options.EnableHeader = table.EnableHeader();
    options.HeaderPicture = table.HeaderPicture();
    options.EnableNote = table.EnableNote();
    options.Note1 = table.Note1();
    options.Note2 = table.Note2();
    options.EnablePageNumber = table.EnablePageNumber();
    options.MarginsMillimetres = table.MarginsMillimetres();
    return options;
}
