#include "platform/HeldInput.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>
#include <QWidget>

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
    if (!m_Cursor)
        return;
    // A hidden window shown during the wait is one the wait opened.
    for (QWindow *window : QGuiApplication::topLevelWindows())
        if (window->isVisible())
            m_Held.append(window);
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

CHeldInput::~CHeldInput()
{
    // An error reported meanwhile may have taken every hourglass away already.
    if (m_Cursor && QGuiApplication::overrideCursor() != nullptr)
        QGuiApplication::restoreOverrideCursor();
}

bool CHeldInput::Holds(QObject *target) const
{
    // An action or a shortcut takes its input through the widget it belongs to.
    while (target != nullptr && !target->isWidgetType() && !target->isWindowType())
        target = target->parent();
    QWindow *window = nullptr;
    if (auto *widget = qobject_cast<QWidget *>(target)) {
        // A menu or a dropped-down list is part of the window it opened from.
        QWidget *top = widget->window();
        while (top->windowType() == Qt::Popup && top->parentWidget() != nullptr)
            top = top->parentWidget()->window();
        window = top->windowHandle();
    } else if (target != nullptr) {
        window = static_cast<QWindow *>(target);
        while (window->parent() != nullptr)
            window = window->parent();
    } else {
        // Input that belongs to no window cannot tell whose it is.
        return true;
    }
    return window != nullptr && m_Held.contains(window);
}

bool CHeldInput::eventFilter(QObject *watched, QEvent *event)
{
    return (IsUserInput(event->type()) && Holds(watched)) || QObject::eventFilter(watched, event);
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
