#pragma once

#include "programming/memmap/MemMapManager.h"

// The memory-map manager of the temperature module QEM: 90 words, probe and cold junction in
// words 2 and 3, no linearization, and TempCJC as word 89 at register 0xE06C.
class CGestioneQEMMemMap : public CMemMapManager
{
public:
    CGestioneQEMMemMap() : CMemMapManager(MemMap::EFamily::QEM) {}

    qint16 QEMMemMap(int index) const { return Word(index); }
    void SetQEMMemMap(int index, qint16 word) { SetWord(index, word); }
    QString QEMMemMapAux(int index) const { return AuxEntry(index); }
    void SetQEMMemMapAux(int index, const QString &text) { SetAuxEntry(index, text); }
};
