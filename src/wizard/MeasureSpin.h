#pragma once

#include "model/MeasureContext.h"

#include <QString>

// What a spin of display counts needs from the measure scale: its limits, its slow step and how
// it shows a count (count x Factor in Format).
struct CMeasureSpin
{
    qint16 Min = 0;
    qint16 Max = 0;
    qint16 Step = 1;
    double Factor = 1.0;
    QString Format;

    bool operator==(const CMeasureSpin &) const = default;
};

// The values of the measure scale that the pages edit in spins.
enum class EMeasureValue {
    ScaleEnd,    // an end of the scale itself (scale page): either sign, up to what the display shows
    ScaleValue,  // a value on the scale (alarm limits and set-point, linearization outputs): between
                 // its ends, the lower first when the scale falls
    FilterRange, // the filter's operating range: 0 to the scale's width, at most what the display shows
    Hysteresis,  // an alarm's hysteresis: the same, but only the EKA 40 counts as a 9999 display
};

// The spin of one value over the measure context: decimal point, scale ends, model, display mode.
// The display shows 9999 off the EKA 35, whose display shows 9990 by tens or 1999; a decimal
// point outside 0-3 (only a damaged row holds one) shows whole counts, traced.
//   ScaleValue,  scale -100..500, point 1, EKA 40          -> -100..500, step 1, 0.1, "##0.0"
//   ScaleEnd,    EKA 35 "9990"                              -> -9990..9990, step 10
//   FilterRange, scale -1999..9999, IXO                     -> 0..9999
//   Hysteresis,  scale -1999..9999, IXO "9990"              -> 0..9990
CMeasureSpin MeasureSpin(EMeasureValue value, const CMeasureContext &context);
