#pragma once

#include <functional>

class QWidget;

// The archive's check, as the user meets it. The check runs on a thread of its own from the
// opening on (CArchiveDatabase), so the window answers meanwhile.

// Once the main window shows: the check the opening left for later (or could not finish, another
// program holding the file) starts, and a damaged archive is told over the window
// (ArchiveRefusalText) as soon as its check has found it so, at every start until the file is
// replaced.
void StartArchiveCheck(QWidget *window);

// A damaged archive told over the window (ArchiveRefusalText), unless a command waiting for the
// check tells it in its own refusal.
void TellArchiveDamage(QWidget *window);

// Before a command that changes the archive opens anything: the rest of the check is waited for
// under the hourglass, the window repainting, and a CError refuses the command when the archive
// stores no change: aeDamaged, aeReadOnly, aeBusy (another program kept the check from reading
// it; the next command checks it again), or aeClosing when the program closes meanwhile, which
// the command's entry does not show.
void RequireWritableArchive(QWidget *window);

// Before a command that reads the configurations' tables opens anything: the rest of the check is
// waited for as before a change, then allowed() says whether the command still works on what
// the check found, and a CError (aeDamaged) refuses it when not. A damage found while it waited
// that still lets it work is told as at the start, which the wait held back.
void RequireReadableArchive(QWidget *window, const std::function<bool()> &allowed);

// At the start, when another program's lock has kept the archive from being opened past the busy
// time-out: the user is told that the program waits for it (842), in a box over the splash that
// closes by itself once the lock has gone (true: the opening is tried again) or that the user
// closes to end the start (false).
bool AwaitArchiveFreed();
