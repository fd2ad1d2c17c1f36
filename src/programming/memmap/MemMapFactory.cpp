#include "programming/memmap/MemMapFactory.h"

#include "model/Configuration.h"
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
    // The module code picks the manager that reads the other rows: both come from one read of
    // the archive, so that another program's change of slot A cannot fall between them.
    CConfiguration stored;
    if (held == nullptr) {
        stored.Load(id);
        held = &stored;
    }
    const qint16 code = held->CodificaModuli();
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
