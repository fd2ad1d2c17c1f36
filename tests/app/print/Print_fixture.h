#pragma once

#include "app/print/PrintConfigurations.h"
#include "app/widgets/print/ApplicationPrinter.h"
#include "platform/widgets/PrinterCatalogue.h"
#include "support/Model_fixture.h"

#include <QApplication>
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

// Printers as a test wants them, each with its default paper and the papers it takes; installed
// for the test's lifetime, with the run's printer choice forgotten before and after.
class FakePrinterCatalogue : public Platform::CPrinterCatalogue
{
public:
    using Papers = QList<QPageSize::PageSizeId>;
    explicit FakePrinterCatalogue(const QList<std::pair<QString, Papers>> &printers = {},
                                  QString defaultName = {})
        : m_Default(std::move(defaultName))
    {
        for (const auto &[name, papers] : printers) {
            Platform::CPrinterEntry entry{name, QPageSize(papers.first()), QPageLayout::Portrait, {}};
            for (QPageSize::PageSizeId id : papers)
                entry.PageSizes.append(QPageSize(id));
            m_Printers.append(entry);
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
    QString DefaultPrinterName() const override { return m_Default; }

private:
    QList<Platform::CPrinterEntry> m_Printers;
    QString m_Default;
};

// A PDF read back with poppler's tools.
class PdfFile
{
public:
    explicit PdfFile(QString path) : m_Path(std::move(path)) {}

    // A field as pdfinfo reports it: "Pages", "Page size", "Creator".
    QString Info(const QString &field) const
    {
        const QString info = Run("pdfinfo", {m_Path});
        const qsizetype at = info.indexOf(field + ':');
        return at < 0 ? QString() : info.mid(at + field.size() + 1).section('\n', 0, 0).trimmed();
    }
    int Pages() const { return Info("Pages").toInt(); }
    // The text lines of a page (from 1), each with its runs of blanks made one.
    QStringList Lines(int page) const
    {
        const QString first = QString::number(page);
        QStringList lines = Run("pdftotext", {"-layout", "-f", first, "-l", first, m_Path, "-"}).split('\n');
        for (QString &line : lines)
            line = line.simplified();
        lines.removeAll(QString());
        return lines;
    }
    // The images drawn on a page: pdfimages lists them under two heading lines.
    int Images(int page) const
    {
        const QString list =
            Run("pdfimages", {"-list", "-f", QString::number(page), "-l", QString::number(page), m_Path});
        return int(list.split('\n', Qt::SkipEmptyParts).size()) - 2;
    }

private:
    static QString Run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(30000) && process.exitCode() == 0) << program.toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    QString m_Path;
};
