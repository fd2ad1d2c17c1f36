#pragma once

class FMain;

// The print commands of the main window's File menu: Print (the parameter list of the current
// configuration, previewed in the list's place), print options (FOption over the window's
// options, for the rest of the run) and printer setup; and the end of a print, which puts the
// list back. FMain plugs them all with one call and holds no state of theirs.
//   PlugPrintCommands(*this);
//
// A print goes to the stored printer choice, read afresh for every print. When that printer is
// not available (a queue gone, the print system stopped) the user is told (message 718) and
// chooses in printer setup; the stored choice changes only when the user confirms another one.
// A queue prints on its queue, the job named after the configuration; the PDF file device
// writes a file named in a file dialog. A printout that does not arrive (a file that cannot be
// written, a queue that refuses the job or cannot be reached) is message 717 with the system's
// reason, the print ended.
void PlugPrintCommands(FMain &window);
