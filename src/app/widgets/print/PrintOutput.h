#pragma once

#include "platform/widgets/PrintTable.h"
#include "platform/widgets/PrinterCatalogue.h"

#include <QPageLayout>

#include <memory>

// The outputs of a print (Platform::CPrintOutput): the pages are painted as PDF on the page
// given; title names the printout (the job in a queue, the PDF's title), creator the program.

// A PDF file the user named, written whole or not at all: a file already there stays as it was
// when the printout fails. RaisePrintError with the system's reason when the file cannot be
// opened (here) or written (Close).
std::unique_ptr<Platform::CPrintOutput> NewFileOutput(const QString &path, const QPageLayout &layout,
                                                      const QString &title, const QString &creator);

// A printer's queue: the pages go into a temporary PDF file, which Close hands to the queue of
// the printer catalogue in place (off the window's thread), with the options kept for the queue.
// RaisePrintError with the print system's reason when the queue does not take the job (it
// refuses jobs, is gone, the print system cannot be reached or does not answer).
std::unique_ptr<Platform::CPrintOutput> NewQueueOutput(const Platform::CPrinterEntry &queue,
                                                       const QPageLayout &layout, const QString &title,
                                                       const QString &creator);

// Why a call to the print system failed, in the user's words: the print system's own reason
// when it refused, else that it cannot be reached or did not answer in time, naming it.
//   Silent at "/run/cups/cups.sock" -> "The print system (CUPS at /run/cups/cups.sock) did not
//   answer within 5 seconds."
QString PrintSystemReason(const Platform::CPrintSystemAnswer &answer);
