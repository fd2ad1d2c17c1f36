#pragma once

#include "app/widgets/print/ApplicationPrinter.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QRadioButton;

// The printer setup dialog: device, paper, orientation and print to file. The papers follow the
// device chosen; the PDF file always prints to a file.
class FPrinterSetup : public QDialog
{
    Q_OBJECT

public:
    explicit FPrinterSetup(QWidget *parent = nullptr);

    // A device the list lacks selects the first one.
    void SetChoice(const CPrinterChoice &choice);
    CPrinterChoice Choice() const;

private:
    void FillPapers(qint32 paperSize);
    void OnDeviceChanged();

    QComboBox *m_cboPrinter;
    QComboBox *m_cboPaper;
    QRadioButton *m_optPortrait;
    QRadioButton *m_optLandscape;
    QCheckBox *m_chkPrintToFile;
    // What the user wants for a queue, kept while the PDF file forces printing to a file.
    bool m_PrintToFile = false;
};
