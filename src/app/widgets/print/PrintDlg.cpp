#include "app/widgets/print/PrintDlg.h"

#include "app/widgets/print/FPrinterSetup.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "platform/SettingsStore.h"

#include <limits>
#include <optional>

namespace {

const QString kSection = QStringLiteral("Application printer");
constexpr qint32 kUserDefinedPaper = 256;
// Texts 720 to 760 name the papers 1 to 41.
constexpr int kFirstPaperName = 720;

std::optional<qint32> StoredNumber(const QString &key)
{
    bool ok = false;
    const qlonglong number = Platform::ReadSetting(kSection, key, QString()).trimmed().toLongLong(&ok);
    if (!ok || number < std::numeric_limits<qint16>::min() || number > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint32(number);
}

void TraceBadSetting(const QString &what, const QString &key)
{
    g_Trace->BugMessage(what + Platform::ReadSetting(kSection, key, QString()));
}

} // namespace

CPrintDlg::CPrintDlg()
    : m_ApplicationName(QStringLiteral("IxoSoft")), m_Choice(ApplicationPrinter::SystemDefault())
{}

void CPrintDlg::SetApplicationName(const QString &name)
{
    m_ApplicationName = name;
    LoadApplicationPrinter();
}

void CPrintDlg::LoadApplicationPrinter()
{
    ReadApplicationPrinter();
    SelectApplicationPrinter();
    ApplicationPrinter::SetStoredChoiceLoaded();
}

void CPrintDlg::SetDeviceName(const QString &name)
{
    if (!name.isEmpty())
        m_Choice.DeviceName = name;
}

QString CPrintDlg::PaperSizeName(qint32 code)
{
    if (code >= 1 && code <= 41)
        return LoadResString(kFirstPaperName + code - 1);
    return LoadResString(code == kUserDefinedPaper ? 761 : 762);
}

void CPrintDlg::ReadApplicationPrinter()
{
    const CPrinterChoice current = ApplicationPrinter::Current();

    SetDeviceName(Platform::ReadSetting(kSection, QStringLiteral("DeviceName"), current.DeviceName));

    const QString paperKey = QStringLiteral("PaperSize");
    m_Choice.PaperSize = current.PaperSize;
    if (Platform::HasSetting(kSection, paperKey)) {
        const std::optional<qint32> paper = StoredNumber(paperKey);
        if (paper && ApplicationPrinter::IsPaperSize(*paper))
            m_Choice.PaperSize = *paper;
        else
            TraceBadSetting(QStringLiteral("Formato carta memorizzato non valido: "), paperKey);
    }

    const QString orientationKey = QStringLiteral("Orientation");
    SetPageOrientation(current.PageOrientation);
    if (Platform::HasSetting(kSection, orientationKey)) {
        if (const std::optional<qint32> orientation = StoredNumber(orientationKey))
            SetPageOrientation(*orientation);
        else
            TraceBadSetting(QStringLiteral("Orientamento memorizzato non valido: "), orientationKey);
    }

    const QString toFile =
        Platform::ReadSetting(kSection, QStringLiteral("PrintToFile"), QStringLiteral("False"));
    bool isNumber = false;
    const int number = toFile.trimmed().toInt(&isNumber);
    if (isNumber) {
        m_Choice.PrintToFile = number != 0;
    } else if (toFile.trimmed().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ||
               toFile.trimmed().compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        m_Choice.PrintToFile = toFile.trimmed().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
    } else {
        m_Choice.PrintToFile = false;
        TraceBadSetting(QStringLiteral("Stampa su file memorizzata non valida: "),
                        QStringLiteral("PrintToFile"));
    }
}

void CPrintDlg::SaveApplicationPrinter() const
{
    Platform::WriteSetting(kSection, QStringLiteral("DeviceName"), m_Choice.DeviceName);
    Platform::WriteSetting(kSection, QStringLiteral("PaperSize"), QString::number(m_Choice.PaperSize));
    Platform::WriteSetting(kSection, QStringLiteral("Orientation"),
                           QString::number(m_Choice.PageOrientation));
    Platform::WriteSetting(kSection, QStringLiteral("PrintToFile"),
                           m_Choice.PrintToFile ? QStringLiteral("True") : QStringLiteral("False"));
}

void CPrintDlg::SelectApplicationPrinter() const
{
    // A device the system does not have leaves the current one; paper and orientation apply
    // to whichever is current.
    CPrinterChoice current = ApplicationPrinter::Current();
    if (ApplicationPrinter::DeviceNames().contains(m_Choice.DeviceName))
        current.DeviceName = m_Choice.DeviceName;
    current.PaperSize = m_Choice.PaperSize;
    current.PageOrientation = m_Choice.PageOrientation;
    current.PrintToFile = m_Choice.PrintToFile;
    ApplicationPrinter::Select(current);
}

bool CPrintDlg::ShowPrintSetupDlg(QWidget *parent)
{
    FPrinterSetup dialog(parent);
    CPrinterChoice shown = m_Choice;
    if (!ApplicationPrinter::DeviceNames().contains(shown.DeviceName))
        shown.DeviceName = ApplicationPrinter::Current().DeviceName;
    dialog.SetChoice(shown);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_Choice = dialog.Choice();
    SaveApplicationPrinter();
    SelectApplicationPrinter();
    return true;
}
