#include "app/widgets/print/FPrinterSetup.h"

#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/widgets/FormResources.h"

#include "ui_FPrinterSetup.h"

#include <algorithm>

using namespace PrintDlgFlag;

namespace {

constexpr int kSetupCaption = 1005;
constexpr int kPrintCaption = 763;

} // namespace

FPrinterSetup::FPrinterSetup(const Platform::CPrinterList &printers, QWidget *parent)
    : QDialog(parent), m_Ui(std::make_unique<Ui::FPrinterSetup>()), m_Printers(printers)
{
    m_Ui->setupUi(this);
    SetControlsFont(this);
    LoadCaptionResources(this);
    m_Ui->cmdDialogOK->setText(LoadResString(2004));
    m_Ui->cmdDialogCancel->setText(LoadResString(2001));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // Wide enough for every device and paper name from the start, so the dialog keeps its size
    // whatever is chosen.
    qsizetype longest = 0;
    for (const QString &device : ApplicationPrinter::DeviceNames(m_Printers))
        longest = std::max(longest, device.size());
    for (qint32 code : ApplicationPrinter::PaperSizes(m_Printers, ApplicationPrinter::PdfDeviceName()))
        longest = std::max(longest, ApplicationPrinter::PaperSizeName(code).size());
    for (QComboBox *list : {m_Ui->cboPrinter, m_Ui->cboPaper}) {
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(int(longest));
    }

    connect(m_Ui->cmdDialogOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_Ui->cmdDialogCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_Ui->cboPrinter, &QComboBox::currentIndexChanged, this, &FPrinterSetup::OnDeviceChanged);
    // The box is set with its signals held, so a change here is the user's own.
    connect(m_Ui->chkPrintToFile, &QCheckBox::toggled, this,
            [this](bool checked) { m_PrintToFile = checked; });
    connect(m_Ui->optPages, &QRadioButton::toggled, this, &FPrinterSetup::ShowPageRange);
    // The last page is never before the first.
    connect(m_Ui->txtFromPage, &QSpinBox::valueChanged, m_Ui->txtToPage, &QSpinBox::setMinimum);
}

FPrinterSetup::~FPrinterSetup() = default;

void FPrinterSetup::SetRecord(const CPrintDlgRecord &record)
{
    m_Record = record;
    const bool setup = record.Flags & PD_PRINTSETUP;
    setWindowTitle(LoadResString(setup ? kSetupCaption : kPrintCaption));
    g_Trace->BugMessage(QStringLiteral("Load form:") + windowTitle());
    m_Ui->layDevice->setRowVisible(m_Ui->cboPaper, setup);
    m_Ui->frmOrientation->setVisible(setup);
    m_Ui->frmPrintRange->setVisible(!setup);
    m_Ui->frmCopies->setVisible(!setup);

    QStringList devices = ApplicationPrinter::DeviceNames(m_Printers);
    if (!devices.contains(record.Printer.DeviceName))
        devices.append(record.Printer.DeviceName);
    m_PrintToFile = record.Flags & PD_PRINTTOFILE;
    m_Ui->chkPrintToFile->setVisible(!(record.Flags & PD_HIDEPRINTTOFILE));
    {
        const QSignalBlocker blocker(m_Ui->cboPrinter);
        m_Ui->cboPrinter->clear();
        m_Ui->cboPrinter->addItems(devices);
        m_Ui->cboPrinter->setCurrentIndex(int(devices.indexOf(record.Printer.DeviceName)));
    }
    OnDeviceChanged();
    FillPapers(record.Printer.PaperSize);
    (record.Printer.PageOrientation == 2 ? m_Ui->optLandscape : m_Ui->optPortrait)->setChecked(true);

    const bool pages = !(record.Flags & PD_NOPAGENUMS) && record.MinPage < record.MaxPage;
    m_Ui->optPages->setEnabled(pages);
    m_Ui->optSelection->setEnabled(!(record.Flags & PD_NOSELECTION));
    for (QSpinBox *page : {m_Ui->txtFromPage, m_Ui->txtToPage})
        page->setRange(record.MinPage, record.MaxPage);
    m_Ui->txtFromPage->setValue(record.FromPage);
    m_Ui->txtToPage->setValue(record.ToPage);
    QRadioButton *range = m_Ui->optAll;
    if (record.Flags & PD_PAGENUMS && pages)
        range = m_Ui->optPages;
    else if (record.Flags & PD_SELECTION && m_Ui->optSelection->isEnabled())
        range = m_Ui->optSelection;
    range->setChecked(true);
    ShowPageRange();
    m_Ui->txtCopies->setValue(record.Copies);
    m_Ui->chkCollate->setChecked(record.Flags & PD_COLLATE);
}

CPrintDlgRecord FPrinterSetup::Record() const
{
    CPrintDlgRecord record = m_Record;
    record.Printer.DeviceName = m_Ui->cboPrinter->currentText();
    record.Printer.PaperSize = m_Ui->cboPaper->currentData().toInt();
    record.Printer.PageOrientation = m_Ui->optLandscape->isChecked() ? 2 : 1;
    record.Flags &= ~quint32(PD_PRINTTOFILE | PD_SELECTION | PD_PAGENUMS | PD_COLLATE);
    if (m_PrintToFile)
        record.Flags |= PD_PRINTTOFILE;
    if (m_Record.Flags & PD_PRINTSETUP)
        return record;
    if (m_Ui->optPages->isChecked()) {
        record.Flags |= PD_PAGENUMS;
        record.FromPage = qint16(m_Ui->txtFromPage->value());
        record.ToPage = qint16(m_Ui->txtToPage->value());
    } else if (m_Ui->optSelection->isChecked()) {
        record.Flags |= PD_SELECTION;
    }
    if (m_Ui->chkCollate->isChecked())
        record.Flags |= PD_COLLATE;
    record.Copies = qint16(m_Ui->txtCopies->value());
    return record;
}

void FPrinterSetup::FillPapers(qint32 paperSize)
{
    const QString device = m_Ui->cboPrinter->currentText();
    const QList<qint32> codes = ApplicationPrinter::PaperSizes(m_Printers, device);
    if (!codes.contains(paperSize))
        paperSize = ApplicationPrinter::DeviceDefaults(m_Printers, device).PaperSize;
    m_Ui->cboPaper->clear();
    for (qint32 code : codes)
        m_Ui->cboPaper->addItem(ApplicationPrinter::PaperSizeName(code), code);
    const int index = m_Ui->cboPaper->findData(paperSize);
    m_Ui->cboPaper->setCurrentIndex(index >= 0 ? index : 0);
}

void FPrinterSetup::OnDeviceChanged()
{
    const bool pdf = m_Ui->cboPrinter->currentText() == ApplicationPrinter::PdfDeviceName();
    m_Ui->chkPrintToFile->setEnabled(!pdf && !(m_Record.Flags & PD_DISABLEPRINTTOFILE));
    const QSignalBlocker blocker(m_Ui->chkPrintToFile);
    m_Ui->chkPrintToFile->setChecked(pdf || m_PrintToFile);
    FillPapers(m_Ui->cboPaper->currentData().toInt());
}

void FPrinterSetup::ShowPageRange()
{
    const bool pages = m_Ui->optPages->isChecked();
    for (QWidget *page : std::initializer_list<QWidget *>{m_Ui->lblFromPage, m_Ui->txtFromPage,
                                                          m_Ui->lblToPage, m_Ui->txtToPage})
        page->setEnabled(pages);
}
