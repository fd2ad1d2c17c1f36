#pragma once

#include <QtGlobal>

class FMain;

// The configuration wizard and the archive commands of the main window: New, Modify, Delete.
// FMain plugs the commands and exposes EditNewProgramma; the run is here, the wizard's pages
// in wizard/widgets/ConfigWizard.h, the id handling and the saving in app/ConfigurationEdit.h.

// Runs the configuration wizard (EditMode: 0 New, 1 Modify the current configuration,
// 2 record 2 with the offer of a copy, question 799) and stores what the user ended with End.
// True when it was stored. New makes the new configuration the window's current one.
// A configuration whose rows are missing gives message 808 and no wizard (false). A save that
// another program's lock keeps from the archive is offered again (841 with Retry and Cancel;
// Cancel stores nothing and gives false, or for the copy just no copy). Any other failing save
// raises its CError with the archive and the current id as they were; in mode 2 the copy's
// failure is shown and record 2 stays stored (true).
bool EditNewProgramma(FMain &window, qint32 mode);

// The three commands of the Files-management menu and their toolbar buttons.
void NewProgramma(FMain &window);
void ModifyProgramma(FMain &window);
// Asks message 795 first; No changes nothing.
void DeleteProgramma(FMain &window);
