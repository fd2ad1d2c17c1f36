#pragma once

#include "common/Error.h"

#include <QCursor>
#include <QPointer>
#include <QWidget>

// What a command works on, for the message of its failure: the command as its menu names it
// ("Export file"), the configuration it works on ("" for none).
struct CCommandContext
{
    QString Command;
    QString Configuration;
};

// Ends a command that failed: the error's own text in the trace, a critical message titled
// with the program's name that says in the user's words what failed, on which configuration,
// and why (CommandFailureText), every hourglass the command left behind taken away (no message
// for a command refused because the program closes, aeClosing). The program goes on.
void ReportCommandError(QWidget *window, const CError &error, const CCommandContext &context = {});
// The same, told in the caller's own words.
void ReportError(QWidget *window, const CError &error, const QString &text);

// The one entry of every menu and toolbar command of the main window, so a command behaves the
// same from either. A CError ends the command, never the program. A command shows its
// hourglass with CHourGlassGuard; a pointer left on the window is put back here as it was.
//   RunCommand(this, [this] { DeleteProgramma(m_IDProgramma); }, {"Delete file", "Forno"});
//   // false when it failed
template <typename Command>
bool RunCommand(QWidget *window, Command &&command, const CCommandContext &context = {})
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
        ReportCommandError(target, error, context);
        return false;
    }
}
