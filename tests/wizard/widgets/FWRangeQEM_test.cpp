#include "ModulePages_fixture.h"
#include "model/ModuleCodes.h"
#include "model/RangeQEM.h"
#include "wizard/widgets/FWRangeQEM.h"

namespace {

Members Of(const CRangeQEM &q)
{
    return {QStringLiteral("ProbeSelect=%1").arg(q.ProbeSelect()), QStringLiteral("CJC=%1").arg(q.CJC()),
            QStringLiteral("TempCJC=%1").arg(q.TempCJC()), QStringLiteral("Range=%1").arg(q.Range()),
            QStringLiteral("DigitalInFunction=%1").arg(q.DigitalInFunction())};
}

CRangeQEM QEM(qint16 probe, qint16 cjc, qint16 temp, qint16 range, qint16 function)
{
    CRangeQEM q;
    q.SetProbeSelect(probe);
    q.SetCJC(cjc);
    q.SetTempCJC(temp);
    q.SetRange(range);
    q.SetDigitalInFunction(function);
    return q;
}

constexpr qint16 TC = Probe::Thermocouple, RTD = Probe::RTD, RES = Probe::Resistance;

// Only a thermocouple has a cold junction; each probe has its own range group; the spin holds
// 0-50 °C in steps of 1 and 10, wrapping; a control changes its own member only.
TEST(FWRangeQEM, ProbeCompensationRangesTemperatureAndRoundTrip)
{
    const CRangeQEM data = QEM(TC, 1, 37, 4, 2);
    const QList<PageVisit<CRangeQEM>> visits = {
        {"new data", CRangeQEM(), "",
         "ProbeSelect=0 | CJC=0 | txtTempCJC-=0 °C | RangeTC=0 | RangeRTD-=0 | RangeRES-=0 | "
         "cmbFunzione=Display hold",
         kEnd, ""},
        {"RTD, manual", QEM(RTD, 1, 20, 5, 1), "",
         "CJC-=0 | txtTempCJC-=20 °C | RangeTC-=5 | RangeRTD=5 | RangeRES-=5 | cmbFunzione=Keypad lock",
         kNext, "CJC=0"},
        {"resistance, manual, Back", QEM(RES, 1, 20, 0, 2), "",
         "CJC-=0 | RangeTC-=0 | RangeRES=0 | cmbFunzione=Alarm reset with latch", kBack, "CJC=0"},
        {"manual thermocouple to RTD and back", QEM(TC, 1, 25, 2, 0), "optProbeSelect1 optProbeSelect0",
         "CJC=0 | txtTempCJC-=25 °C | RangeTC=2 | RangeRTD-=2", kNext, "CJC=0"},
        {"other probe, ranges untouched", QEM(TC, 0, 0, 3, 0), "optProbeSelect2", "RangeTC-=3 | RangeRES=3",
         kEnd, "ProbeSelect=2"},
        {"each range group keeps its choice", QEM(TC, 0, 0, 3, 0),
         "optRangeTC4 optProbeSelect1 optRangeRTD1 optProbeSelect0", "RangeTC=4 | RangeRTD-=1", kEnd,
         "Range=4"},
        {"user chooses manual and steps", QEM(TC, 0, 0, 0, 0), "optCJC1 txtTempCJC+3", "txtTempCJC=3 °C",
         kEnd, "CJC=1 TempCJC=3"},
        {"wraps at 50", QEM(TC, 1, 50, 0, 0), "txtTempCJC+1", "txtTempCJC=0 °C", kEnd, "TempCJC=0"},
        {"held key: 10 from the 10th step", QEM(TC, 1, 0, 0, 0), "txtTempCJC^11", "txtTempCJC=29 °C", kEnd,
         "TempCJC=29"},
        {"codes without option", QEM(TC, 3, 0, 9, 5), "",
         "CJC=none | txtTempCJC-=0 °C | RangeTC=none | cmbFunzione=", kNext, ""},
        {"stored above 50, automatic", QEM(TC, 0, 60, 0, 0), "", "txtTempCJC-=50 °C", kBack, "TempCJC=50"},
        {"cancelled", QEM(TC, 0, 0, 0, 0), "optProbeSelect2", "ProbeSelect=2", kCancel, ""},
        {"probe without option", QEM(7, 0, 0, 1, 0), "",
         "ProbeSelect=none | CJC-=0 | RangeTC-=1 | RangeRTD-=1 | RangeRES-=1", kNext, ""},
        {"function without option, user picks", QEM(TC, 0, 0, 0, 5), "cmbFunzione=1",
         "cmbFunzione=Keypad lock", kNext, "DigitalInFunction=1"},
        {"round trip", data, "", "", kEnd, ""},
        {"round trip, resistance", QEM(RES, 0, 12, 3, 1), "", "", kEnd, ""},
        {"probe", QEM(RTD, 0, 12, 3, 1), "optProbeSelect0", "", kEnd, "ProbeSelect=0"},
        {"compensation", data, "optCJC0", "", kEnd, "CJC=0"},
        {"temperature", data, "txtTempCJC-1", "", kEnd, "TempCJC=36"},
        {"range", data, "optRangeTC5", "", kEnd, "Range=5"},
        {"function", data, "cmbFunzione=0", "", kEnd, "DigitalInFunction=0"},
    };
    FWRangeQEM page;
    Play(page, visits, Of);
}

} // namespace
