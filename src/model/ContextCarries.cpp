#include "model/ContextCarries.h"

#include "model/Alarm.h"
#include "model/Display.h"
#include "model/FiltroDigitale.h"
#include "model/InOutScale.h"
#include "model/Linearize.h"
#include "model/ModInstr.h"
#include "model/ModuleCodes.h"
#include "model/RangeQEM.h"
#include "model/RangeVABZOB.h"

namespace {

// get and set may belong to a base class, as the measure context shared by the linearization,
// alarm and filter classes does.
template <class SourceClass, class TargetClass>
std::function<void(const CConfigClass &, CConfigClass &)> Field(qint16 (SourceClass::*get)() const,
                                                                void (TargetClass::*set)(qint16))
{
    return [get, set](const CConfigClass &source, CConfigClass &target) {
        (dynamic_cast<TargetClass &>(target).*set)((dynamic_cast<const SourceClass &>(source).*get)());
    };
}

// The range of the scale comes from the page of the module in slot A.
bool SignalModule(const CModInstr &M)
{
    return M.SlotA() != SlotAModule::QEM;
}
bool QEMModule(const CModInstr &M)
{
    return M.SlotA() == SlotAModule::QEM;
}

std::vector<CContextCarry> Rows()
{
    const QString modInstr = QStringLiteral("CModInstr"), vabZob = QStringLiteral("CRangeVABZOB"),
                  qem = QStringLiteral("CRangeQEM"), display = QStringLiteral("CDisplay"),
                  scale = QStringLiteral("CInOutScale"), linearize = QStringLiteral("CLinearize");
    std::vector<CContextCarry> rows{
        {vabZob, modInstr, Field(&CModInstr::SlotA, &CRangeVABZOB::SetSlotA)},
        {display, modInstr, Field(&CModInstr::ModelloStrumento, &CDisplay::SetModelloStrumento)},
        {scale, modInstr, Field(&CModInstr::SlotA, &CInOutScale::SetSlotA)},
        {scale, modInstr, Field(&CModInstr::ModelloStrumento, &CInOutScale::SetModelloStrumento)},
        {scale, vabZob, Field(&CRangeVABZOB::MeasureType, &CInOutScale::SetMeasureType)},
        {scale, display, Field(&CDisplay::DisplayDigit, &CInOutScale::SetDisplayDigit)},
        {scale, qem, Field(&CRangeQEM::ProbeSelect, &CInOutScale::SetProbeSelect)},
        {scale, vabZob, Field(&CRangeVABZOB::Range, &CInOutScale::SetRange), &SignalModule},
        {scale, qem, Field(&CRangeQEM::Range, &CInOutScale::SetRange), &QEMModule},
        {linearize, scale, Field(&CInOutScale::MinElectricScale, &CLinearize::SetMinElectricScale)},
        {linearize, scale, Field(&CInOutScale::MaxElectricScale, &CLinearize::SetMaxElectricScale)},
        {linearize, modInstr, Field(&CModInstr::SlotA, &CLinearize::SetSlotA)},
        {linearize, qem, Field(&CRangeQEM::ProbeSelect, &CLinearize::SetProbeSelect)},
        {linearize, vabZob, Field(&CRangeVABZOB::Range, &CLinearize::SetRange), &SignalModule},
        {linearize, qem, Field(&CRangeQEM::Range, &CLinearize::SetRange), &QEMModule},
    };
    const QStringList measured = {linearize, "CAlarm1", "CAlarm2", "CAlarm3", "CAlarm4", "CFiltroDigitale"};
    for (const QString &target : measured) {
        rows.push_back({target, scale,
                        Field(&CInOutScale::MeasureDigitalPoint, &CMeasureContext::SetMeasureDigitalPoint)});
        rows.push_back(
            {target, scale, Field(&CInOutScale::MinMeasureScale, &CMeasureContext::SetMinMeasureScale)});
        rows.push_back(
            {target, scale, Field(&CInOutScale::MaxMeasureScale, &CMeasureContext::SetMaxMeasureScale)});
        rows.push_back(
            {target, modInstr, Field(&CModInstr::ModelloStrumento, &CMeasureContext::SetModelloStrumento)});
        rows.push_back({target, display, Field(&CDisplay::DisplayDigit, &CMeasureContext::SetDisplayDigit)});
    }
    return rows;
}

} // namespace

const std::vector<CContextCarry> &ContextCarries()
{
    static const std::vector<CContextCarry> rows = Rows();
    return rows;
}

std::vector<const CContextCarry *> CarriesInto(const QString &target, const CModInstr &M)
{
    std::vector<const CContextCarry *> carries;
    for (const CContextCarry &carry : ContextCarries()) {
        if (carry.Target == target && (!carry.When || carry.When(M)))
            carries.push_back(&carry);
    }
    return carries;
}
