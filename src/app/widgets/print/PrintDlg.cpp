#include "app/widgets/print/PrintDlg.h"

#include "app/widgets/SettingsNotStored.h"
#include "common/Error.h"
#include "common/TraceCode.h"
#include "common/ValueText.h"
#include "platform/SettingsStore.h"
#include "platform/UserPaths.h"

#include <limits>
#include <optional>

using namespace PrintDlgFlag;

namespace {

const QString kSection = QStringLiteral("Application printer");
const QString kDeviceKey = QStringLiteral("DeviceName");
constexpr qint32 kOverflow = 6;

std::optional<qint16> StoredNumber(const QString &key)
{
    return ValueText::ParseInt16(Platform::ReadSetting(kSection, key, QString()));
}

void TraceBadSetting(const QString &what, const QString &key)
{
    g_Trace->BugMessage(what + Platform::ReadSetting(kSection, key, QString()));
}

// The paper's sides in tenths of a millimetre, as it stands upright.
QSize PaperTenths(qint32 code)
{
    if (!ApplicationPrinter::IsPaperSize(code))
        return QSize(0, 0);
    return (ApplicationPrinter::PaperPageSize(code).size(QPageSize::Millimeter) * 10).toSize();
}

} // namespace

CPrintDlg::CPrintDlg(const Platform::CPrinterList &printers)
    : m_Printers(printers), m_ApplicationName(QString::fromLatin1(Platform::kApplicationName))
{
    GetDefaultPrinter();
    // The creation flags replace the ones the default printer was read with.
    m_Record.Flags = kCreationFlags;
}

QString CPrintDlg::StoredDeviceName()
{
    if (const std::optional<ApplicationPrinter::CStoredChoice> unstored =
            ApplicationPrinter::UnstoredChoice())
        return unstored->Printer.DeviceName;
    return Platform::ReadSetting(kSection, kDeviceKey, QString());
}

void CPrintDlg::SetApplicationName(const QString &name)
{
    m_ApplicationName = name;
    LoadApplicationPrinter();
}

void CPrintDlg::LoadApplicationPrinter()
{
    ReadApplicationPrinter();
    SelectApplicationPrinter();
}

void CPrintDlg::SetMinMaxPage(qint16 minPage, qint16 maxPage)
{
    if (minPage >= maxPage)
        return;
    m_Record.MinPage = minPage;
    m_Record.MaxPage = maxPage;
}

void CPrintDlg::SetFromPageToPage(qint16 fromPage, qint16 toPage)
{
    if (fromPage >= toPage)
        return;
    m_Record.FromPage = fromPage;
    m_Record.ToPage = toPage;
}

void CPrintDlg::SetPrintRange(qint32 range)
{
    SetFlag(PD_SELECTION | PD_PAGENUMS, false);
    if (range == 1)
        SetFlag(PD_PAGENUMS, true);
    else if (range == 2)
        SetFlag(PD_SELECTION, true);
}

qint32 CPrintDlg::PrintRange() const
{
    if (Has(PD_PAGENUMS))
        return 1;
    return Has(PD_SELECTION) ? 2 : 0;
}

void CPrintDlg::SetDeviceName(const QString &name)
{
    if (!name.isEmpty())
        m_Record.Printer.DeviceName = name;
}

void CPrintDlg::SetPaperSize(qint32 code)
{
    if (code < std::numeric_limits<qint16>::min() || code > std::numeric_limits<qint16>::max())
        RaiseRunTimeError(kOverflow);
    m_Record.Printer.PaperSize = code;
}

qint16 CPrintDlg::PaperHeight() const
{
    const QSize paper = PaperTenths(PaperSize());
    return qint16(PageOrientation() == 2 ? paper.width() : paper.height());
}

qint16 CPrintDlg::PaperWidth() const
{
    const QSize paper = PaperTenths(PaperSize());
    return qint16(PageOrientation() == 2 ? paper.height() : paper.width());
}

bool CPrintDlg::ShowPrintDlg(QWidget *parent)
{
    // The print dialog, whatever a setup dialog shown before left in the flags.
    SetFlag(PD_PRINTSETUP, false);
    return ShowDialog(parent);
}

