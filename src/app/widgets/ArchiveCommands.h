#pragma once

#include <QtGlobal>

class CConfiguration;
class FMain;

// The configuration wizard and the archive commands of the main window: New, Modify, Delete.
// FMain plugs the commands and exposes EditNewProgramma; the run is here, the wizard's pages
// in wizard/widgets/ConfigWizard.h, the id handling and the saving in app/ConfigurationEdit.h.

// Runs the configuration wizard (EditMode: 0 New, 1 Modify the current configuration,
// 2 record 2 with the offer of a copy, question 799) and stores what the user ended with End.
// True when it was stored, and in mode 2 whenever the user ended it with End. New makes the new
// configuration the window's current one. A configuration whose rows are missing gives message
// 808 and no wizard (false). A save that another program's lock keeps from the archive is
// offered again (Retry and Cancel; Cancel stores nothing and gives false, or in mode 2 stores
// nothing and goes on, so that the instrument still gets what the user confirmed); a close of
// the window meanwhile asks before it quits with nothing stored (849). Modify asks before it
// stores over a change another program stored meanwhile (843; No stores nothing). Any other
// failing save raises its CError with the archive and the current id as they were; in mode 2
// the failure of record 2 (847) or of the copy (846) is shown and the run goes on (true), the copy
// offered only while the archive stores changes; the program's close ends it.
bool EditNewProgramma(FMain &window, qint32 mode);
// Mode 2 for receive-edit-transmit: configuration then holds what the user confirmed at End,
// stored or not; copied says whether a copy was archived under a new id.
bool EditActualSetting(FMain &window, CConfiguration &configuration, bool &copied);

// The three commands of the Files-management menu and their toolbar buttons.
void NewProgramma(FMain &window);
void ModifyProgramma(FMain &window);
// Asks message 795 first; No changes nothing.
void DeleteProgramma(FMain &window);
