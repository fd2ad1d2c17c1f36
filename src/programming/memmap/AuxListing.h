#pragma once

#include "programming/memmap/MemMapLayout.h"

#include <QByteArray>
#include <QStringList>

// The instrument's answer to "READ": for each setting its key (the command without "|1"), the
// value and a CR, keys in any order among other text. Only bytes "-" to "z" belong to a value,
// so blanks and marks around it drop out.
//   "...SCAL>Lo.d=   -5.0\r..."  -> entry 9 "-5.0"
namespace MemMap {

// True when the listing comes from a QEM instrument: only it has the "CJC>CJC=" item.
bool ListingIsQEM(const QByteArray &listing);

// True once the listing holds every key that one family reads, each with the CR that ends
// its value: nothing more of it is needed, whichever family the instrument turns out to be.
bool AuxListingComplete(const QByteArray &listing);

// One text per image entry (WordCount(family) of them); the entries the family does not read
// stay empty. A key the listing lacks raises CError "Comando <key> non presente!!!".
QStringList ParseAuxListing(const QByteArray &listing, EFamily family);

} // namespace MemMap
