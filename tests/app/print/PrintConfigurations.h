#pragma once

#include "model/Configuration.h"
#include "model/ModuleCodes.h"
#include "support/Modules_fixture.h"

// The most a printout holds: IXO with QZ, Z8/Z9 and KQ, linearization on all 16 points.
inline void SetLargest(CConfiguration &configuration)
{
    configuration.ModInstr().SetNomeProgramma("Largest");
    SetModules(configuration, Modello::IXO, SlotAModule::VAB, SlotBModule::QZ, SlotCModule::Z8Z9,
               SlotDModule::KQ, true);
    configuration.Linearize().SetNumSpezzate(CLinearize::kPoints);
    for (int i = 0; i < CLinearize::kPoints; ++i) {
        configuration.Linearize().SetCoordinateIn(i, qint16(100 * i));
        configuration.Linearize().SetCoordinateOut(i, qint16(110 * i));
    }
}
