#pragma once

#include "programming/memmap/MemMapManager.h"

#include <memory>

// The manager of a module code word: QEM when both slot-A bits are set, VAB/ZOB otherwise.
//   MakeMemMapManager(0xCE1F)->Family() -> EFamily::QEM
std::unique_ptr<CMemMapManager> MakeMemMapManager(qint16 codificaModuli);

// Which image a write sends: the register words or the auxiliary entries.
enum class EWriteImage { Words, AuxEntries };

// The manager of the configuration a write sends, with IDProgramma id, the module code of
// that configuration, the image built and dumped ("MemoryUser.mem", "MemoryUserAux.mem"): the
// configuration `held` when the caller holds one, read from nothing but memory, so that
// another program's lock on the archive cannot stop the write; else archive record id, its
// thirteen rows read in one transaction, the module code among them.
//   BuildWriteImage(EWriteImage::Words, 2, &edited)->Word(0)
std::unique_ptr<CMemMapManager> BuildWriteImage(EWriteImage image, qint64 id, const CConfiguration *held);
