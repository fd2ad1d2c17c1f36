#include "app/widgets/print/ApplicationPrinter.h"

#include "common/ResString.h"

#include <QPageSize>
#include <QPrinter>

#include <optional>

namespace ApplicationPrinter {

namespace {

constexpr qint32 kA4 = 9;
constexpr qint32 kLastNamedPaper = 41;

constexpr qint32 kUserDefinedPaper = 256;
// Texts 720 to 760 name the papers 1 to 41.
constexpr int kFirstPaperName = 720;

std::optional<CPrinterChoice> g_Current;
std::optional<CStoredChoice> g_Unstored;

} // namespace

std::optional<Platform::CPrinterEntry> Queue(const CPrinterList &printers, const QString &deviceName)
{
    for (const Platform::CPrinterEntry &entry : printers.Printers) {
        if (entry.Name == deviceName)
            return entry;
    }
    return std::nullopt;
}

CPrinterChoice SystemDefault(const CPrinterList &printers)
{
    if (printers.Printers.isEmpty())
        return DeviceDefaults(printers, PdfDeviceName());
    const bool known = Queue(printers, printers.DefaultName).has_value();
    return DeviceDefaults(printers, known ? printers.DefaultName : printers.Printers.first().Name);
}

QString PdfDeviceName()
{
    return LoadResString(716);
}

QStringList DeviceNames(const CPrinterList &printers)
{
    QStringList names;
    for (const Platform::CPrinterEntry &entry : printers.Printers)
        names.append(entry.Name);
    names.append(PdfDeviceName());
    return names;
}

bool IsAvailable(const CPrinterList &printers, const QString &deviceName)
{
    return deviceName == PdfDeviceName() || Queue(printers, deviceName).has_value();
}

QPageSize PaperPageSize(qint32 code)
{
    // Qt knows every named paper by its code but folio, 8 1/2 x 13 in.
    constexpr qint32 kFolio = 14;
    if (code == kFolio)
        return QPageSize(QSizeF(8.5, 13), QPageSize::Inch, QString(), QPageSize::ExactMatch);
    const QPageSize::PageSizeId id =
        code >= 1 && code <= kLastNamedPaper ? QPageSize::id(code) : QPageSize::Custom;
    return id == QPageSize::Custom ? QPageSize() : QPageSize(id);
}

bool IsPaperSize(qint32 code)
{
    return PaperPageSize(code).isValid();
}

QString PaperSizeName(qint32 code)
{
    if (code >= 1 && code <= kLastNamedPaper)
        return LoadResString(kFirstPaperName + code - 1);
    return LoadResString(code == kUserDefinedPaper ? 761 : 762);
}

QList<qint32> PaperSizes(const CPrinterList &printers, const QString &deviceName)
{
    QList<qint32> codes;
    const std::optional<Platform::CPrinterEntry> entry = Queue(printers, deviceName);
    if (entry && !entry->PageSizes.isEmpty()) {
        for (const QPageSize &size : entry->PageSizes) {
            const qint32 code = size.windowsId();
            if (IsPaperSize(code) && !codes.contains(code))
                codes.append(code);
        }
        std::sort(codes.begin(), codes.end());
        if (!codes.isEmpty())
            return codes;
    }
    for (qint32 code = 1; code <= kLastNamedPaper; ++code) {
        if (IsPaperSize(code))
            codes.append(code);
    }
    return codes;
}

CPrinterChoice DeviceDefaults(const CPrinterList &printers, const QString &deviceName)
{
    CPrinterChoice choice;
    choice.DeviceName = deviceName;
    choice.PaperSize = kA4;
    choice.PageOrientation = 1;
    if (const std::optional<Platform::CPrinterEntry> entry = Queue(printers, deviceName)) {
        const qint32 code = entry->DefaultPageSize.windowsId();
        if (IsPaperSize(code))
            choice.PaperSize = code;
        choice.PageOrientation = entry->DefaultOrientation == QPageLayout::Landscape ? 2 : 1;
    }
    return choice;
}

CPrinterChoice Current(const CPrinterList &printers)
{
    if (!g_Current)
        g_Current = SystemDefault(printers);
    return *g_Current;
}

void Select(const CPrinterChoice &choice)
{
    g_Current = choice;
}

std::optional<CStoredChoice> UnstoredChoice()
{
    return g_Unstored;
}

void SetUnstoredChoice(const std::optional<CStoredChoice> &choice)
{
    g_Unstored = choice;
}

void Reset()
{
    g_Current.reset();
    g_Unstored.reset();
}

QPageLayout PageLayout(const CPrinterChoice &choice)
{
    // The printout keeps margins of its own.
    return QPageLayout(PaperPageSize(IsPaperSize(choice.PaperSize) ? choice.PaperSize : kA4),
                       choice.PageOrientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

bool PrintsOnQueue(const CPrinterChoice &choice)
{
    return choice.DeviceName != PdfDeviceName();
}

std::unique_ptr<QPrinter> NewPreviewPrinter(const CPrinterChoice &choice)
{
    std::unique_ptr<QPrinter> printer = Platform::NewPdfPrinter();
    printer->setPageLayout(PageLayout(choice));
    return printer;
}

} // namespace ApplicationPrinter
