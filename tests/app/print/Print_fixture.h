#pragma once

#include "app/App_fixture.h"
#include "app/print/PrintConfigurations.h"
#include "app/widgets/print/ApplicationPrinter.h"
#include "platform/widgets/PrintServer_fixture.h"
#include "platform/widgets/PrinterCatalogue.h"

#include <QProcess>

#include <optional>

// What one of poppler's tools (pdfinfo, pdftotext, pdfimages) says of a PDF file.
inline QString Poppler(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000) && process.exitCode() == 0) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The printers of the system: none, or two queues, "Laser A" (A4, Letter, A3, Legal) and the
// default "Office B" (Letter, Legal), each on its first paper. Installed for the test's
// lifetime, with the run's printer choice forgotten before and after. A job handed to a queue
// is refused with Refusal when set, else noted as "printer|title|options|pages"; Reach hands it
// to the system's print support instead (a PrintServer, or none there).
class FakePrinterCatalogue : public Platform::CPrinterCatalogue
{
public:
    explicit FakePrinterCatalogue(bool queues = false) : m_System(&Platform::PrinterCatalogue())
    {
        SetQueues(queues);
        Platform::SetPrinterCatalogue(this);
        ApplicationPrinter::Reset();
    }
    void SetQueues(bool queues)
    {
        using P = QPageSize;
        const QList<std::pair<QString, QList<P::PageSizeId>>> printers = {
            {"Laser A", {P::A4, P::Letter, P::A3, P::Legal}}, {"Office B", {P::Letter, P::Legal}}};
        m_Printers.clear();
        for (const auto &[name, papers] : queues ? printers : decltype(printers){}) {
            m_Printers.append(
                {name, QPageSize(papers.first()), QPageLayout::Portrait, {}, {{"sides", "one-sided"}}});
            for (P::PageSizeId id : papers)
                m_Printers.last().PageSizes.append(QPageSize(id));
        }
    }
    ~FakePrinterCatalogue() override
    {
        Platform::SetPrinterCatalogue(nullptr);
        ApplicationPrinter::Reset();
    }
    QString Server() const override { return m_System->Server(); }
    Platform::CPrinterList Printers() const override { return {m_Printers, "Office B", {}}; }
    Platform::CPrintSystemAnswer Submit(const Platform::CQueueJob &job) const override;

    QString Refusal;
    bool Reach = false;
    mutable QStringList Jobs;

private:
    Platform::CPrinterCatalogue *m_System;
    QList<Platform::CPrinterEntry> m_Printers;
};

// Runs on the worker that hands the job over.
inline Platform::CPrintSystemAnswer FakePrinterCatalogue::Submit(const Platform::CQueueJob &job) const
{
    if (Reach || !Refusal.isEmpty())
        return Reach ? m_System->Submit(job) : Platform::CPrintSystemAnswer{{}, {}, Refusal};
    const QString pages = Poppler("pdfinfo", {job.File}).section("Pages:", 1).section('\n', 0, 0).trimmed();
    QStringList options;
    for (const auto &[name, value] : Platform::JobOptions(job))
        options << name + '=' + value;
    Jobs << QStringList({job.Printer, job.Title, options.join(' '), pages}).join('|');
    return {};
}
