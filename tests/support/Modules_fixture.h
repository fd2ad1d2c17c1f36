#pragma once

#include "model/Configuration.h"

// The model and the modules of slots A to D, as the module page sets them.
inline void SetModules(CModInstr &modInstr, qint16 model, qint16 slotA, qint16 slotB, qint16 slotC,
                       qint16 slotD)
{
    modInstr.SetModelloStrumento(model);
    modInstr.SetSlotA(slotA);
    modInstr.SetSlotB(slotB);
    modInstr.SetSlotC(slotC);
    modInstr.SetSlotD(slotD);
}

// A configuration by its modules and whether its scale is linearized.
inline void SetModules(CConfiguration &configuration, qint16 model, qint16 slotA, qint16 slotB, qint16 slotC,
                       qint16 slotD, bool linearization)
{
    SetModules(configuration.ModInstr(), model, slotA, slotB, slotC, slotD);
    configuration.InOutScale().SetLinearizzazione(linearization ? 1 : 0);
}
