#pragma once

// Lets a failed assertion show its text in a critical message box, titled
// "g_Trace.BugAssert fallito: ", before the program ends. Called once at start-up, after the
// application object exists.
void InstallAssertMessageBox();
