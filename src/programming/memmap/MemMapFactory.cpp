#include "programming/memmap/MemMapFactory.h"

#include "programming/memmap/GestioneQEMMemMap.h"
#include "programming/memmap/GestioneVABZOBMemMap.h"

std::unique_ptr<CMemMapManager> MakeMemMapManager(qint16 codificaModuli)
{
    if (MemMap::IsQEMCode(codificaModuli))
        return std::make_unique<CGestioneQEMMemMap>();
    return std::make_unique<CGestioneVABZOBMemMap>();
}

std::unique_ptr<CMemMapManager> BuildWriteImage(EWriteImage image, qint64 id, const CConfiguration *held)
{
    qint16 code = 0;
    if (held != nullptr) {
        code = held->CodificaModuli();
    } else {
        CModInstr stored;
        stored.LoadRow(id);
        code = stored.CodificaModuli();
    }
    std::unique_ptr<CMemMapManager> manager = MakeMemMapManager(code);
    manager->SetIDProgramma(id);
    manager->SetCodificaModuli(code);
    if (image == EWriteImage::AuxEntries) {
        manager->ConvertUserSetupToMemoryMapAux(held);
        manager->SaveMemoryDumpAux(kMemoryUserAuxDump);
    } else {
        manager->ConvertUserSetupToMemoryMap(held);
        manager->SaveMemoryDump(kMemoryUserDump);
    }
    return manager;
}
