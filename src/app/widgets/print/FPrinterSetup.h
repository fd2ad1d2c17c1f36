#pragma once

#include "app/widgets/print/ApplicationPrinter.h"

#include <QDialog>

#include <memory>

namespace Ui {
class FPrinterSetup;
}

// The bits of the print dialog's flag word.
namespace PrintDlgFlag {
enum : quint32 {
    PD_SELECTION = 0x1,                      // range: the selection
    PD_PAGENUMS = 0x2,                       // range: the pages from-to
    PD_NOSELECTION = 0x4,                    // the selection cannot be chosen
    PD_NOPAGENUMS = 0x8,                     // pages cannot be chosen
    PD_COLLATE = 0x10,                       // copies collated
    PD_PRINTTOFILE = 0x20,                   // print to file
    PD_PRINTSETUP = 0x40,                    // the setup dialog, not the print dialog
    PD_NOWARNING = 0x80,                     // no warning when the system has no default printer
    PD_RETURNDEFAULT = 0x400,                // read the default printer, show nothing
    PD_USEDEVMODECOPIESANDCOLLATE = 0x40000, // copies and collation kept with the printer
    PD_DISABLEPRINTTOFILE = 0x80000,         // print to file shown greyed
    PD_HIDEPRINTTOFILE = 0x100000,           // print to file not shown
};
}

// What the dialog starts from and, confirmed, what the user chose: the flags, the pages
// (from-to within min-max), the copies and the printer with its paper and orientation.
struct CPrintDlgRecord
{
    quint32 Flags = 0;
    qint16 FromPage = 0;
    qint16 ToPage = 0;
    qint16 MinPage = 0;
    qint16 MaxPage = 0;
    qint16 Copies = 1;
    CPrinterChoice Printer;

    bool operator==(const CPrintDlgRecord &) const = default;
};

// The printer dialog. With PD_PRINTSETUP, printer setup: device, paper, orientation; else the
// print dialog: device, print range (all, the pages from-to, the selection), copies, collation.
// Both show print to file unless PD_HIDEPRINTTOFILE, greyed with PD_DISABLEPRINTTOFILE. The
// papers follow the device chosen; the PDF file always prints to a file, shown ticked and greyed,
// which is not taken for the user's choice. The pages can be chosen only without PD_NOPAGENUMS
// and with a minimum below the maximum; the selection only without PD_NOSELECTION.
// A device the system lacks (a queue gone, the print system stopped) is listed too, so OK keeps it.
// The system's printers are those the command's lookup found.
class FPrinterSetup : public QDialog
{
    Q_OBJECT

public:
    explicit FPrinterSetup(const Platform::CPrinterList &printers, QWidget *parent = nullptr);
    ~FPrinterSetup() override;

    void SetRecord(const CPrintDlgRecord &record);
    CPrintDlgRecord Record() const;

private:
    void FillPapers(qint32 paperSize);
    void OnDeviceChanged();
    void ShowPageRange();

    std::unique_ptr<Ui::FPrinterSetup> m_Ui;
    Platform::CPrinterList m_Printers;
    CPrintDlgRecord m_Record;
    // What the user wants for a queue, kept while the PDF file forces printing to a file.
    bool m_PrintToFile = false;
};
