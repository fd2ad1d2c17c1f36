#include "app/widgets/print/FPrinterSetup.h"

#include "app/widgets/print/PrintDlg.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/widgets/FormResources.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

FPrinterSetup::FPrinterSetup(QWidget *parent)
    : QDialog(parent), m_cboPrinter(new QComboBox(this)), m_cboPaper(new QComboBox(this)),
      m_optPortrait(new QRadioButton(LoadResString(713))),
      m_optLandscape(new QRadioButton(LoadResString(714))),
      m_chkPrintToFile(new QCheckBox(LoadResString(715), this))
{
    g_Trace->BugMessage(QStringLiteral("Load form:") + LoadResString(1005));
    setWindowTitle(LoadResString(1005));
    m_cboPrinter->setObjectName(QStringLiteral("cboPrinter"));
    m_cboPaper->setObjectName(QStringLiteral("cboPaper"));
    m_optPortrait->setObjectName(QStringLiteral("optPortrait"));
    m_optLandscape->setObjectName(QStringLiteral("optLandscape"));
    m_chkPrintToFile->setObjectName(QStringLiteral("chkPrintToFile"));
    const QStringList devices = ApplicationPrinter::DeviceNames();
    m_cboPrinter->addItems(devices);
    // Wide enough for every name from the start, so the dialog keeps its size whatever is chosen.
    qsizetype deviceLength = 0;
    for (const QString &device : devices)
        deviceLength = std::max(deviceLength, device.size());
    qsizetype paperLength = 0;
    for (qint32 code : ApplicationPrinter::PaperSizes(ApplicationPrinter::PdfDeviceName()))
        paperLength = std::max(paperLength, CPrintDlg::PaperSizeName(code).size());
    for (QComboBox *list : {m_cboPrinter, m_cboPaper}) {
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(int(std::max(deviceLength, paperLength)));
    }

    auto *form = new QFormLayout;
    form->addRow(LoadResString(710), m_cboPrinter);
    form->addRow(LoadResString(711), m_cboPaper);

    auto *orientation = new QGroupBox(LoadResString(712), this);
    auto *orientationLayout = new QHBoxLayout(orientation);
    orientationLayout->addWidget(m_optPortrait);
    orientationLayout->addWidget(m_optLandscape);
    orientationLayout->addStretch();

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(LoadResString(2004), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdDialogOK"));
    ok->setDefault(true);
    buttons->addButton(LoadResString(2001), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cmdDialogCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(orientation);
    layout->addWidget(m_chkPrintToFile);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    SetControlsFont(this);
    connect(m_cboPrinter, &QComboBox::currentIndexChanged, this, &FPrinterSetup::OnDeviceChanged);
    connect(m_chkPrintToFile, &QCheckBox::toggled, this, [this](bool checked) {
        if (m_chkPrintToFile->isEnabled())
            m_PrintToFile = checked;
    });
}

void FPrinterSetup::SetChoice(const CPrinterChoice &choice)
{
    m_PrintToFile = choice.PrintToFile;
    const int device = m_cboPrinter->findText(choice.DeviceName);
    {
        const QSignalBlocker blocker(m_cboPrinter);
        m_cboPrinter->setCurrentIndex(device >= 0 ? device : 0);
    }
    OnDeviceChanged();
    FillPapers(choice.PaperSize);
    (choice.PageOrientation == 2 ? m_optLandscape : m_optPortrait)->setChecked(true);
}

CPrinterChoice FPrinterSetup::Choice() const
{
    CPrinterChoice choice;
    choice.DeviceName = m_cboPrinter->currentText();
    choice.PaperSize = m_cboPaper->currentData().toInt();
    choice.PageOrientation = m_optLandscape->isChecked() ? 2 : 1;
    choice.PrintToFile = m_chkPrintToFile->isChecked();
    return choice;
}

void FPrinterSetup::FillPapers(qint32 paperSize)
{
    const QList<qint32> codes = ApplicationPrinter::PaperSizes(m_cboPrinter->currentText());
    if (!codes.contains(paperSize))
        paperSize = ApplicationPrinter::DeviceDefaults(m_cboPrinter->currentText()).PaperSize;
    m_cboPaper->clear();
    for (qint32 code : codes)
        m_cboPaper->addItem(CPrintDlg::PaperSizeName(code), code);
    const int index = m_cboPaper->findData(paperSize);
    m_cboPaper->setCurrentIndex(index >= 0 ? index : 0);
}

void FPrinterSetup::OnDeviceChanged()
{
    const bool pdf = m_cboPrinter->currentText() == ApplicationPrinter::PdfDeviceName();
    m_chkPrintToFile->setEnabled(!pdf);
    m_chkPrintToFile->setChecked(pdf || m_PrintToFile);
    FillPapers(m_cboPaper->currentData().toInt());
}
