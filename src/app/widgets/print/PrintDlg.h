#pragma once

#include "app/widgets/print/FPrinterSetup.h"

#include <QString>

class QWidget;

// The printer dialogs and the user's printer choice for the program (device, paper,
// orientation, print to file), kept in the section "Application printer" of the settings store
// and made the program's current printer whenever it is read or confirmed. Besides, what a
// print dialog asks: the page range within the minimum and maximum page, copies and collation.
// The system's printers are those one lookup of the command found.
//   CPrintDlg dialog(Platform::LookUpPrinters());  // holds the system's default printer
//   dialog.SetApplicationName("IxoSoft");   // reads the stored choice and selects it
//   dialog.ShowPrintSetupDlg(window);       // OK stores and selects; Cancel changes nothing
// The four values are stored together or not at all; a store that fails is told to the user
// once, and the choice is the program's printer all the same.
// The flag word starts as PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE |
// PD_HIDEPRINTTOFILE (0x14000C): print to file is not offered, and a queue prints on its queue.
// A stored value that is no valid paper, orientation or truth value gives way to the current
// printer's own, with a trace line. A device name is taken whatever its length.
class CPrintDlg
{
public:
    static constexpr quint32 kCreationFlags = PrintDlgFlag::PD_NOSELECTION | PrintDlgFlag::PD_NOPAGENUMS |
                                              PrintDlgFlag::PD_USEDEVMODECOPIESANDCOLLATE |
                                              PrintDlgFlag::PD_HIDEPRINTTOFILE;

    explicit CPrintDlg(const Platform::CPrinterList &printers);

    // The device of the stored choice, read alone; empty when none is stored.
    static QString StoredDeviceName();

    QString ApplicationName() const { return m_ApplicationName; }
    // Stores the name, then LoadApplicationPrinter.
    void SetApplicationName(const QString &name);
    // Reads the stored choice and makes it the program's printer.
    void LoadApplicationPrinter();

    // The pages the range may span; taken only when min < max.
    void SetMinMaxPage(qint16 minPage, qint16 maxPage);
    // The pages to print; taken only when from < to.
    void SetFromPageToPage(qint16 fromPage, qint16 toPage);
    qint16 FromPage() const { return m_Record.FromPage; }
    qint16 ToPage() const { return m_Record.ToPage; }
    qint16 Copies() const { return m_Record.Copies; }
    bool Collate() const { return Has(PrintDlgFlag::PD_COLLATE); }

    void EnableWarningMsg(bool enable) { SetFlag(PrintDlgFlag::PD_NOWARNING, !enable); }
    void EnableSelection(bool enable) { SetFlag(PrintDlgFlag::PD_NOSELECTION, !enable); }
    void EnablePageNumber(bool enable) { SetFlag(PrintDlgFlag::PD_NOPAGENUMS, !enable); }
    void EnablePrintToFile(bool enable) { SetFlag(PrintDlgFlag::PD_DISABLEPRINTTOFILE, !enable); }
    void HidePrintToFile(bool hide) { SetFlag(PrintDlgFlag::PD_HIDEPRINTTOFILE, hide); }
    bool PrintToFile() const { return Has(PrintDlgFlag::PD_PRINTTOFILE); }
    void SetPrintToFile(bool toFile) { SetFlag(PrintDlgFlag::PD_PRINTTOFILE, toFile); }
    // 1 the pages from-to, 2 the selection, any other value all pages.
    void SetPrintRange(qint32 range);
    qint32 PrintRange() const;
    quint32 Flags() const { return m_Record.Flags; }

    // 2 landscape; any other value is portrait, 1.
    qint32 PageOrientation() const { return m_Record.Printer.PageOrientation; }
    void SetPageOrientation(qint32 orientation)
    {
        m_Record.Printer.PageOrientation = orientation == 2 ? 2 : 1;
    }
    QString DeviceName() const { return m_Record.Printer.DeviceName; }
    // An empty name changes nothing.
    void SetDeviceName(const QString &name);
    qint32 PaperSize() const { return m_Record.Printer.PaperSize; }
    // Run-time error 6 (overflow) outside the 16-bit range, nothing changed.
    void SetPaperSize(qint32 code);
    QString PaperSizeStr() const { return ApplicationPrinter::PaperSizeName(PaperSize()); }
    // The paper's sides in tenths of a millimetre as it lies on the page: height and width
    // swap in landscape. 0 for a code that names no paper.
    qint16 PaperHeight() const;
    qint16 PaperWidth() const;

    // The print dialog and printer setup on this object's values; true when the user confirmed,
    // the choice then stored and selected. Cancel changes nothing.
    bool ShowPrintDlg(QWidget *parent = nullptr);
    bool ShowPrintSetupDlg(QWidget *parent = nullptr);

private:
    bool Has(quint32 flag) const { return m_Record.Flags & flag; }
    void SetFlag(quint32 flag, bool set);
    void GetDefaultPrinter();
    bool ShowDialog(QWidget *parent);
    void ReadApplicationPrinter();
    // False, and in `fault` the file's reason, when the store could not be written: the choice
    // is then the run's unstored one (ApplicationPrinter::UnstoredChoice).
    bool SaveApplicationPrinter(QString *fault) const;
    void SelectApplicationPrinter() const;

    Platform::CPrinterList m_Printers;
    QString m_ApplicationName;
    CPrintDlgRecord m_Record;
};
