#pragma once

#include "app/App_fixture.h"
#include "app/print/PrintConfigurations.h"
#include "app/widgets/print/ApplicationPrinter.h"
#include "platform/widgets/PrinterCatalogue.h"

#include <QProcess>

// No test reaches a print system: Qt's print support looks for a server that does not exist,
// and printer setup reads the fake catalogue a test installs.
class CPrintEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { qputenv("CUPS_SERVER", "/nonexistent/ixosoft-tests/cups.sock"); }
};
inline ::testing::Environment *const g_PrintEnvironment =
    ::testing::AddGlobalTestEnvironment(new CPrintEnvironment);

// The printers of the system: none, or two queues, "Laser A" (A4, Letter, A3, Legal) and the
// default "Office B" (Letter, Legal), each on its first paper. Installed for the test's
// lifetime, with the run's printer choice forgotten before and after.
class FakePrinterCatalogue : public Platform::CPrinterCatalogue
{
public:
    explicit FakePrinterCatalogue(bool queues = false)
    {
        using P = QPageSize;
        const QList<std::pair<QString, QList<P::PageSizeId>>> printers = {
            {"Laser A", {P::A4, P::Letter, P::A3, P::Legal}}, {"Office B", {P::Letter, P::Legal}}};
        for (const auto &[name, papers] : queues ? printers : decltype(printers){}) {
            m_Printers.append({name, QPageSize(papers.first()), QPageLayout::Portrait, {}});
            for (P::PageSizeId id : papers)
                m_Printers.last().PageSizes.append(QPageSize(id));
        }
        Platform::SetPrinterCatalogue(this);
        ApplicationPrinter::Reset();
    }
    ~FakePrinterCatalogue() override
    {
        Platform::SetPrinterCatalogue(nullptr);
        ApplicationPrinter::Reset();
    }
    QList<Platform::CPrinterEntry> Printers() const override { return m_Printers; }
    QString DefaultPrinterName() const override { return "Office B"; }

private:
    QList<Platform::CPrinterEntry> m_Printers;
};

// What one of poppler's tools (pdfinfo, pdftotext, pdfimages) says of a PDF file.
inline QString Poppler(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000) && process.exitCode() == 0) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}
