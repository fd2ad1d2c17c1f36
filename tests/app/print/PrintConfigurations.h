#pragma once

#include "model/Configuration.h"
#include "model/ModuleCodes.h"

// Configurations for the printout tests and the benchmark, by their modules.
struct CModules
{
    const char *what;
    qint16 model;
    qint16 slotA;
    qint16 slotB = SlotBModule::None;
    qint16 slotC = SlotCModule::None;
    qint16 slotD = SlotDModule::None;
    bool linearization = false;
};

inline void SetModules(CConfiguration &configuration, const CModules &modules)
{
    CModInstr &modInstr = configuration.ModInstr();
    modInstr.SetNomeProgramma(QString::fromLatin1(modules.what));
    modInstr.SetModelloStrumento(modules.model);
    modInstr.SetSlotA(modules.slotA);
    modInstr.SetSlotB(modules.slotB);
    modInstr.SetSlotC(modules.slotC);
    modInstr.SetSlotD(modules.slotD);
    configuration.InOutScale().SetLinearizzazione(modules.linearization ? 1 : 0);
}

// The most a printout can hold: IXO with QZ, Z8/Z9 and KQ, linearization on all 16 points.
inline void SetLargest(CConfiguration &configuration)
{
    SetModules(configuration, {"Largest", Modello::IXO, SlotAModule::VAB, SlotBModule::QZ, SlotCModule::Z8Z9,
                               SlotDModule::KQ, true});
    CLinearize &linearize = configuration.Linearize();
    linearize.SetNumSpezzate(CLinearize::kPoints);
    for (int i = 0; i < CLinearize::kPoints; ++i) {
        linearize.SetCoordinateIn(i, qint16(100 * i));
        linearize.SetCoordinateOut(i, qint16(110 * i));
    }
}
