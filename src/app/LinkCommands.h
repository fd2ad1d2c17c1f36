#pragma once

#include <QtGlobal>

// The display-free half of the main window's link commands: which window runs a transfer.
// The link wizards are built in wizard/widgets/LinkWizard.h, the commands run in
// app/widgets/LinkCommands.h.

// The instrument's auxiliary text interface has a transfer window of its own; register frames
// (RS 232, RS 485) go through the other.
//   0 -> Auxiliary;  1, 2 -> Serial
enum class ETransferWindow { Auxiliary, Serial };
ETransferWindow TransferWindowFor(qint16 interfaceType);
