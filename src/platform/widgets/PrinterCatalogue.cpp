#include "platform/widgets/PrinterCatalogue.h"

#include "platform/widgets/WorkerCall.h"

#include <QFile>
#include <QLibrary>
#include <QPrinter>
#include <QUrl>

#include <cups/cups.h>
#include <cups/pwg.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <mutex>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

namespace Platform {

namespace {

// The calls of the print system's library, loaded at the first use: a run that never prints on a
// queue nor previews never loads it (nor the network and security libraries it brings).
#define IXO_CUPS_CALLS(X)                                                                                    \
    X(cupsServer)                                                                                            \
    X(ippPort)                                                                                               \
    X(cupsEncryption)                                                                                        \
    X(cupsUser)                                                                                              \
    X(cupsSetServer)                                                                                         \
    X(httpConnect2)                                                                                          \
    X(httpClose)                                                                                             \
    X(httpSetTimeout)                                                                                        \
    X(cupsGetDests2)                                                                                         \
    X(cupsFreeDests)                                                                                         \
    X(cupsGetOption)                                                                                         \
    X(cupsAddOption)                                                                                         \
    X(cupsFreeOptions)                                                                                       \
    X(cupsEncodeOptions2)                                                                                    \
    X(cupsLastError)                                                                                         \
    X(cupsLastErrorString)                                                                                   \
    X(cupsDoRequest)                                                                                         \
    X(cupsDoIORequest)                                                                                       \
    X(ippNewRequest)                                                                                         \
    X(ippAddString)                                                                                          \
    X(ippAddStrings)                                                                                         \
    X(ippDelete)                                                                                             \
    X(ippFirstAttribute)                                                                                     \
    X(ippNextAttribute)                                                                                      \
    X(ippGetName)                                                                                            \
    X(ippGetGroupTag)                                                                                        \
    X(ippGetString)                                                                                          \
    X(ippGetCount)                                                                                           \
    X(pwgMediaForPWG)                                                                                        \
    X(pwgMediaForPPD)

struct CCups
{
#define IXO_CUPS_MEMBER(name) decltype(&::name) name = nullptr;
    IXO_CUPS_CALLS(IXO_CUPS_MEMBER)
#undef IXO_CUPS_MEMBER
    QString LoadError;
};

// Never destroyed, nor the library unloaded: a worker given up on may still be calling it while
// the program ends.
const CCups &Cups()
{
    static const CCups *const cups = [] {
        auto *loaded = new CCups;
        QLibrary library(QStringLiteral("cups"), 2);
        library.setLoadHints(QLibrary::PreventUnloadHint);
        bool complete = true;
#define IXO_CUPS_RESOLVE(name)                                                                               \
    loaded->name = reinterpret_cast<decltype(loaded->name)>(library.resolve(#name));                         \
    complete = complete && loaded->name;
        IXO_CUPS_CALLS(IXO_CUPS_RESOLVE)
#undef IXO_CUPS_RESOLVE
        if (!complete)
            loaded->LoadError = library.errorString();
        return loaded;
    }();
    return *cups;
}

// Whether name is one of names. (Plain text, never a static list: a worker given up on may ask
// while the program ends.)
bool IsOneOf(const QByteArray &name, std::initializer_list<std::string_view> names)
{
    return std::find(names.begin(), names.end(), std::string_view(name.constData(), name.size())) !=
           names.end();
}

// A queue's kept option that a job leaves out: the paper and the orientation, which a printout
// sets itself, and what the request says of itself.
bool LeftOutOfJobs(const QByteArray &name)
{
    return IsOneOf(name, {"media", "PageSize", "landscape", "orientation-requested", "printer-uri",
                          "requesting-user-name", "job-name", "document-format"});
}

// The server this thread's libcups asks: its socket, or host and port.
QString ServerOf(const CCups &cups)
{
    const QString server = QString::fromLocal8Bit(cups.cupsServer());
    return server.startsWith(QLatin1Char('/')) ? server
                                               : QStringLiteral("%1:%2").arg(server).arg(cups.ippPort());
}

// A connection of its own to the print system, which may stay silent for the answer time at
// most: libcups would otherwise wait a minute for each answer, and ask again.
class CConnection
{
public:
    explicit CConnection(const CCups &cups) : m_Cups(cups)
    {
        m_Limit = PrintSystemAnswerTime();
        m_Http = cups.httpConnect2(cups.cupsServer(), cups.ippPort(), nullptr, AF_UNSPEC,
                                   cups.cupsEncryption(), 1, int(m_Limit.count()), nullptr);
        if (m_Http)
            cups.httpSetTimeout(m_Http, std::chrono::duration<double>(kPoll).count(),
                                &CConnection::StillWaiting, this);
    }
    ~CConnection()
    {
        if (m_Http)
            m_Cups.httpClose(m_Http);
    }
    CConnection(const CConnection &) = delete;
    CConnection &operator=(const CConnection &) = delete;

    http_t *Http() const { return m_Http; }

    // What became of the last request: libcups' last error is this thread's, so it is the one
    // of that request. acceptable: a status that is no refusal for this request.
    CPrintSystemAnswer Answer(ipp_status_t acceptable = IPP_STATUS_OK) const
    {
        CPrintSystemAnswer answer;
        answer.Server = ServerOf(m_Cups);
        if (!m_Http) {
            answer.Outcome = CPrintSystemAnswer::Unreachable;
        } else if (m_Silent) {
            answer.Outcome = CPrintSystemAnswer::Silent;
        } else if (const ipp_status_t status = m_Cups.cupsLastError();
                   status > IPP_STATUS_OK_CONFLICTING && status != acceptable) {
            answer.Refusal = QString::fromUtf8(m_Cups.cupsLastErrorString());
        }
        return answer;
    }

private:
    static constexpr std::chrono::milliseconds kPoll{250};
    // libcups waits this long for the go-ahead to send a request's data without calling back.
    static constexpr std::chrono::milliseconds kGoAheadWait{1000};

    // Called by libcups each time kPoll passes with nothing received or sent. Calls further
    // apart than that had traffic between them, so the silence starts again; once the limit is
    // reached, every later wait of this connection ends at once.
    static int StillWaiting(http_t *, void *data)
    {
        auto &connection = *static_cast<CConnection *>(data);
        const auto now = std::chrono::steady_clock::now();
        if (now - connection.m_LastCall > 2 * kPoll)
            connection.m_SilentSince = now - kPoll;
        connection.m_LastCall = now;
        connection.m_Silent = connection.m_Silent || now - connection.m_SilentSince >= connection.m_Limit;
        return connection.m_Silent ? 0 : 1;
    }

    const CCups &m_Cups;
    http_t *m_Http = nullptr;
    std::chrono::milliseconds m_Limit{};
    std::chrono::steady_clock::time_point m_SilentSince = std::chrono::steady_clock::now();
    // The first request's wait for the go-ahead counts as silence.
    std::chrono::steady_clock::time_point m_LastCall = m_SilentSince + kGoAheadWait;
    bool m_Silent = false;
};

// A paper by its name, as the server gives it ("iso_a4_210x297mm") or a user set it ("A4").
QPageSize PageSizeOf(const CCups &cups, const char *media)
{
    const pwg_media_t *size = media ? cups.pwgMediaForPWG(media) : nullptr;
    if (!size && media)
        size = cups.pwgMediaForPPD(media);
    if (!size)
        return {};
    // In hundredths of a millimetre.
    return QPageSize(QSizeF(size->width, size->length) / 100.0, QPageSize::Millimeter, QString(),
                     QPageSize::FuzzyMatch);
}

// The papers of every queue, by queue name: one request for all of them.
void ReadPapers(const CCups &cups, const CConnection &connection, QList<CPrinterEntry> &printers)
{
    static const char *const wanted[] = {"printer-name", "media-supported", "media-default"};
    ipp_t *request = cups.ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    cups.ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                       int(std::size(wanted)), nullptr, wanted);
    ipp_t *response = cups.cupsDoRequest(connection.Http(), request, "/");
    if (!response)
        return;
    QString queue;
    QList<QPageSize> sizes;
    QPageSize defaultSize;
    const auto keep = [&] {
        for (CPrinterEntry &entry : printers) {
            if (entry.Name.section(QLatin1Char('/'), 0, 0) != queue)
                continue;
            entry.PageSizes = sizes;
            if (!entry.DefaultPageSize.isValid())
                entry.DefaultPageSize = defaultSize;
        }
        queue.clear();
        sizes.clear();
        defaultSize = {};
    };
    for (ipp_attribute_t *attribute = cups.ippFirstAttribute(response); attribute;
         attribute = cups.ippNextAttribute(response)) {
        const char *name = cups.ippGetName(attribute);
        // A nameless attribute parts two printers.
        if (!name) {
            keep();
            continue;
        }
        if (cups.ippGetGroupTag(attribute) != IPP_TAG_PRINTER)
            continue;
        const QByteArray key(name);
        if (key == "printer-name")
            queue = QString::fromUtf8(cups.ippGetString(attribute, 0, nullptr));
        else if (key == "media-default")
            defaultSize = PageSizeOf(cups, cups.ippGetString(attribute, 0, nullptr));
        for (int i = 0; key == "media-supported" && i < cups.ippGetCount(attribute); ++i) {
            const QPageSize size = PageSizeOf(cups, cups.ippGetString(attribute, i, nullptr));
            if (size.isValid())
                sizes.append(size);
        }
    }
    keep();
    cups.ippDelete(response);
}

// The queues CUPS offers, as Qt's print support listed them: instances by "queue/instance", a
// destination only found on the network left out.
class CSystemPrinterCatalogue : public CPrinterCatalogue
{
public:
    QString Server() const override { return Cups().LoadError.isEmpty() ? ServerOf(Cups()) : QString(); }

    CPrinterList Printers() const override
    {
        CPrinterList list;
        const CCups &cups = Cups();
        if (!cups.LoadError.isEmpty()) {
            list.Answer = {CPrintSystemAnswer::Unreachable, QString(), cups.LoadError};
            return list;
        }
        const CConnection connection(cups);
        if (!connection.Http()) {
            list.Answer = connection.Answer();
            return list;
        }
        cups_dest_t *dests = nullptr;
        const int count = cups.cupsGetDests2(connection.Http(), &dests);
        // A server without queues answers that it found none.
        list.Answer = connection.Answer(IPP_STATUS_ERROR_NOT_FOUND);
        for (int i = 0; i < count && !list.Answer.Failed(); ++i) {
            const cups_dest_t &dest = dests[i];
            if (!dest.instance &&
                !cups.cupsGetOption("printer-uri-supported", dest.num_options, dest.options))
                continue;
            CPrinterEntry entry;
            entry.Name = QString::fromLocal8Bit(dest.name);
            if (dest.instance)
                entry.Name += QLatin1Char('/') + QString::fromLocal8Bit(dest.instance);
            for (int o = 0; o < dest.num_options; ++o)
                entry.Options.append(
                    std::pair(QByteArray(dest.options[o].name), QByteArray(dest.options[o].value)));
            entry.DefaultPageSize =
                PageSizeOf(cups, cups.cupsGetOption("media", dest.num_options, dest.options));
            if (dest.is_default)
                list.DefaultName = entry.Name;
            list.Printers.append(entry);
        }
        cups.cupsFreeDests(count, dests);
        if (!list.Answer.Failed() && !list.Printers.isEmpty()) {
            ReadPapers(cups, connection, list.Printers);
            if (const CPrintSystemAnswer papers = connection.Answer(IPP_STATUS_ERROR_NOT_FOUND);
                papers.Outcome != CPrintSystemAnswer::Answered)
                list.Answer = papers;
        }
        if (list.Answer.Failed())
            list = {{}, {}, list.Answer};
        return list;
    }

    CPrintSystemAnswer Submit(const CQueueJob &job) const override
    {
        const CCups &cups = Cups();
        if (!cups.LoadError.isEmpty())
            return {CPrintSystemAnswer::Unreachable, QString(), cups.LoadError};
        // Open before anything that can wait: a caller that gives up on the job removes its file.
        const CJobFile file(job.File);
        if (file.Descriptor < 0)
            return {CPrintSystemAnswer::Answered, ServerOf(cups), file.Error};
        const CConnection connection(cups);
        if (!connection.Http())
            return connection.Answer();
        const QByteArray queue = job.Printer.section(QLatin1Char('/'), 0, 0).toUtf8();
        QByteArray uri;
        for (const auto &[name, value] : job.Options) {
            if (name == "printer-uri-supported")
                uri = value;
        }
        if (uri.isEmpty())
            uri = "ipp://localhost/printers/" + queue;
        ipp_t *request = cups.ippNewRequest(IPP_OP_PRINT_JOB);
        cups.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
        cups.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                          cups.cupsUser());
        cups.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr,
                          job.Title.toUtf8().constData());
        // libcups adds a document-format of its own to the operation attributes unless one of the
        // options names it: the job's data is PDF, whatever the queue's options say.
        cups_option_t *options = nullptr;
        int count = cups.cupsAddOption("document-format", "application/pdf", 0, &options);
        for (const auto &[name, value] : JobOptions(job))
            count = cups.cupsAddOption(name.constData(), value.constData(), count, &options);
        cups.cupsEncodeOptions2(request, count, options, IPP_TAG_OPERATION);
        cups.cupsEncodeOptions2(request, count, options, IPP_TAG_JOB);
        cups.cupsFreeOptions(count, options);
        const QByteArray resource = QUrl::fromEncoded(uri).path(QUrl::FullyEncoded).toUtf8();
        ipp_t *response =
            cups.cupsDoIORequest(connection.Http(), request, resource.constData(), file.Descriptor, -1);
        // Taken before anything else can ask libcups.
        const CPrintSystemAnswer answer = connection.Answer();
        cups.ippDelete(response);
        return answer;
    }

private:
    // The job's data, open for as long as the job is handed over.
    struct CJobFile
    {
        explicit CJobFile(const QString &path)
            : Descriptor(open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC))
        {
            if (Descriptor < 0)
                Error = qt_error_string(errno);
        }
        ~CJobFile()
        {
            if (Descriptor >= 0)
                close(Descriptor);
        }
        CJobFile(const CJobFile &) = delete;
        CJobFile &operator=(const CJobFile &) = delete;

