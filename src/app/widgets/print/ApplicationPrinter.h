#pragma once

#include <QList>
#include <QPageSize>
#include <QString>

#include <memory>

class QPrinter;

// A printer as the program chooses it: the device, the paper code (the Windows paper ids the
// settings store keeps: 1 Letter, 9 A4, ...), the orientation (1 portrait, 2 landscape) and
// whether prints go to a file.
struct CPrinterChoice
{
    QString DeviceName;
    qint32 PaperSize = 9;
    qint32 PageOrientation = 1;
    bool PrintToFile = false;

    bool operator==(const CPrinterChoice &) const = default;
};

// The program's current printer: it starts as the system's default printer (the PDF file when the
// system has none) and follows printer setup for the rest of the run. The PDF file is a device of
// its own, always there after the system's printers.
namespace ApplicationPrinter {

// The device that writes a PDF file (text 716).
QString PdfDeviceName();
// The system's printers, in their order, then the PDF file.
QStringList DeviceNames();
// The papers a device takes, by code, among those with a name; every one of them for the PDF
// file or a queue that names none.
QList<qint32> PaperSizes(const QString &deviceName);
// The device's own paper and orientation; A4 portrait for the PDF file.
CPrinterChoice DeviceDefaults(const QString &deviceName);
// The system's default printer with its paper and orientation; the PDF file when there is none.
CPrinterChoice SystemDefault();
// The size of a named paper (codes 1 to 41); an invalid size for any other code.
QPageSize PaperPageSize(qint32 code);
bool IsPaperSize(qint32 code);

CPrinterChoice Current();
void Select(const CPrinterChoice &choice);
// True once the stored choice was read in this run (by printer setup or before a print).
bool StoredChoiceLoaded();
void SetStoredChoiceLoaded();
// Forgets the run's choice: the next Current() starts from the system's default again.
void Reset();

// The choice the next print goes to; the first in a run reads the stored choice first.
CPrinterChoice ForPrint();
// True when the choice prints on a queue; false when it writes a PDF file the user names.
bool PrintsOnQueue(const CPrinterChoice &choice);
// A printer set up for the choice: its queue, or pdfFile written as PDF.
std::unique_ptr<QPrinter> NewPrinter(const CPrinterChoice &choice, const QString &pdfFile);
// A printer with the choice's paper and orientation for a preview to lay pages out on; it
// reaches no queue and writes no file.
std::unique_ptr<QPrinter> NewPreviewPrinter(const CPrinterChoice &choice);

} // namespace ApplicationPrinter
