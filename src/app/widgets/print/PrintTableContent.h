#pragma once

#include "app/print/PrintJob.h"
#include "platform/widgets/PrintTable.h"

#include <memory>

// What the print-table control prints for a job: the job laid out with the options and margins
// the control holds when it prints, on the control's printer.
Platform::CPrintTable::Content PrintTableContent(std::shared_ptr<const CPrintJob> job);

// The options a print-table control holds, as a printout reads them.
CPrintOptions PrintTableOptions(const Platform::CPrintTable &table);
