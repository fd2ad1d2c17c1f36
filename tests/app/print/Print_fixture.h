#pragma once

#include "app/print/PrintConfigurations.h"
#include "app/widgets/print/ApplicationPrinter.h"
#include "model/Model_fixture.h"
#include "platform/widgets/PrinterCatalogue.h"

#include <QProcess>
#include <QTemporaryDir>

// No test reaches a print system: Qt's print support is pointed at a server that does not
// exist, and the printer setup reads the fake catalogue of the test that installs one.
class CPrintEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { qputenv("CUPS_SERVER", "/nonexistent/ixosoft-tests/cups.sock"); }
};
inline ::testing::Environment *const g_PrintEnvironment =
    ::testing::AddGlobalTestEnvironment(new CPrintEnvironment);

// Printers as a test wants them; installed for its lifetime, with the run's choice forgotten
// before and after.
class FakePrinterCatalogue : public Platform::CPrinterCatalogue
{
public:
    explicit FakePrinterCatalogue(QList<Platform::CPrinterEntry> printers = {}, QString defaultName = {})
        : m_Printers(std::move(printers)), m_Default(std::move(defaultName))
    {
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

    // "Pages", "Page size", "Title", ... as pdfinfo reports them.
    QString Info(const QString &field) const
    {
        for (const QString &line : Run(QStringLiteral("pdfinfo"), {m_Path}).split(QLatin1Char('\n'))) {
            if (line.startsWith(field + QLatin1Char(':')))
                return line.mid(field.size() + 1).trimmed();
        }
        return {};
    }
    int Pages() const { return Info(QStringLiteral("Pages")).toInt(); }
    // The text of one page (from 1), each line with its runs of blanks made one.
    QStringList Lines(int page) const
    {
        const QString text = Run(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                                  QStringLiteral("-l"), QString::number(page), m_Path, QStringLiteral("-")});
        QStringList lines;
        for (const QString &line : text.split(QLatin1Char('\n'))) {
            if (!line.trimmed().isEmpty())
                lines.append(line.simplified());
        }
        return lines;
    }
    // The images drawn on one page.
    int Images(int page) const
    {
        const QStringList lines = Run(QStringLiteral("pdfimages"),
                                      {QStringLiteral("-list"), QStringLiteral("-f"), QString::number(page),
                                       QStringLiteral("-l"), QString::number(page), m_Path})
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        return int(lines.size()) - 2; // two heading lines
    }

private:
    static QString Run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
        EXPECT_EQ(process.exitCode(), 0)
            << program.toStdString() << ' ' << process.readAllStandardError().toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    QString m_Path;
};

// A paper as a printer queue reports it.
inline Platform::CPrinterEntry PrinterEntry(const QString &name, QPageSize::PageSizeId paper,
                                            QList<QPageSize::PageSizeId> papers = {})
{
    Platform::CPrinterEntry entry;
    entry.Name = name;
    entry.DefaultPageSize = QPageSize(paper);
    for (QPageSize::PageSizeId id : papers)
        entry.PageSizes.append(QPageSize(id));
    return entry;
}
