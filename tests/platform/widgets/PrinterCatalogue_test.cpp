#include "platform/widgets/PrintServer_fixture.h"
#include "platform/widgets/PrinterCatalogue.h"

#include <QApplication>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <map>
#include <memory>
#include <optional>

namespace {

using Platform::CPrintSystemAnswer;

// Until the print system's workers have all ended, the test's thread turning meanwhile.
bool WorkersEnd()
{
    return QTest::qWaitFor([] { return Platform::RunningPrintSystemWorkers() == 0; }, 60000);
}

// A job of one page on "Laser A" whose queue keeps options that name what the request says
// itself; its file in folder.
Platform::CQueueJob PdfJob(const QTemporaryDir &folder, const QByteArray &data)
{
    Platform::CQueueJob job;
    job.Printer = "Laser A";
    job.File = folder.filePath("print.pdf");
    job.Title = "Forno";
    job.PageSize = QPageSize(QPageSize::A4);
    job.Options = {{"document-format", "application/octet-stream"},
                   {"job-name", "Other"},
                   {"sides", "two-sided-long-edge"}};
    QFile file(job.File);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(data) == data.size());
    return job;
}

// A job is one Print-Job whose operation attributes each come once, its data said to be PDF
// whatever the queue's kept options say, followed by the file's bytes.
TEST(PrintSystem, AJobSaysEachOperationAttributeOnceItsDataPdf)
{
    PrintServer server(PrintServer::Answering);
    const QTemporaryDir folder;
    const QByteArray data = "%PDF-1.4 one page\n%%EOF\n";
    const CPrintSystemAnswer answer = Platform::SubmitJob(PdfJob(folder, data));
    EXPECT_FALSE(answer.Failed()) << answer.Outcome << answer.Refusal.toStdString();
    ASSERT_EQ(server.Requests().size(), 1);
    const QByteArray request = server.Requests().first();
    qsizetype dataStart = -1;
    QList<QByteArray> operation;
    QList<QByteArray> job;
    // Every value said under each name, duplicates one after the other.
    std::map<QByteArray, std::string> said;
    for (const CIppAttribute &attribute : IppAttributes(request, dataStart)) {
        (attribute.Group == 1 ? operation : job) << attribute.Name;
        said[attribute.Name] += attribute.Values.join(',').toStdString();
    }
    EXPECT_EQ(said["document-format"], "application/pdf");
    EXPECT_EQ(said["job-name"], "Forno");
    EXPECT_EQ(request.mid(0, 4).toHex(), "02000002"); // IPP 2.0, Print-Job
    EXPECT_EQ(QSet<QByteArray>(operation.begin(), operation.end()).size(), operation.size())
        << operation.join(' ').constData();
    EXPECT_TRUE(job.contains("sides") && job.contains("media") && !job.contains("document-format"))
        << job.join(' ').constData();
    EXPECT_EQ(request.mid(dataStart), data);
}

// A lookup given up on leaves its worker waiting for a server that keeps stalling. The next
// lookup waits for that worker within its own time and, as it is still waiting then, is Silent
// at that server, no second worker started nor connection made. Once the server gives up the
// worker ends, and the next lookup asks again.
TEST(PrintSystem, ALookupWaitsForTheWorkerGivenUpOnAndStartsNoOther)
{
    PrintServer server(PrintServer::Stalling);
    const Platform::CPrinterList first = Platform::LookUpPrinters();
    int mostWorkers = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout,
                     [&] { mostWorkers = std::max(mostWorkers, Platform::RunningPrintSystemWorkers()); });
    watch.start(20);
    const Platform::CPrinterList second = Platform::LookUpPrinters();
    watch.stop();
    for (const CPrintSystemAnswer &answer : {first.Answer, second.Answer})
        EXPECT_TRUE(answer.Outcome == CPrintSystemAnswer::Silent && answer.Server == server.Path());
    EXPECT_EQ(mostWorkers, 1);
    EXPECT_EQ(server.Connections, 1);
    server.GiveUp();
    ASSERT_TRUE(WorkersEnd());
    EXPECT_EQ(Platform::LookUpPrinters().Answer.Outcome, CPrintSystemAnswer::Unreachable);
}

// A catalogue that notes every call made to it.
struct NotingCatalogue : Platform::CPrinterCatalogue
{
    QString Server() const override
    {
        ++Calls;
        return {};
    }
    Platform::CPrinterList Printers() const override
    {
        ++Calls;
        return {};
    }
    CPrintSystemAnswer Submit(const Platform::CQueueJob &) const override
    {
        ++Calls;
        return {};
    }
    mutable std::atomic<int> Calls = 0;
};

// The program quitting ends the wait for a job, which no time limit would end. The job's worker,
// given up on, has the job and its data for itself: its caller's job and file go, another
// catalogue is put in, while it waits for the server; when the server gives up at last, the
// worker ends having called no one.
TEST(PrintSystem, AJobGivenUpOnAtQuitEndsLaterOnWhatItHolds)
{
    Platform::SetPrintSystemAnswerTime(std::chrono::hours(1));
    PrintServer server(PrintServer::Stalling);
    auto folder = std::make_unique<QTemporaryDir>();
    auto job = std::make_unique<Platform::CQueueJob>(PdfJob(*folder, "%PDF-1.4 stalled\n"));
    std::optional<CPrintSystemAnswer> answer;
    QTimer::singleShot(0, [&] { answer = Platform::SubmitJob(*job); });
    QTimer quitOnceSent;
    QObject::connect(&quitOnceSent, &QTimer::timeout, [&] {
        if (!server.Requests().isEmpty())
            QCoreApplication::quit();
    });
    quitOnceSent.start(20);
    QApplication::exec();
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->Outcome, CPrintSystemAnswer::Silent);
    EXPECT_EQ(Platform::RunningPrintSystemWorkers(), 1);
    job.reset();
    folder.reset();
    NotingCatalogue other;
    Platform::SetPrinterCatalogue(&other);
    server.GiveUp();
    EXPECT_TRUE(WorkersEnd());
    EXPECT_EQ(other.Calls, 0);
    Platform::SetPrinterCatalogue(nullptr);
    Platform::SetPrintSystemAnswerTime(std::chrono::seconds(1));
}

// The program ends at once with a lookup given up on: nothing joins its worker, which a server
// that never gives up would hold for ever. A server that gives up as the program's own objects
// go wakes the worker then, and it finds nothing it uses gone.
TEST(PrintSystemDeathTest, TheProgramEndsAtOnceWithALookupGivenUpOn)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const bool givesUp : {false, true}) {
        EXPECT_EXIT(
            {
                static PrintServer *server = new PrintServer(PrintServer::Stalling);
                static const std::unique_ptr<PrintServer> goes(givesUp ? server : nullptr);
                Platform::LookUpPrinters();
                std::exit(Platform::RunningPrintSystemWorkers() == 1 ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << givesUp;
    }
}

} // namespace
