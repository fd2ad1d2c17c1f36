#pragma once

#include "common/Error.h"

#include <QCursor>
#include <QPointer>
#include <QWidget>

// Ends a command that failed: trace line, critical message titled with the error's source,
// every hourglass the command left behind taken away. The program goes on.
void ReportCommandError(QWidget *window, const CError &error);

// The one entry of every menu and toolbar command of the main window, so a command behaves the
// same from either. A CError ends the command, never the program. A command shows its
// hourglass with CHourGlassGuard; a pointer left on the window is put back here as it was.
//   RunCommand(this, [this] { DeleteProgramma(m_IDProgramma); });   // false when it failed
template <typename Command> bool RunCommand(QWidget *window, Command &&command)
{
    const QPointer<QWidget> target(window);
    const bool ownCursor = window->testAttribute(Qt::WA_SetCursor);
    const QCursor cursor = window->cursor();
    try {
        command();
        return true;
    } catch (const CError &error) {
        if (target) {
            if (ownCursor)
                target->setCursor(cursor);
            else
                target->unsetCursor();
        }
        ReportCommandError(target, error);
        return false;
    }
}
