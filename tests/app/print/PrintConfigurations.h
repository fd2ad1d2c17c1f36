#pragma once

#include "model/Configuration.h"
#include "model/ModuleCodes.h"

// A configuration by its modules, for the printout tests and the benchmark.
struct CModules
{
    const char *what;
    qint16 model, slotA, slotB = SlotBModule::None, slotC = SlotCModule::None, slotD = SlotDModule::None;
    bool linearization = false;
};

inline void SetModules(CConfiguration &configuration, const CModules &m)
{
    configuration.ModInstr().SetNomeProgramma(m.what);
    configuration.ModInstr().SetModelloStrumento(m.model);
    configuration.ModInstr().SetSlotA(m.slotA);
    configuration.ModInstr().SetSlotB(m.slotB);
    configuration.ModInstr().SetSlotC(m.slotC);
    configuration.ModInstr().SetSlotD(m.slotD);
    configuration.InOutScale().SetLinearizzazione(m.linearization ? 1 : 0);
}

// The most a printout holds: IXO with QZ, Z8/Z9 and KQ, linearization on all 16 points.
inline void SetLargest(CConfiguration &configuration)
{
    SetModules(configuration, {"Largest", Modello::IXO, SlotAModule::VAB, SlotBModule::QZ, SlotCModule::Z8Z9,
                               SlotDModule::KQ, true});
    configuration.Linearize().SetNumSpezzate(CLinearize::kPoints);
    for (int i = 0; i < CLinearize::kPoints; ++i) {
        configuration.Linearize().SetCoordinateIn(i, qint16(100 * i));
        configuration.Linearize().SetCoordinateOut(i, qint16(110 * i));
    }
}
