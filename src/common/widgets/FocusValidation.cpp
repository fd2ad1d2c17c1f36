#include "common/widgets/FocusValidation.h"

#include <QFocusEvent>
#include <QMetaObject>
#include <QPointer>

bool IsUserFocusChange(const QEvent *event)
{
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

void ReturnFocus(QWidget *control)
{
    QPointer<QWidget> target(control);
    QMetaObject::invokeMethod(
        control,
        [target] {
            if (target)
                target->setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
}
