#include "wizard/widgets/MeasureSpinControl.h"

void SetMeasureSpin(CTextSpin &spin, const CMeasureSpin &rule)
{
    spin.SetMin(rule.Min);
    spin.SetMax(rule.Max);
    spin.SetIncrementoLento(rule.Step);
    spin.SetMoltiplicatore(float(rule.Factor));
    spin.SetDataFormat(rule.Format);
}
