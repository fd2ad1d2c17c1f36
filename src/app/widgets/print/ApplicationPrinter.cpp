#include "app/widgets/print/ApplicationPrinter.h"

#include "common/ResString.h"
#include "platform/widgets/PrinterCatalogue.h"

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

std::optional<Platform::CPrinterEntry> Entry(const QString &deviceName)
{
    for (const Platform::CPrinterEntry &entry : Platform::PrinterCatalogue().Printers()) {
        if (entry.Name == deviceName)
            return entry;
    }
    return std::nullopt;
}

} // namespace

CPrinterChoice SystemDefault()
{
    const QList<Platform::CPrinterEntry> printers = Platform::PrinterCatalogue().Printers();
    if (printers.isEmpty())
        return DeviceDefaults(PdfDeviceName());
    const QString name = Platform::PrinterCatalogue().DefaultPrinterName();
    const bool known = std::any_of(printers.begin(), printers.end(),
                                   [&](const Platform::CPrinterEntry &entry) { return entry.Name == name; });
    return DeviceDefaults(known ? name : printers.first().Name);
}

QString PdfDeviceName()
{
    return LoadResString(716);
}

QStringList DeviceNames()
{
    QStringList names;
    for (const Platform::CPrinterEntry &entry : Platform::PrinterCatalogue().Printers())
        names.append(entry.Name);
    names.append(PdfDeviceName());
    return names;
}

bool IsAvailable(const QString &deviceName)
{
    return deviceName == PdfDeviceName() || Entry(deviceName).has_value();
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

QList<qint32> PaperSizes(const QString &deviceName)
{
    QList<qint32> codes;
    const std::optional<Platform::CPrinterEntry> entry = Entry(deviceName);
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

CPrinterChoice DeviceDefaults(const QString &deviceName)
{
    CPrinterChoice choice;
    choice.DeviceName = deviceName;
    choice.PaperSize = kA4;
    choice.PageOrientation = 1;
    if (const std::optional<Platform::CPrinterEntry> entry = Entry(deviceName)) {
        const qint32 code = entry->DefaultPageSize.windowsId();
        if (IsPaperSize(code))
            choice.PaperSize = code;
        choice.PageOrientation = entry->DefaultOrientation == QPageLayout::Landscape ? 2 : 1;
    }
    return choice;
}

CPrinterChoice Current()
{
    if (!g_Current)
        g_Current = SystemDefault();
    return *g_Current;
}

void Select(const CPrinterChoice &choice)
{
    g_Current = choice;
}

void Reset()
{
    g_Current.reset();
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
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageLayout(PageLayout(choice));
    return printer;
}

} // namespace ApplicationPrinter
