#pragma once

class FMain;

// The File menu's Export and Import of program files: the file dialog (Qt's own, modal over the
// window, starting in the folder last used in this run, else the documents folder) and what
// the window shows; the file work itself is in app/ProgramFileCommands.h.
//   window.Plug(mcExport, [&window] { ExportFile(window); });

// Writes the current configuration into the file the user names; the dialog proposes the
// configuration's name as a file name (ProposedExportName), taken whole whatever it holds.
void ExportFile(FMain &window);

// Reads the file the user names into a new configuration, which becomes the current one; a
// file the program does not take gives message 802 and leaves the archive as it was.
void ImportFile(FMain &window);
