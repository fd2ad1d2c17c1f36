#include "platform/widgets/PrintServer_fixture.h"
#include "platform/widgets/PrinterCatalogue.h"

#include <QSet>

#include <map>

namespace {

using Platform::CPrintSystemAnswer;

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

} // namespace
