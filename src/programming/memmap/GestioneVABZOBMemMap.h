#pragma once

#include "programming/memmap/MemMapManager.h"

// The memory-map manager of the signal modules VAB, VAK/VAM and ZOB: 89 words, with the
// coded integration time and the 16 linearization points.
class CGestioneVABZOBMemMap : public CMemMapManager
{
public:
    CGestioneVABZOBMemMap() : CMemMapManager(MemMap::EFamily::VABZOB) {}

    qint16 VABZOBMemMap(int index) const { return Word(index); }
    void SetVABZOBMemMap(int index, qint16 word) { SetWord(index, word); }
    QString VABZOBMemMapAux(int index) const { return AuxEntry(index); }
    void SetVABZOBMemMapAux(int index, const QString &text) { SetAuxEntry(index, text); }
};
