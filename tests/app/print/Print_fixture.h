#pragma once

#include "app/App_fixture.h"
#include "app/print/PrintConfigurations.h"
#include "app/widgets/print/ApplicationPrinter.h"
#include "platform/widgets/PrinterCatalogue.h"

#include <QProcess>
#include <QSocketNotifier>
#include <QTemporaryDir>

#include <optional>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// No test reaches a real print system: the print system's library looks for a server that does
// not exist, or a test's own (PrintServer), and printer setup reads the fake catalogue a test
// installs. The print system has a second to answer.
constexpr char kNoPrintServer[] = "/nonexistent/ixosoft-tests/cups.sock";
class CPrintEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        qputenv("CUPS_SERVER", kNoPrintServer);
        Platform::SetPrintSystemAnswerTime(std::chrono::seconds(1));
    }
};
inline ::testing::Environment *const g_PrintEnvironment =
    ::testing::AddGlobalTestEnvironment(new CPrintEnvironment);

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

// A print server at a socket of its own while it lives, named by CUPS_SERVER: one that takes
// connections and never answers, or (closed) none listening there. Connections: how many it took.
class PrintServer
{
public:
    explicit PrintServer(bool listening)
    {
        const QByteArray path = QFile::encodeName(m_Folder.filePath("cups.sock"));
        if (listening) {
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            qstrncpy(address.sun_path, path.constData(), sizeof(address.sun_path));
            m_Socket = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
            EXPECT_TRUE(bind(m_Socket, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0 &&
                        listen(m_Socket, 16) == 0);
            m_Taking.emplace(m_Socket, QSocketNotifier::Read);
            QObject::connect(&*m_Taking, &QSocketNotifier::activated, [this] {
                for (int taken; (taken = accept(m_Socket, nullptr, nullptr)) >= 0; ++Connections)
                    m_Taken.append(taken);
            });
        }
        qputenv("CUPS_SERVER", path);
    }
    ~PrintServer()
    {
        qputenv("CUPS_SERVER", kNoPrintServer);
        m_Taking.reset();
        for (int taken : m_Taken)
            close(taken);
        if (m_Socket >= 0)
            close(m_Socket);
    }
    PrintServer(const PrintServer &) = delete;
    PrintServer &operator=(const PrintServer &) = delete;
    QString Path() const { return m_Folder.filePath("cups.sock"); }

    int Connections = 0;

private:
    QTemporaryDir m_Folder;
    int m_Socket = -1;
    std::optional<QSocketNotifier> m_Taking;
    QList<int> m_Taken;
};
