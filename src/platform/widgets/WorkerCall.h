#pragma once

#include <QEventLoop>
#include <QList>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace Platform {

// Where a window waiting for one worker and the worker meet: the worker calls Finish once when
// its result is there, from its own thread; Wait turns the caller's event loop (timers,
// repaints and a window's close go on, the user's clicks and keys are dropped, the pointer shows
// the hourglass: CHeldInput) until then, or until the limit passes or the program closes. Several may wait,
// one inside another's loop.
class CWorkerMeeting
{
public:
    // False when the limit passed (or the program was told to quit) first.
    bool Wait(std::chrono::milliseconds limit);
    void Finish();

private:
    std::mutex m_Mutex;
    bool m_Finished = false;
    QList<QEventLoop *> m_Waiting;
};

// The workers of one service that may stop answering, one at a time: each runs on a thread of
// its own and hands its result back to the caller's thread, the caller's window answering
// meanwhile. A worker whose caller gave up on it is left to end on its own, so it owns what it
// uses; until it has ended, the next call waits for it within its own limit, and is given up
// when that passes: a silent service holds one thread, never one more for each call.
//   std::optional<CPrinterList> found = lane.Run<CPrinterList>([] { return Ask(); }, 5s);
class CWorkerLane
{
public:
    // Workers of the lane doing their work now, one given up on included: 0 or 1.
    int Running() const { return m_State->Running; }
    // Turns the caller's loop until no worker of the lane runs; false when limit passed first.
    bool WaitFree(std::chrono::milliseconds limit);

    // None when the limit passed first, the wait for an earlier worker counted in.
    template <class Result>
    std::optional<Result> Run(std::function<Result()> work, std::chrono::milliseconds limit)
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        if (!WaitFree(limit))
            return std::nullopt;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return std::nullopt;
        auto answer = std::make_shared<std::optional<Result>>();
        if (!Start([answer, work = std::move(work)] { *answer = work(); })->Wait(left))
            return std::nullopt;
        return std::move(*answer);
    }

private:
    struct CState
    {
        std::atomic<int> Running{0};
        // The latest worker's, kept by the caller's thread only.
        std::shared_ptr<CWorkerMeeting> Latest;
    };

    std::shared_ptr<CWorkerMeeting> Start(std::function<void()> work);

    std::shared_ptr<CState> m_State = std::make_shared<CState>();
};

} // namespace Platform
