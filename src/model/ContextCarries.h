#pragma once

#include "model/ConfigClass.h"

#include <functional>
#include <vector>

class CModInstr;

// One context value that an object of a configuration takes from another object of it before
// a wizard page shows it or its report is written: the objects named by ClassName, the copy,
// and the module condition under which the row holds (none: always).
//   {"CInOutScale", "CRangeQEM", Range -> Range, when slot A holds QEM}
struct CContextCarry
{
    QString Target;
    QString Source;
    std::function<void(const CConfigClass &source, CConfigClass &target)> Copy;
    bool (*When)(const CModInstr &M) = nullptr;
};

// Every context value of a configuration: the range page takes the slot A module, the display
// page the model, the scale page the module, model, measure type, display mode, probe and
// range; the linearization page the electrical scale, module, probe and range; the pages in
// counts of the measure scale (linearization, alarms, filter) its decimal point and limits,
// the model and the display mode. A row's source value is never another row's target, so the
// order of the rows does not matter.
const std::vector<CContextCarry> &ContextCarries();

// The rows into the object of that ClassName whose condition holds for the module object M.
//   CarriesInto("CSerialComm", M) -> none;   CarriesInto("CAlarm2", M) -> five rows
std::vector<const CContextCarry *> CarriesInto(const QString &target, const CModInstr &M);
