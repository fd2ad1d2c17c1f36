#include "Print_fixture.h"
#include "app/widgets/print/PrintTableContent.h"
#include "common/Error.h"
#include "common/ResString.h"

#include <QFileInfo>
#include <QPrinter>

namespace {

// One way a print ends: the file printed to (empty: the user named none), whether the content
// fails, and the error StartPrint lets through to the command (0: none).
struct PrintEnding
{
    const char *what;
    QString file;
    bool contentFails;
    qint32 error;
    friend void PrintTo(const PrintEnding &c, std::ostream *os) { *os << c.what; }
};

class PrintTable : public ::testing::TestWithParam<PrintEnding>
{
protected:
    PrintTable()
    {
        QObject::connect(&table, &Platform::CPrintTable::PrintEnd, [this] {
            ++ends;
            busyAtEnd = table.Busy();
        });
    }
    void PrintTo(const QString &file)
    {
        table.SetPrinterSource([this, file]() -> std::unique_ptr<QPrinter> {
            if (file.isEmpty())
                return nullptr;
            return ApplicationPrinter::NewPrinter(ApplicationPrinter::Current(), dir.filePath(file));
        });
    }

    FakePrinterCatalogue printers;
    QTemporaryDir dir;
    Platform::CPrintTable table;
    Platform::CPrintTable::Content content = PrintTableContent(std::make_shared<CPrintJob>());
    int ends = 0;
    bool busyAtEnd = true;
};

} // namespace

TEST_P(PrintTable, PrintEndOnceAndIdleHoweverThePrintEnds)
{
    const PrintEnding &c = GetParam();
    bool busyWhilePrinting = false;
    table.SetContent([&](QPrinter &printer, const Platform::CPrintTable &t) {
        busyWhilePrinting = t.Busy();
        if (c.contentFails)
            throw CError(MakeUserError(13999), "test", "content failed");
        content(printer, t);
    });
    PrintTo(c.file);

    qint32 error = 0;
    try {
        EXPECT_TRUE(table.StartPrint());
    } catch (const CError &e) {
        error = e.Number();
        EXPECT_TRUE(e.Number() != MakeUserError(peNotWritten) ||
                    e.Description() == LoadResStringArgs(717, {dir.filePath(c.file)}));
    }

    EXPECT_EQ(error, c.error ? MakeUserError(c.error) : 0);
    EXPECT_EQ(busyWhilePrinting, !c.file.isEmpty());
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(busyAtEnd || table.Busy());
    EXPECT_EQ(QFileInfo(dir.filePath(c.file)).isFile(), !c.file.isEmpty() && c.error == 0);
    // The control takes the next print.
    PrintTo("again.pdf");
    table.SetContent(content);
    EXPECT_TRUE(table.StartPrint());
    EXPECT_EQ(ends, 2);
    EXPECT_TRUE(QFileInfo(dir.filePath("again.pdf")).isFile());
}

INSTANTIATE_TEST_SUITE_P(Endings, PrintTable,
                         ::testing::Values(PrintEnding{"printed", "print.pdf", false, 0},
                                           PrintEnding{"no file named", "", false, 0},
                                           PrintEnding{"file not writable", "missing/print.pdf", false,
                                                       peNotWritten},
                                           PrintEnding{"content failed", "failed.pdf", true, 13999}));

TEST_F(PrintTable, StartPrintWhilePrintingIsRefused)
{
    bool second = true;
    table.SetContent([&](QPrinter &, const Platform::CPrintTable &) { second = table.StartPrint(); });
    PrintTo("print.pdf");
    EXPECT_TRUE(table.StartPrint());
    EXPECT_FALSE(second);
    EXPECT_EQ(ends, 1);
}

// A preview whose pages cannot be laid out ends the print at once; the error goes on.
TEST_F(PrintTable, PreviewThatFailsEndsThePrint)
{
    table.SetMode(Platform::CPrintTable::kPreviewMode);
    table.SetPreviewPrinterSource(
        [] { return ApplicationPrinter::NewPreviewPrinter(ApplicationPrinter::Current()); });
    table.SetContent([](QPrinter &, const Platform::CPrintTable &) {
        throw CError(MakeUserError(13999), "test", "content failed");
    });
    EXPECT_THROW(table.StartPrint(), CError);
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(busyAtEnd || table.Busy() || table.isVisible());
}
