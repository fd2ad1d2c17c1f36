#pragma once

#include <QObject>

class QEventLoop;

namespace Platform {

// While it lives, the program waits on the window's thread for something that ends by itself
// (a worker's result, the archive's check, another program's lock): the event loop may turn, so
// the windows repaint, timers and queued calls run and a window's close, the window manager's
// included, reaches its window and ends the program; the user's clicks and keys are dropped, so
// that no command starts inside another, and the pointer shows the hourglass. Nests.
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
