#pragma once

#include <QByteArray>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include <chrono>
#include <memory>
#include <utility>

class QPrinter;

namespace Platform {

// What became of one call to the print system: it answered (Refusal holds its own reason when
// it refused the call), it could not be reached, or it fell silent. Server says where it was
// asked: "/run/cups/cups.sock", "printhost:631".
struct CPrintSystemAnswer
{
    enum EOutcome { Answered, Unreachable, Silent };
    EOutcome Outcome = Answered;
    QString Server;
    QString Refusal;

    bool Failed() const { return Outcome != Answered || !Refusal.isEmpty(); }
};

// One printer queue of the system as printer setup offers it, and the options kept for it (those
// of the user and the queue's own, handed on with its jobs).
struct CPrinterEntry
{
    QString Name;
    QPageSize DefaultPageSize;
    QPageLayout::Orientation DefaultOrientation = QPageLayout::Portrait;
    // Empty: the queue names none, any size may be asked of it.
    QList<QPageSize> PageSizes;
    QList<std::pair<QByteArray, QByteArray>> Options;
};

// The printers one lookup found, in the order the system lists them, with the name of the
// system's default (empty when it names none). A print system that was not asked, or did not
// answer, offers none.
struct CPrinterList
{
    QList<CPrinterEntry> Printers;
    QString DefaultName;
    CPrintSystemAnswer Answer;
};

// A printout handed to a queue: the PDF file that holds its pages, the name the queue shows for
// the job, the paper and orientation asked for, and the options kept for the queue.
struct CQueueJob
{
    QString Printer;
    QString File;
    QString Title;
    QPageSize PageSize;
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
    QList<std::pair<QByteArray, QByteArray>> Options;
};

// The printers the program can reach and the way to them. Every use of the system's queues goes
// through the one catalogue in place, so a test puts a fake one in and never reaches a real queue.
//   SetPrinterCatalogue(&fake);      // ... the code under test ...
//   SetPrinterCatalogue(nullptr);    // the system's queues again
// Both calls wait for the print system, so they run off the window's thread (LookUpPrinters,
// SubmitJob), each on a connection of its own. A catalogue put in must outlive the workers that
// ask it (RunningPrintSystemWorkers); the system's own is never destroyed.
class CPrinterCatalogue
{
public:
    virtual ~CPrinterCatalogue() = default;
    // Where the print system is asked (CPrintSystemAnswer::Server); asks it nothing.
    virtual QString Server() const = 0;
    // Every queue with its papers, and the default: one lookup.
    virtual CPrinterList Printers() const = 0;
    // Hands the job to its printer's queue and waits for the print system's answer.
    virtual CPrintSystemAnswer Submit(const CQueueJob &job) const = 0;
};

// The options a job goes to its queue with: those kept for the queue that have a value, but for
// the paper and the orientation, which are the printout's own: "media" (its paper's name) and
// "orientation-requested" (3 portrait, 4 landscape), and for what the request says itself once
// (printer-uri, requesting-user-name, job-name, document-format: the job's data is PDF).
//   {landscape="", sides=two-sided-long-edge, job-name=Other}, A3 landscape
//       -> {sides=two-sided-long-edge, media=A3, orientation-requested=4}
QList<std::pair<QByteArray, QByteArray>> JobOptions(const CQueueJob &job);

CPrinterCatalogue &PrinterCatalogue();
void SetPrinterCatalogue(CPrinterCatalogue *catalogue);

// How long the print system has to answer: a lookup must be answered within it, a job handed
// over may not stall for longer. 5 s: a working server answers in well under a second.
std::chrono::milliseconds PrintSystemAnswerTime();
// Tests shorten it; zero or less puts the 5 s back.
void SetPrintSystemAnswerTime(std::chrono::milliseconds time);

// The catalogue in place asked on a worker of its own while the caller's window goes on
// answering (its user input held back until the end): a lookup that does not come within the
// answer time is Silent; a job waits for the print system's own verdict. A worker given up on
// (its time passed, or the program quits) ends on its own, holding a copy of the job and the
// job's file open; the next call waits for it within its own time, and is Silent, starting no
// worker, if it is still running then.
CPrinterList LookUpPrinters();
CPrintSystemAnswer SubmitJob(const CQueueJob &job);
// The print system's workers still at work, one given up on included: 0 or 1.
int RunningPrintSystemWorkers();

// A printer that writes PDF, for a preview to lay its pages out on, made without asking the
// print system anything.
std::unique_ptr<QPrinter> NewPdfPrinter();

} // namespace Platform