        int Descriptor;
        QString Error;
    };
};

// Never destroyed: a worker given up on may still be asking it while the program ends.
CPrinterCatalogue &SystemCatalogue()
{
    static CPrinterCatalogue *const catalogue = new CSystemPrinterCatalogue;
    return *catalogue;
}

CPrinterCatalogue *g_Catalogue = nullptr;

constexpr std::chrono::milliseconds kAnswerTime{5000};
std::atomic<std::chrono::milliseconds::rep> g_AnswerTime{kAnswerTime.count()};

// A job waits for the print system's own verdict, which its silence bounds; this only ends a
// wait that something below libcups (a name lookup of the server) holds for ever.
constexpr int kJobWaitsInAnswerTimes = 12;

CPrintSystemAnswer &AnswerOf(CPrinterList &list)
{
    return list.Answer;
}

CPrintSystemAnswer &AnswerOf(CPrintSystemAnswer &answer)
{
    return answer;
}

// The server a worker of the print system asks, which it notes first, so that it is known even
// when the worker is given up on.
struct CServerNote
{
    std::mutex Mutex;
    QString Server;
};

// The print system's workers, and the note of the latest one.
CWorkerLane g_PrintSystemWorkers;
std::shared_ptr<CServerNote> g_LatestNote = std::make_shared<CServerNote>();

