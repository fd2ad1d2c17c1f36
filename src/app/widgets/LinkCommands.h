#pragma once

class FMain;

// The main window's commands that reach an instrument over the PC's serial port. Each asks
// for the link settings in a link wizard over the window's own two settings objects
// (CommConfigSetup, NetworkAddMsg); only a wizard ended with End stores them in the settings
// store and goes on, and a cancelled one leaves them as they were. The link windows get those
// very objects, so the address an automatic search finds stays in them for the rest of the
// run (stored by the next link wizard ended with End). Link failures are shown by the windows
// themselves; these commands add no message of their own.
//   window.Plug(mcSendProgramma, [&window] { SendProgramma(window); });

// Writes the configuration of the window's current id into one instrument or every
// instrument of the network: FAuxProgSetup over the auxiliary interface, else
// FSerialProgSetup.
void SendProgramma(FMain &window);

// Shows the measured values and alarm states of one instrument or of the whole network in
// FViewInstrData; nothing is archived.
void ViewVariable(FMain &window);
