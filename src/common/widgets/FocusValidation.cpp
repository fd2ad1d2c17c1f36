#include "common/widgets/FocusValidation.h"

#include <QFocusEvent>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>

bool LeavesByUser(const QFocusEvent *event)
{
    return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
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