// call(catalogue) on a worker; Silent when no answer comes within limit, at the server of the
// latest worker: this one's, or the one given up on earlier that it waited for in vain.
template <class Result, class Call> Result AskOffThread(Call call, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::optional<Result> result;
    if (g_PrintSystemWorkers.WaitFree(limit)) {
        const CPrinterCatalogue *catalogue = &PrinterCatalogue();
        g_LatestNote = std::make_shared<CServerNote>();
        result = g_PrintSystemWorkers.Run<Result>(
            [catalogue, note = g_LatestNote, call] {
                const QString server = catalogue->Server();
                {
                    const std::lock_guard lock(note->Mutex);
                    note->Server = server;
                }
                return call(*catalogue);
            },
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                  std::chrono::steady_clock::now()));
    }
    if (result)
        return *result;
    Result silent{};
    const std::lock_guard lock(g_LatestNote->Mutex);
    AnswerOf(silent) = {CPrintSystemAnswer::Silent, g_LatestNote->Server, QString()};
    return silent;
}

} // namespace

QList<std::pair<QByteArray, QByteArray>> JobOptions(const CQueueJob &job)
{
    QList<std::pair<QByteArray, QByteArray>> options;
    for (const auto &option : job.Options) {
        if (!option.second.isEmpty() && !LeftOutOfJobs(option.first))
            options.append(option);
    }
    options.append(std::pair(QByteArray("media"), job.PageSize.key().toUtf8()));
    options.append(std::pair(QByteArray("orientation-requested"),
                             QByteArray(job.Orientation == QPageLayout::Landscape ? "4" : "3")));
    return options;
}

