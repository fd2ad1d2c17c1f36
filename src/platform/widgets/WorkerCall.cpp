#include "platform/widgets/WorkerCall.h"

#include "platform/HeldInput.h"

#include <QTimer>

#include <thread>

namespace Platform {

bool CWorkerMeeting::Wait(std::chrono::milliseconds limit)
{
    QEventLoop loop;
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    {
        const std::lock_guard lock(m_Mutex);
        if (m_Finished)
            return true;
        m_Waiting.append(&loop);
    }
    // Also ended by the program's quit, which ends every loop that turns.
    ExecHoldingInput(loop);
    const std::lock_guard lock(m_Mutex);
    m_Waiting.removeOne(&loop);
    return m_Finished;
}

void CWorkerMeeting::Finish()
{
    const std::lock_guard lock(m_Mutex);
    m_Finished = true;
    // Under the lock: no loop can end and go while the call to it is posted.
    for (QEventLoop *waiting : std::as_const(m_Waiting))
        QMetaObject::invokeMethod(waiting, &QEventLoop::quit, Qt::QueuedConnection);
}

bool CWorkerLane::WaitFree(std::chrono::milliseconds limit)
{
    return !m_State->Latest || m_State->Latest->Wait(limit);
}

std::shared_ptr<CWorkerMeeting> CWorkerLane::Start(std::function<void()> work)
{
    auto meeting = std::make_shared<CWorkerMeeting>();
    m_State->Latest = meeting;
    ++m_State->Running;
    // The lane itself may be gone when the worker ends (the program ending): it holds the state.
    std::thread([state = m_State, meeting, work = std::move(work)]() mutable {
        work();
        // What the work held goes before the worker counts as ended.
        work = nullptr;
        --state->Running;
        meeting->Finish();
    }).detach();
    return meeting;
}

} // namespace Platform
