#pragma once

class FMain;

// The main window's commands that reach an instrument over the PC's serial port. Each asks
// for the link settings in a link wizard over the window's own two settings objects
// (CommConfigSetup, NetworkAddMsg); only a wizard ended with End stores them in the settings
// store and goes on, and a cancelled one leaves them as they were. The link windows get those
// very objects, so the address an automatic search finds stays in them for the rest of the
// run (stored by the next link wizard ended with End). Link failures are shown by the windows
// themselves, an archive's error that ends a transfer in the user's words (CommandFailureText);
// these commands add no message of their own.
//   window.Plug(mcSendProgramma, [&window] { SendProgramma(window); });

// Writes the configuration of the window's current id into one instrument or every
// instrument of the network: FAuxProgSetup over the auxiliary interface, else
// FSerialProgSetup.
void SendProgramma(FMain &window);

// Reads the instrument into record 2 (the modules it holds found by the serial read, or, over
// the auxiliary interface, those the user declared on the wizard's module page), lets the user
// edit it in the configuration wizard (EditNewProgramma(2), which may archive a copy) and
// writes it back through a fresh window of the same interface, to the address the read used:
// the manual address, or the one the read's search found, the address choice becoming manual.
// A failed or cancelled read ends the command before the configuration wizard; a cancelled
// configuration wizard ends it before the write, record 2 keeping what was read.
void RxEditTxProgramma(FMain &window);

// Shows the measured values and alarm states of one instrument or of the whole network in
// FViewInstrData; nothing is archived.
void ViewVariable(FMain &window);
