#pragma once

#include "model/Configuration.h"
#include "model/ModuleCodes.h"

// A configuration by its modules, for the printout tests and the benchmark.
inline void SetModules(CConfiguration &configuration, const QString &name, qint16 model, qint16 slotA,
                       qint16 slotB, qint16 slotC, qint16 slotD, bool linearization)
{
    configuration.ModInstr().SetNomeProgramma(name);
    configuration.ModInstr().SetModelloStrumento(model);
    configuration.ModInstr().SetSlotA(slotA);
    configuration.ModInstr().SetSlotB(slotB);
    configuration.ModInstr().SetSlotC(slotC);
    configuration.ModInstr().SetSlotD(slotD);
    configuration.InOutScale().SetLinearizzazione(linearization ? 1 : 0);
}

// The most a printout holds: IXO with QZ, Z8/Z9 and KQ, linearization on all 16 points.
inline void SetLargest(CConfiguration &configuration)
{
    SetModules(configuration, "Largest", Modello::IXO, SlotAModule::VAB, SlotBModule::QZ, SlotCModule::Z8Z9,
               SlotDModule::KQ, true);
    configuration.Linearize().SetNumSpezzate(CLinearize::kPoints);
    for (int i = 0; i < CLinearize::kPoints; ++i) {
        configuration.Linearize().SetCoordinateIn(i, qint16(100 * i));
        configuration.Linearize().SetCoordinateOut(i, qint16(110 * i));
    }
}
