#pragma once

#include <QEventLoop>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace Platform {

// Where a window waiting for one worker and the worker meet: the worker calls Finish once when
// its result is there, from its own thread; Wait turns the caller's event loop (timers and
// repaints go on, user input waits until the end, the pointer shows the hourglass) until then,
// or until the limit passes.
class CWorkerMeeting
{
public:
    // False when the limit passed (or the program was told to quit) first.
    bool Wait(std::chrono::milliseconds limit);
    void Finish();

private:
    std::mutex m_Mutex;
    bool m_Finished = false;
    QEventLoop *m_Waiting = nullptr;
};

// Runs work on a thread of its own and hands its result back to the caller's thread by a queued
// call, the caller's window answering meanwhile. None when the limit passed first: the work then
// ends on its own, so it must own everything it uses.
//   std::optional<CPrinterList> found = RunOffThread<CPrinterList>([] { return Ask(); }, 5s);
template <class Result>
std::optional<Result> RunOffThread(std::function<Result()> work, std::chrono::milliseconds limit)
{
    struct CShared
    {
        CWorkerMeeting Meeting;
        std::optional<Result> Answer;
    };
    auto shared = std::make_shared<CShared>();
    std::thread([shared, work = std::move(work)] {
        shared->Answer = work();
        shared->Meeting.Finish();
    }).detach();
    if (!shared->Meeting.Wait(limit))
        return std::nullopt;
    return std::move(shared->Answer);
}

} // namespace Platform
