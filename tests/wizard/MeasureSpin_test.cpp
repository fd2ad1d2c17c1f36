#include "model/ModuleCodes.h"
#include "model/ScaleTables.h"
#include "support/QStringPrinter.h"
#include "support/TraceCapture.h"
#include "wizard/MeasureSpin.h"

#include <gtest/gtest.h>

void PrintTo(const CMeasureSpin &spin, std::ostream *out)
{
    *out << spin.Min << ".." << spin.Max << " step " << spin.Step << " x" << spin.Factor << " "
         << spin.Format.toStdString();
}

namespace {

using namespace Modello;
using V = EMeasureValue;

// The spin of each value of the measure scale by model, display mode, decimal point and scale
// ends; a point outside 0-3 shows whole counts and is traced.
TEST(MeasureSpin, LimitsStepAndFormatByModelDisplayAndScale)
{
    InitDecimalPointTables();
    const struct
    {
        const char *what;
        V value;
        qint16 model, digits, point, lo, hi;
        CMeasureSpin spin;
    } rows[] = {
        // clang-format off
        {"value on a rising scale", V::ScaleValue, EKA40, 0, 1, -100, 500, {-100, 500, 1, 0.1, "##0.0"}},
        {"value on a falling scale", V::ScaleValue, EKA40, 0, 0, 1000, 0, {0, 1000, 1, 1, "###0"}},
        {"value, EKA 35 9990", V::ScaleValue, EKA35, 1, 3, -1999, 9999, {-1999, 9999, 10, 0.001, "0.000"}},
        {"value, IXO 9990", V::ScaleValue, IXO, 1, 2, -1999, 9999, {-1999, 9999, 1, 0.01, "#0.00"}},
        {"value, point outside 0-3", V::ScaleValue, EKA40, 0, 7, -1000, 1000, {-1000, 1000, 1, 1, "###0"}},
        {"end, IXO 9990", V::ScaleEnd, IXO, 1, 1, 0, 0, {-9999, 9999, 1, 0.1, "##0.0"}},
        {"end, EKA 35 1999", V::ScaleEnd, EKA35, 0, 0, 0, 0, {-1999, 1999, 1, 1, "###0"}},
        {"end, EKA 35 9990", V::ScaleEnd, EKA35, 1, 0, 0, 0, {-9990, 9990, 10, 1, "###0"}},
        {"filter, EKA 40", V::FilterRange, EKA40, 0, 2, -1999, 9999, {0, 9999, 1, 0.01, "#0.00"}},
        {"filter, IXO 9990", V::FilterRange, IXO, 1, 0, -1999, 9999, {0, 9999, 1, 1, "###0"}},
        {"filter, EKA 35 9990", V::FilterRange, EKA35, 1, 0, -1999, 9999, {0, 9990, 10, 1, "###0"}},
        {"filter, EKA 35 1999", V::FilterRange, EKA35, 0, 0, -1999, 9999, {0, 1999, 1, 1, "###0"}},
        {"filter narrower than the display", V::FilterRange, EKA35, 1, 0, 0, 500, {0, 500, 10, 1, "###0"}},
        {"filter on a falling scale", V::FilterRange, EKA40, 0, 0, 1000, 0, {0, 1000, 1, 1, "###0"}},
        {"filter wider than 16 bits", V::FilterRange, EKA35, 1, 0, -20000, 20000, {0, 9990, 10, 1, "###0"}},
        {"hysteresis, EKA 40 9990", V::Hysteresis, EKA40, 1, 0, -20000, 20000, {0, 9999, 1, 1, "###0"}},
        {"hysteresis, IXO 9990", V::Hysteresis, IXO, 1, 0, -2000, 10000, {0, 9990, 1, 1, "###0"}},
        {"hysteresis, IXO 1999", V::Hysteresis, IXO, 0, 3, -2000, 10000, {0, 1999, 1, 0.001, "0.000"}},
        {"hysteresis narrower than the display", V::Hysteresis, EKA35, 0, 0, 0, 1500, {0, 1500, 1, 1, "###0"}},
        // clang-format on
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        CMeasureContext context;
        context.SetModelloStrumento(row.model);
        context.SetDisplayDigit(row.digits);
        context.SetMeasureDigitalPoint(row.point);
        context.SetMinMeasureScale(row.lo);
        context.SetMaxMeasureScale(row.hi);
        TraceCapture trace;
        EXPECT_EQ(MeasureSpin(row.value, context), row.spin);
        EXPECT_EQ(trace.Lines().filter("fuori campo, valori senza decimali").size(),
                  row.point < 0 || row.point > 3);
    }
}

} // namespace
