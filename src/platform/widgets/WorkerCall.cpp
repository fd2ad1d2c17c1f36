#include "platform/widgets/WorkerCall.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTimer>

namespace Platform {

bool CWorkerMeeting::Wait(std::chrono::milliseconds limit)
{
    QEventLoop loop;
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    {
        const std::lock_guard lock(m_Mutex);
        if (m_Finished)
            return true;
        m_Waiting = &loop;
    }
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QGuiApplication::restoreOverrideCursor();
    const std::lock_guard lock(m_Mutex);
    m_Waiting = nullptr;
    return m_Finished;
}

void CWorkerMeeting::Finish()
{
    const std::lock_guard lock(m_Mutex);
    m_Finished = true;
    // Under the lock: the loop cannot end and go while the call to it is posted.
    if (m_Waiting)
        QMetaObject::invokeMethod(m_Waiting, &QEventLoop::quit, Qt::QueuedConnection);
}

} // namespace Platform
