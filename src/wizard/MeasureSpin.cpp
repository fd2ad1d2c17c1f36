#include "wizard/MeasureSpin.h"

#include "common/TraceCode.h"
#include "model/ModuleCodes.h"
#include "model/ScaleTables.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kTensStep = 10;

bool Digits9990(const CMeasureContext &context)
{
    return context.DisplayDigit() == DisplayDigits::Digits9990;
}

// What the display shows.
int DisplayCap(const CMeasureContext &context)
{
    if (context.ModelloStrumento() != Modello::EKA35)
        return 9999;
    return Digits9990(context) ? 9990 : 1999;
}

// The hysteresis goes by the display mode on the IXO too.
int HysteresisCap(const CMeasureContext &context)
{
    if (context.ModelloStrumento() == Modello::EKA40)
        return 9999;
    return Digits9990(context) ? 9990 : 1999;
}

std::pair<int, int> Limits(EMeasureValue value, const CMeasureContext &context)
{
    const int lo = context.MinMeasureScale();
    const int hi = context.MaxMeasureScale();
    // A falling scale is as wide as the rising one; the width can exceed 16 bits
    // (-20000..20000), every cap is far under that.
    const int width = std::abs(hi - lo);
    switch (value) {
    case EMeasureValue::ScaleEnd:
        return {-DisplayCap(context), DisplayCap(context)};
    case EMeasureValue::ScaleValue:
        return std::minmax(lo, hi);
    case EMeasureValue::FilterRange:
        return {0, std::min(width, DisplayCap(context))};
    case EMeasureValue::Hysteresis:
        return {0, std::min(width, HysteresisCap(context))};
    }
    return {0, 0};
}

} // namespace

CMeasureSpin MeasureSpin(EMeasureValue value, const CMeasureContext &context)
{
    const auto [min, max] = Limits(value, context);
    const bool tens = context.ModelloStrumento() == Modello::EKA35 && Digits9990(context);
    CMeasureSpin spin{qint16(min), qint16(max), qint16(tens ? kTensStep : 1), 1.0, QStringLiteral("###0")};
    const qint16 point = context.MeasureDigitalPoint();
    if (IsDecimalPoint(point)) {
        spin.Factor = g_DecPointFactor[point];
        spin.Format = g_DecPointFormat[point];
    } else {
        g_Trace->BugMessage(
            QStringLiteral("Punto decimale %1 fuori campo, valori senza decimali").arg(point));
    }
    return spin;
}
