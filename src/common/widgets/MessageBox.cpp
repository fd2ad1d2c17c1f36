#include "common/widgets/MessageBox.h"

#include "common/ResString.h"

#include <QApplication>
#include <QCursor>
#include <QPointer>
#include <QTimer>

namespace {

// How often a box that tells of a wait asks whether the wait is over.
constexpr int kClosesWhenPoll = 250;

MessageBoxFunction &CurrentMessageBox()
{
    static MessageBoxFunction messageBox;
    return messageBox;
}

// The window manager gives the focus back to the window under a box that closes; when that
// window closes at once too (a link window ends on the message of its failure), the focus
// falls between the two and no window of the program is active. So, once the box's caller has
// gone on, the window the user is in gets it: the modal window on top, else the box's window
// or the nearest of its owners still shown. The owners are noted while the box's window still
// exists: its caller may destroy it as soon as the box has closed.
void ReturnFocusAfterBox(QWidget *parent)
{
    QList<QPointer<QWidget>> owners;
    for (QWidget *window = parent ? parent->window() : nullptr; window != nullptr;
         window = window->parentWidget() ? window->parentWidget()->window() : nullptr)
        owners.append(window);
    QTimer::singleShot(0, qApp, [owners] {
        QWidget *target = QApplication::activeModalWidget();
        for (qsizetype i = 0; target == nullptr && i < owners.size(); ++i) {
            if (owners[i] && owners[i]->isVisible())
                target = owners[i];
        }
        if (target != nullptr && !target->isActiveWindow())
            target->activateWindow();
    });
}

QMessageBox::StandardButton ShowModalBox(QWidget *parent, const CMessage &message)
{
    // The table's two-character line break would show its carriage return as a stray glyph.
    QString text = message.Text;
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    QMessageBox box(message.Icon, message.Title, text, message.Buttons, parent);
    if (message.DefaultButton != QMessageBox::NoButton)
        box.setDefaultButton(message.DefaultButton);
    QTimer poll;
    if (message.ClosesWhen) {
        QObject::connect(&poll, &QTimer::timeout, &box, [&box, &message] {
            if (message.ClosesWhen())
                box.done(QMessageBox::NoButton);
        });
        poll.start(kClosesWhenPoll);
    }
    // A box opened during a wait under the hourglass (CHeldInput) waits for the user's answer.
    const bool overHourglass = QGuiApplication::overrideCursor() != nullptr;
    if (overHourglass)
        QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    const auto button = QMessageBox::StandardButton(box.exec());
    // An error reported meanwhile may have taken every override away already.
    if (overHourglass && QGuiApplication::overrideCursor() != nullptr)
        QGuiApplication::restoreOverrideCursor();
    ReturnFocusAfterBox(parent);
    return button;
}

} // namespace

void SetMessageBox(MessageBoxFunction messageBox)
{
    CurrentMessageBox() = std::move(messageBox);
}

QMessageBox::StandardButton ShowMessage(QWidget *parent, const CMessage &message)
{
    CMessage shown = message;
    if (shown.Title.isEmpty())
        shown.Title = LoadResString(301);
    return CurrentMessageBox() ? CurrentMessageBox()(parent, shown) : ShowModalBox(parent, shown);
}
