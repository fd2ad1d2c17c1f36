#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWindow>

class QEventLoop;

namespace Platform {

// While it lives, the program waits on the window's thread for something that ends by itself
// (a worker's result, the archive's check, another program's lock): the event loop may turn, so
// the windows repaint, timers and queued calls run and a window's close, the window manager's
// included, reaches its window and ends the program; the user's clicks and keys to the windows
// that were up when the wait began are dropped, so that no command starts inside another, and
// the pointer shows the hourglass. A window opened meanwhile (a message box a queued call shows,
// and what it opens) is answered as always: nothing else would close it. Nests: a wait begun
// inside such a box holds the box too.
//   { CHeldInput held; loop.exec(); }
class CHeldInput : public QObject
{
public:
    CHeldInput();
    ~CHeldInput() override;
    CHeldInput(const CHeldInput &) = delete;
    CHeldInput &operator=(const CHeldInput &) = delete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool Holds(QObject *target) const;

    // Guarded, so that a window destroyed meanwhile never stands for a new one at its address.
    QList<QPointer<QWindow>> m_Held;
    bool m_Cursor = false;
};

// Runs loop until its owner quits it, the user's input held (CHeldInput). The program's exit
// ends it too, and from then on every loop returns at once: owners tell the two apart by
// whether what they waited for has come.
void ExecHoldingInput(QEventLoop &loop);

// Turns the event loop for about step, the user's input held by the caller; false when the
// program's exit ended the turn first (or no event loop can turn on this thread, when the
// thread sleeps instead).
bool TurnEventsFor(int stepMilliseconds);

} // namespace Platform
