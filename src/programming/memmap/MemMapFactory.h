#pragma once

#include "programming/memmap/MemMapManager.h"

#include <memory>

// The manager of a module code word: QEM when both slot-A bits are set, VAB/ZOB otherwise.
//   MakeMemMapManager(0xCE1F)->Family() -> EFamily::QEM
std::unique_ptr<CMemMapManager> MakeMemMapManager(qint16 codificaModuli);
