#include "ModulePages_fixture.h"
#include "common/ResString.h"
#include "model/ModuleCodes.h"
#include "model/RangeVABZOB.h"
#include "wizard/widgets/FWRangeVABZOB.h"

namespace {

Members Of(const CRangeVABZOB &v)
{
    return {QStringLiteral("Range=%1").arg(v.Range()),
            QStringLiteral("MeasureType=%1").arg(v.MeasureType()),
            QStringLiteral("IntegrationTime=%1").arg(v.IntegrationTime()),
            QStringLiteral("IntTime=%1").arg(v.IntTime()),
            QStringLiteral("DigitalInFunction=%1").arg(v.DigitalInFunction()),
            QStringLiteral("SlotA=%1").arg(v.SlotA())};
}

CRangeVABZOB Signal(qint16 slotA, qint16 range, qint16 measure = 0, qint16 integration = 0,
                    qint16 time = 1000, qint16 function = 0)
{
    CRangeVABZOB v;
    v.SetSlotA(slotA);
    v.SetRange(range);
    v.SetMeasureType(measure);
    v.SetIntegrationTime(integration);
    v.SetIntTime(time);
    v.SetDigitalInFunction(function);
    return v;
}

constexpr qint16 VAB = SlotAModule::VAB, VAK = SlotAModule::VAKVAM, ZOB = SlotAModule::ZOB;

// The slot-A module picks the title and the range group; the time spin holds 100.0-999.9 ms in
// steps of 0.1 and 1.0 ms, wrapping, enabled on manual integration only; a control changes its
// own member only.
TEST(FWRangeVABZOB, ModuleRangesIntegrationTimeAndRoundTrip)
{
    const QString vabTitle = "lblTitle=" + LoadResString(442) + " | ";
    const QString zobTitle = "lblTitle=" + LoadResString(443) + " | ";
    const CRangeVABZOB data = Signal(ZOB, 4, 1, 1, 4321, 2);
    const QList<PageVisit<CRangeVABZOB>> visits = {
        {"new data, VAB", CRangeVABZOB(), "",
         vabTitle +
             "RangeVABVAK=0 | RangeZOB-=none | MeasureType=0 | IntegrationTime=0 | txtIntTime-=100.0 ms | "
             "DigitalInFunction=0",
         kEnd, ""},
        {"ZOB", Signal(ZOB, 2), "", zobTitle + "RangeVABVAK-=none | RangeZOB=2", kNext, ""},
        {"VAK/VAM as VAB", Signal(VAK, 4), "", vabTitle + "RangeVABVAK=4 | RangeZOB-=none", kBack, ""},
        {"user picks a ZOB range", Signal(ZOB, 2), "optRangeZOB5", "RangeZOB=5", kNext, "Range=5"},
        {"slot A without a range group", Signal(SlotAModule::QEM, 3), "",
         vabTitle + "RangeVABVAK-=none | RangeZOB-=3", kNext, ""},
        {"manual, then automatic keeps the time", Signal(VAB, 0),
         "optIntegrationTime1 txtIntTime+1 optIntegrationTime0", "IntegrationTime=0 | txtIntTime-=100.1 ms",
         kEnd, "IntTime=1001"},
        {"wraps at 999.9 ms", Signal(VAB, 0, 0, 1, 9999), "txtIntTime+1", "txtIntTime=100.0 ms", kEnd,
         "IntTime=1000"},
        {"held key: 1.0 ms from the 10th step", Signal(VAB, 0), "optIntegrationTime1 txtIntTime^11",
         "txtIntTime=102.9 ms", kEnd, "IntegrationTime=1 IntTime=1029"},
        {"stored below 1000", Signal(VAB, 0, 0, 0, 500), "", "txtIntTime-=100.0 ms", kNext, "IntTime=1000"},
        {"stored above 9999", Signal(ZOB, 0, 0, 1, 12000), "", "txtIntTime=999.9 ms", kBack, "IntTime=9999"},
        {"codes without option", Signal(VAB, 8, 2, 3, 1000, 5), "",
         "RangeVABVAK=none | MeasureType=none | IntegrationTime=none | txtIntTime-=100.0 ms | "
         "DigitalInFunction=none",
         kNext, ""},
        {"cancelled", Signal(VAB, 0), "optMeasureType1", "MeasureType=1", kCancel, ""},
        {"round trip", data, "", "", kEnd, ""},
        {"round trip, VAK/VAM", Signal(VAK, 5, 0, 0, 1234, 1), "", "", kEnd, ""},
        {"range", data, "optRangeZOB3", "", kEnd, "Range=3"},
        {"measure type", data, "optMeasureType0", "", kEnd, "MeasureType=0"},
        {"integration", data, "optIntegrationTime0", "", kEnd, "IntegrationTime=0"},
        {"time", data, "txtIntTime-1", "", kEnd, "IntTime=4320"},
        {"function", data, "optDigitalInFunction1", "", kEnd, "DigitalInFunction=1"},
    };
    FWRangeVABZOB page;
    Play(page, visits, Of);
}

} // namespace
