#pragma once

#include "common/widgets/TextSpin.h"
#include "wizard/MeasureSpin.h"

// Gives spin the limits, slow step, factor and format of rule, the format last: it raises the
// spin's Change, so its handlers see the new limits.
void SetMeasureSpin(CTextSpin &spin, const CMeasureSpin &rule);