CPrinterCatalogue &PrinterCatalogue()
{
    return g_Catalogue ? *g_Catalogue : SystemCatalogue();
}

void SetPrinterCatalogue(CPrinterCatalogue *catalogue)
{
    g_Catalogue = catalogue;
}

int RunningPrintSystemWorkers()
{
    return g_PrintSystemWorkers.Running();
}

std::chrono::milliseconds PrintSystemAnswerTime()
{
    return std::chrono::milliseconds(g_AnswerTime.load());
}

void SetPrintSystemAnswerTime(std::chrono::milliseconds time)
{
    g_AnswerTime = (time.count() > 0 ? time : kAnswerTime).count();
}

CPrinterList LookUpPrinters()
{
    return AskOffThread<CPrinterList>([](const CPrinterCatalogue &catalogue) { return catalogue.Printers(); },
                                      PrintSystemAnswerTime());
}

CPrintSystemAnswer SubmitJob(const CQueueJob &job)
{
    return AskOffThread<CPrintSystemAnswer>(
        [job](const CPrinterCatalogue &catalogue) { return catalogue.Submit(job); },
        PrintSystemAnswerTime() * kJobWaitsInAnswerTimes);
}

std::unique_ptr<QPrinter> NewPdfPrinter()
{
    // Qt's print support asks libcups for the default printer whenever a QPrinter is made, and
    // libcups keeps its server for each thread apart: pointed at a socket that cannot be there,
    // this thread's answers at once that there is none, and the printer writes PDF. The print
    // system is asked on workers only, each with its own server.
    thread_local bool detached = false;
    if (!detached && Cups().LoadError.isEmpty()) {
        Cups().cupsSetServer("/dev/null/no-print-system");
        detached = true;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    return printer;
}

} // namespace Platform
