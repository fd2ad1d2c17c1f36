#include "model/Configuration.h"
#include "model/ModuleCodes.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

// Every context value of a configuration, each source value a number of its own, off and on the
// QEM module: the scale and linearization objects take the range of slot A's module.
TEST(ContextCarries, ApplyContextFillsTheContextOfEveryObject)
{
    for (const qint16 slotA : {SlotAModule::VAKVAM, SlotAModule::QEM}) {
        SCOPED_TRACE(slotA);
        CConfiguration c;
        c.ModInstr().SetModelloStrumento(Modello::IXO);
        c.ModInstr().SetSlotA(slotA);
        c.RangeVABZOB().SetRange(21);
        c.RangeVABZOB().SetMeasureType(22);
        c.RangeQEM().SetProbeSelect(31);
        c.RangeQEM().SetRange(32);
        c.Display().SetDisplayDigit(41);
        CInOutScale &S = c.InOutScale();
        S.SetMinElectricScale(51);
        S.SetMaxElectricScale(52);
        S.SetMeasureDigitalPoint(53);
        S.SetMinMeasureScale(54);
        S.SetMaxMeasureScale(55);
        c.ApplyContext();

        const CLinearize &L = c.Linearize();
        const int range = slotA == SlotAModule::QEM ? 32 : 21;
        EXPECT_EQ(
            QList<int>({c.RangeVABZOB().SlotA(), c.Display().ModelloStrumento(), S.SlotA(),
                        S.ModelloStrumento(), S.MeasureType(), S.DisplayDigit(), S.ProbeSelect(), S.Range(),
                        L.MinElectricScale(), L.MaxElectricScale(), L.SlotA(), L.ProbeSelect(), L.Range()}),
            QList<int>(
                {slotA, Modello::IXO, slotA, Modello::IXO, 22, 41, 31, range, 51, 52, slotA, 31, range}));
        for (const CMeasureContext *m : std::initializer_list<const CMeasureContext *>{
                 &L, &c.Alarm(1), &c.Alarm(2), &c.Alarm(3), &c.Alarm(4), &c.FiltroDigitale()})
            EXPECT_EQ(QList<int>({m->MeasureDigitalPoint(), m->MinMeasureScale(), m->MaxMeasureScale(),
                                  m->ModelloStrumento(), m->DisplayDigit()}),
                      QList<int>({53, 54, 55, Modello::IXO, 41}));
    }
}

} // namespace
