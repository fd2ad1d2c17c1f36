#include "platform/HeldInput.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>

namespace Platform {
namespace {

// What the user does to the windows; a window's close is not among them, nor is a move of the
// pointer, which only highlights.
bool IsUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

CHeldInput::CHeldInput()
{
    QCoreApplication *application = QCoreApplication::instance();
    if (application == nullptr)
        return;
    application->installEventFilter(this);
    m_Cursor = qobject_cast<QGuiApplication *>(application) != nullptr;
    if (m_Cursor)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

CHeldInput::~CHeldInput()
{
    // An error reported meanwhile may have taken every hourglass away already.
    if (m_Cursor && QGuiApplication::overrideCursor() != nullptr)
        QGuiApplication::restoreOverrideCursor();
}

bool CHeldInput::eventFilter(QObject *watched, QEvent *event)
{
    return IsUserInput(event->type()) || QObject::eventFilter(watched, event);
}

void ExecHoldingInput(QEventLoop &loop)
{
    const CHeldInput held;
    loop.exec();
}

bool TurnEventsFor(int stepMilliseconds)
{
    QCoreApplication *application = QCoreApplication::instance();
    if (application == nullptr || application->thread() != QThread::currentThread()) {
        QThread::msleep(ulong(stepMilliseconds));
        return true;
    }
    QEventLoop loop;
    bool turned = false;
    QTimer::singleShot(stepMilliseconds, &loop, [&loop, &turned] {
        turned = true;
        loop.quit();
    });
    loop.exec();
    return turned;
}

} // namespace Platform
