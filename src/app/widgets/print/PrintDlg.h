#pragma once

#include "app/widgets/print/ApplicationPrinter.h"

#include <QString>

class QWidget;

// Printer setup: the user's printer choice for the program (device, paper, orientation, print
// to file), kept in the section "Application printer" of the settings store and made the
// program's current printer whenever it is read or confirmed.
//   CPrintDlg dialog;                       // holds the system's default printer
//   dialog.SetApplicationName("IxoSoft");   // reads the stored choice and selects it
//   dialog.ShowPrintSetupDlg(window);       // OK stores and selects; Cancel changes nothing
// A stored value that is no valid paper, orientation or truth value gives way to the current
// printer's own, with a trace line.
class CPrintDlg
{
public:
    CPrintDlg();

    QString ApplicationName() const { return m_ApplicationName; }
    // Stores the name, then LoadApplicationPrinter.
    void SetApplicationName(const QString &name);
    void LoadApplicationPrinter();

    // The setup dialog on this object's choice; true when the user confirmed it.
    bool ShowPrintSetupDlg(QWidget *parent = nullptr);

    QString DeviceName() const { return m_Choice.DeviceName; }
    // An empty name changes nothing.
    void SetDeviceName(const QString &name);
    qint32 PaperSize() const { return m_Choice.PaperSize; }
    void SetPaperSize(qint32 code) { m_Choice.PaperSize = code; }
    QString PaperSizeStr() const { return PaperSizeName(m_Choice.PaperSize); }
    // 2 landscape; any other value is portrait, 1.
    qint32 PageOrientation() const { return m_Choice.PageOrientation; }
    void SetPageOrientation(qint32 orientation) { m_Choice.PageOrientation = orientation == 2 ? 2 : 1; }
    bool PrintToFile() const { return m_Choice.PrintToFile; }
    void SetPrintToFile(bool toFile) { m_Choice.PrintToFile = toFile; }

    // The name of a paper code: texts 720 to 760 for 1 to 41, 761 "User-defined" for 256,
    // 762 "Not recognized" for any other.
    static QString PaperSizeName(qint32 code);

private:
    void ReadApplicationPrinter();
    void SaveApplicationPrinter() const;
    void SelectApplicationPrinter() const;

    QString m_ApplicationName;
    CPrinterChoice m_Choice;
};
