#include "Print_fixture.h"
#include "app/print/LayoutForms.h"
#include "app/widgets/print/PrintTableContent.h"
#include "common/Error.h"
#include "common/ResString.h"
#include "platform/widgets/PrintTable.h"

#include <QFileInfo>
#include <QPrinter>

namespace {

// One way a print ends, and what StartPrint lets through to the command: 0 for nothing, else
// the number of the error.
struct PrintEnding
{
    const char *what;
    friend void PrintTo(const PrintEnding &c, std::ostream *os) { *os << c.what; }
    // The file to print to, in the test's folder; empty: the user named none.
    QString file;
    bool contentFails;
    qint32 error;
};

class PrintTableTest : public ::testing::TestWithParam<PrintEnding>
{
protected:
    PrintTableTest()
    {
        QObject::connect(&table, &Platform::CPrintTable::PrintEnd, [this] {
            ++ends;
            busyAtEnd = table.Busy();
        });
        auto job = std::make_shared<CPrintJob>();
        job->SetStyles(FIntestazioneDoc::Create(), FGriglia::Create());
        CReportRecordset report;
        report.AddRow(LoadResString(682));
        report.AddRow(LoadResString(683), LoadResString(684));
        job->SetReportData(report);
        content = PrintTableContent(job);
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
    Platform::CPrintTable::Content content;
    int ends = 0;
    bool busyAtEnd = true;
};

} // namespace

TEST_P(PrintTableTest, PrintEndOnceAndIdleHoweverThePrintEnds)
{
    const PrintEnding &c = GetParam();
    bool busyWhilePrinting = false;
    table.SetContent([&](QPrinter &printer, const Platform::CPrintTable &t) {
        busyWhilePrinting = t.Busy();
        if (c.contentFails)
            throw CError(MakeUserError(13999), QStringLiteral("test"), QStringLiteral("content failed"));
        content(printer, t);
    });
    PrintTo(c.file);

    qint32 error = 0;
    try {
        EXPECT_TRUE(table.StartPrint());
    } catch (const CError &e) {
        error = e.Number();
        if (e.Number() == MakeUserError(peNotWritten)) {
            EXPECT_EQ(e.Description(), LoadResStringArgs(717, {dir.filePath(c.file)}));
        }
    }

    EXPECT_EQ(error, c.error ? MakeUserError(c.error) : 0);
    EXPECT_EQ(busyWhilePrinting, !c.file.isEmpty());
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(busyAtEnd);
    EXPECT_FALSE(table.Busy());
    EXPECT_EQ(QFileInfo(dir.filePath(c.file)).isFile(), !c.file.isEmpty() && c.error == 0);

    // The control takes the next print.
    PrintTo(QStringLiteral("again.pdf"));
    table.SetContent(content);
    EXPECT_TRUE(table.StartPrint());
    EXPECT_EQ(ends, 2);
    EXPECT_TRUE(QFileInfo(dir.filePath("again.pdf")).isFile());
}

INSTANTIATE_TEST_SUITE_P(
    Endings, PrintTableTest,
    ::testing::Values(PrintEnding{"printed", QStringLiteral("print.pdf"), false, 0},
                      PrintEnding{"no file named", QString(), false, 0},
                      PrintEnding{"file not writable", QStringLiteral("missing/print.pdf"), false,
                                  peNotWritten},
                      PrintEnding{"content failed", QStringLiteral("failed.pdf"), true, 13999}));

TEST_F(PrintTableTest, StartPrintWhilePrintingIsRefused)
{
    bool second = true;
    table.SetContent([&](QPrinter &, const Platform::CPrintTable &) { second = table.StartPrint(); });
    PrintTo(QStringLiteral("print.pdf"));

    EXPECT_TRUE(table.StartPrint());
    EXPECT_FALSE(second);
    EXPECT_EQ(ends, 1);
}

TEST_F(PrintTableTest, OptionsAndMarginsAsThePrintoutReadsThem)
{
    table.InitLayout(10, 11, 20, 12);
    table.SetEnableHeader(false);
    table.SetHeaderPicture("logo.png");
    table.SetNote1("one");
    table.SetNote2("two");
    table.SetEnableNote(true);
    table.SetEnablePageNumber(false);

    const CPrintOptions options = PrintTableOptions(table);
    EXPECT_EQ(options.MarginsMillimetres, QMarginsF(11, 10, 12, 20));
    EXPECT_FALSE(options.EnableHeader);
    EXPECT_EQ(options.HeaderPicture, "logo.png");
    EXPECT_EQ(options.Note1 + options.Note2, "onetwo");
    EXPECT_TRUE(options.EnableNote);
    EXPECT_FALSE(options.EnablePageNumber);
}
