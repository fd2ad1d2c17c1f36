#pragma once

#include "app/ComponentCheck.h"
#include "app/widgets/FMain.h"

#include <memory>

// The program's start, in this order: trace log, program font, hourglass and splash window,
// scale tables, main window object, component check, the splash pause, then the main window
// loaded (the archive opened) and shown, and only then the splash closed: after a crash the
// archive's whole check runs during the loading, and the user sees the splash meanwhile.
// splashPause is 3 s for a user, 0 in tests. The rest of the archive's check runs beside the
// window (StartArchiveCheck).
//
// An archive that cannot be opened or listed ends the start: splash closed, hourglass gone,
// a message naming the file and why in the user's words, a trace line, no window (nullptr).
// The archive file is left as it was.
std::unique_ptr<FMain> StartUp(float splashPause, const QList<CComponent> &components = ComponentTable());

// StartUp, then the program runs until the main window closes. The exit code: 0, or 1 when
// the start failed.
int Main(float splashPause = 3.0f);
