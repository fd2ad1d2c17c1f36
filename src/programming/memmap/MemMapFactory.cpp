#include "programming/memmap/MemMapFactory.h"

#include "programming/memmap/GestioneQEMMemMap.h"
#include "programming/memmap/GestioneVABZOBMemMap.h"

std::unique_ptr<CMemMapManager> MakeMemMapManager(qint16 codificaModuli)
{
    if (MemMap::IsQEMCode(codificaModuli))
        return std::make_unique<CGestioneQEMMemMap>();
    return std::make_unique<CGestioneVABZOBMemMap>();
}
