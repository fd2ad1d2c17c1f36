#pragma once

#include "platform/widgets/PrinterCatalogue.h"

#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include <memory>
#include <optional>

class QPrinter;

// The program's current printer: the device, the paper code (the Windows paper ids the settings
// store keeps: 1 Letter, 9 A4, ...) and the orientation (1 portrait, 2 landscape).
struct CPrinterChoice
{
    QString DeviceName;
    qint32 PaperSize = 9;
    qint32 PageOrientation = 1;

    bool operator==(const CPrinterChoice &) const = default;
};

// The program's current printer: it starts as the system's default printer (the PDF file when the
// system has none) and follows printer setup for the rest of the run. The PDF file is a device of
// its own, always there after the system's printers; a queue prints on its queue, the PDF file
// into a file the user names. What the system offers is what one lookup of a command found
// (Platform::LookUpPrinters); a command that asks the print system nothing passes no printers.
namespace ApplicationPrinter {

using Platform::CPrinterList;

// The device that writes a PDF file (text 716).
QString PdfDeviceName();
// The system's printers, in their order, then the PDF file.
QStringList DeviceNames(const CPrinterList &printers);
// True for the PDF file and for a printer the system offers.
bool IsAvailable(const CPrinterList &printers, const QString &deviceName);
// The queue of that name; none for the PDF file and a printer not offered.
std::optional<Platform::CPrinterEntry> Queue(const CPrinterList &printers, const QString &deviceName);
// The papers a device takes, by code, among those with a name; every one of them for the PDF
// file or a queue that names none.
QList<qint32> PaperSizes(const CPrinterList &printers, const QString &deviceName);
// The device's own paper and orientation; A4 portrait for the PDF file.
CPrinterChoice DeviceDefaults(const CPrinterList &printers, const QString &deviceName);
// The system's default printer with its paper and orientation; the PDF file when there is none.
CPrinterChoice SystemDefault(const CPrinterList &printers);

// The paper table: the codes 1 to 41 name a paper, 256 a size of the user's own.
// The size of a named paper; an invalid size for any other code.
QPageSize PaperPageSize(qint32 code);
bool IsPaperSize(qint32 code);
// The name of a paper code: texts 720 to 760 for 1 to 41, 761 "User-defined" for 256,
// 762 "Not recognized" for any other.
QString PaperSizeName(qint32 code);

// The run's choice; the system's default among printers while none was made.
CPrinterChoice Current(const CPrinterList &printers);
void Select(const CPrinterChoice &choice);

// A confirmed choice as the settings store keeps it.
struct CStoredChoice
{
    CPrinterChoice Printer;
    bool PrintToFile = false;
};
// A choice the settings store could not keep: the run reads it in place of the stored one,
// until a store succeeds and sets none.
std::optional<CStoredChoice> UnstoredChoice();
void SetUnstoredChoice(const std::optional<CStoredChoice> &choice);

// Forgets the run's choice and any unstored one: the next Current() starts from the system's
// default again.
void Reset();

// The page of a printout on the choice: its paper (A4 for a code that names none) and
// orientation, no margins of its own.
QPageLayout PageLayout(const CPrinterChoice &choice);
// True when the choice prints on a queue; false when it writes a PDF file the user names.
bool PrintsOnQueue(const CPrinterChoice &choice);
// A printer with the choice's page for a preview to lay pages out on; it reaches no queue, writes
// no file and asks the print system nothing.
std::unique_ptr<QPrinter> NewPreviewPrinter(const CPrinterChoice &choice);

} // namespace ApplicationPrinter