bool CPrintDlg::ShowPrintSetupDlg(QWidget *parent)
{
    SetFlag(PD_PRINTSETUP, true);
    return ShowDialog(parent);
}

void CPrintDlg::SetFlag(quint32 flag, bool set)
{
    m_Record.Flags = set ? m_Record.Flags | flag : m_Record.Flags & ~flag;
}

void CPrintDlg::GetDefaultPrinter()
{
    // "PDF file" is always there, so there is always a default to read.
    SetFlag(PD_RETURNDEFAULT, true);
    m_Record.Printer = ApplicationPrinter::SystemDefault(m_Printers);
}

bool CPrintDlg::ShowDialog(QWidget *parent)
{
    SetFlag(PD_RETURNDEFAULT, false);
    FPrinterSetup dialog(m_Printers, parent);
    dialog.SetRecord(m_Record);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_Record = dialog.Record();
    if (QString fault; !SaveApplicationPrinter(&fault))
        TellSettingsNotStored(parent, fault);
    SelectApplicationPrinter();
    return true;
}

void CPrintDlg::ReadApplicationPrinter()
{
    if (const std::optional<ApplicationPrinter::CStoredChoice> unstored =
            ApplicationPrinter::UnstoredChoice()) {
        m_Record.Printer = unstored->Printer;
        SetPrintToFile(unstored->PrintToFile);
        return;
    }
    const CPrinterChoice current = ApplicationPrinter::Current(m_Printers);

    SetDeviceName(Platform::ReadSetting(kSection, kDeviceKey, current.DeviceName));

    const QString paperKey = QStringLiteral("PaperSize");
    m_Record.Printer.PaperSize = current.PaperSize;
    if (Platform::HasSetting(kSection, paperKey)) {
        const std::optional<qint16> paper = StoredNumber(paperKey);
        if (paper && ApplicationPrinter::IsPaperSize(*paper))
            m_Record.Printer.PaperSize = *paper;
        else
            TraceBadSetting(QStringLiteral("Formato carta memorizzato non valido: "), paperKey);
    }

    const QString orientationKey = QStringLiteral("Orientation");
    SetPageOrientation(current.PageOrientation);
    if (Platform::HasSetting(kSection, orientationKey)) {
        if (const std::optional<qint16> orientation = StoredNumber(orientationKey))
            SetPageOrientation(*orientation);
        else
            TraceBadSetting(QStringLiteral("Orientamento memorizzato non valido: "), orientationKey);
    }

    const QString toFileKey = QStringLiteral("PrintToFile");
    const std::optional<bool> toFile =
        ValueText::ParseBool(Platform::ReadSetting(kSection, toFileKey, QStringLiteral("False")));
    SetPrintToFile(toFile.value_or(false));
    if (!toFile)
        TraceBadSetting(QStringLiteral("Stampa su file memorizzata non valida: "), toFileKey);
}

bool CPrintDlg::SaveApplicationPrinter(QString *fault) const
{
    const bool stored = Platform::WriteSettings(
        {{kSection, kDeviceKey, DeviceName()},
         {kSection, QStringLiteral("PaperSize"), QString::number(PaperSize())},
         {kSection, QStringLiteral("Orientation"), QString::number(PageOrientation())},
         {kSection, QStringLiteral("PrintToFile"),
          PrintToFile() ? QStringLiteral("True") : QStringLiteral("False")}},
        fault);
    ApplicationPrinter::SetUnstoredChoice(
        stored ? std::nullopt
               : std::optional(ApplicationPrinter::CStoredChoice{m_Record.Printer, PrintToFile()}));
    return stored;
}

void CPrintDlg::SelectApplicationPrinter() const
{
    // A device the system does not offer now leaves the current one; paper and orientation apply
    // to whichever is current.
    CPrinterChoice current = ApplicationPrinter::Current(m_Printers);
    if (ApplicationPrinter::IsAvailable(m_Printers, DeviceName()))
        current.DeviceName = DeviceName();
    current.PaperSize = PaperSize();
    current.PageOrientation = PageOrientation();
    ApplicationPrinter::Select(current);
}
