#include "wizard/ConfigWizardRules.h"

#include "common/TraceCode.h"
#include "model/Alarm.h"
#include "model/AnalogOut.h"
#include "model/Display.h"
#include "model/FiltroDigitale.h"
#include "model/InOutScale.h"
#include "model/Linearize.h"
#include "model/ModInstr.h"
#include "model/ModuleCodes.h"
#include "model/RangeQEM.h"
#include "model/RangeVABZOB.h"
#include "model/SerialComm.h"

#include <array>
#include <functional>
#include <map>
#include <vector>

namespace {

using namespace ConfigWizardPage;

template <class DataClass> std::unique_ptr<CConfigClass> New()
{
    return std::make_unique<DataClass>();
}

bool Always(const CModInstr &, const CInOutScale &)
{
    return true;
}
bool SignalModule(const CModInstr &M, const CInOutScale &)
{
    return M.SlotA() != SlotAModule::QEM;
}
bool QEMModule(const CModInstr &M, const CInOutScale &)
{
    return M.SlotA() == SlotAModule::QEM;
}
// The IXO has a display of its own kind and nothing to set on it.
bool NotIXO(const CModInstr &M, const CInOutScale &)
{
    return M.ModelloStrumento() != Modello::IXO;
}
// The QEM module linearizes its probes itself.
bool Linearized(const CModInstr &M, const CInOutScale &S)
{
    return M.SlotA() != SlotAModule::QEM && S.Linearizzazione() != 0;
}
template <int Number> bool AlarmFitted(const CModInstr &M, const CInOutScale &)
{
    return RelayModuleAlarms(M.SlotC()) >= Number;
}
bool KQFitted(const CModInstr &M, const CInOutScale &)
{
    return M.SlotB() == SlotBModule::KQ || M.SlotC() == SlotCModule::KQ || M.SlotD() == SlotDModule::KQ;
}
bool SerialModule(const CModInstr &M, const CInOutScale &)
{
    return M.SlotB() == SlotBModule::QZ || M.SlotB() == SlotBModule::ZQ;
}

constexpr std::array<CConfigWizardPosition, Count> kPositions{{
    {ModInstr, "CModInstr", &New<CModInstr>, &Always},
    {RangeVABZOB, "CRangeVABZOB", &New<CRangeVABZOB>, &SignalModule},
    {RangeQEM, "CRangeQEM", &New<CRangeQEM>, &QEMModule},
    {Display, "CDisplay", &New<CDisplay>, &NotIXO},
    {InOutScale, "CInOutScale", &New<CInOutScale>, &Always},
    {Linearize, "CLinearize", &New<CLinearize>, &Linearized},
    {Alarm1, "CAlarm1", &New<CAlarm>, &AlarmFitted<1>},
    {Alarm2, "CAlarm2", &New<CAlarm>, &AlarmFitted<2>},
    {Alarm3, "CAlarm3", &New<CAlarm>, &AlarmFitted<3>},
    {Alarm4, "CAlarm4", &New<CAlarm>, &AlarmFitted<4>},
    {FiltroDigitale, "CFiltroDigitale", &New<CFiltroDigitale>, &Always},
    {AnalogOut, "CAnalogOut", &New<CAnalogOut>, &KQFitted},
    {SerialComm, "CSerialComm", &New<CSerialComm>, &SerialModule},
    {FinalSetupMessage, "", nullptr, &Always},
}};

// Copies one context value from the object read from a source page into the object read from
// the target page.
using CopyField = std::function<void(const CConfigClass &source, CConfigClass &target)>;

// get and set may belong to a base class, as the measure context shared by the linearization,
// alarm and filter classes does.
template <class SourceClass, class TargetClass>
CopyField Field(qint16 (SourceClass::*get)() const, void (TargetClass::*set)(qint16))
{
    return [get, set](const CConfigClass &source, CConfigClass &target) {
        (dynamic_cast<TargetClass &>(target).*set)((dynamic_cast<const SourceClass &>(source).*get)());
    };
}

// A field of page Target takes the value of page Source, when When (nullptr: always) holds for
// the module page.
struct CCarry
{
    qint16 Target;
    qint16 Source;
    CopyField Copy;
    bool (*When)(const CModInstr &M) = nullptr;
};

bool RangeOfSignalModule(const CModInstr &M)
{
    return M.SlotA() != SlotAModule::QEM;
}
bool RangeOfQEM(const CModInstr &M)
{
    return M.SlotA() == SlotAModule::QEM;
}

const std::vector<CCarry> &Carries()
{
    static const std::vector<CCarry> carries = [] {
        std::vector<CCarry> rows{
            {RangeVABZOB, ModInstr, Field(&CModInstr::SlotA, &CRangeVABZOB::SetSlotA)},
            {Display, ModInstr, Field(&CModInstr::ModelloStrumento, &CDisplay::SetModelloStrumento)},
            {InOutScale, ModInstr, Field(&CModInstr::SlotA, &CInOutScale::SetSlotA)},
            {InOutScale, ModInstr, Field(&CModInstr::ModelloStrumento, &CInOutScale::SetModelloStrumento)},
            {InOutScale, RangeVABZOB, Field(&CRangeVABZOB::MeasureType, &CInOutScale::SetMeasureType)},
            {InOutScale, Display, Field(&CDisplay::DisplayDigit, &CInOutScale::SetDisplayDigit)},
            {InOutScale, RangeQEM, Field(&CRangeQEM::ProbeSelect, &CInOutScale::SetProbeSelect)},
            {InOutScale, RangeVABZOB, Field(&CRangeVABZOB::Range, &CInOutScale::SetRange),
             &RangeOfSignalModule},
            {InOutScale, RangeQEM, Field(&CRangeQEM::Range, &CInOutScale::SetRange), &RangeOfQEM},
            {Linearize, InOutScale, Field(&CInOutScale::MinElectricScale, &CLinearize::SetMinElectricScale)},
            {Linearize, InOutScale, Field(&CInOutScale::MaxElectricScale, &CLinearize::SetMaxElectricScale)},
            {Linearize, ModInstr, Field(&CModInstr::SlotA, &CLinearize::SetSlotA)},
            {Linearize, RangeQEM, Field(&CRangeQEM::ProbeSelect, &CLinearize::SetProbeSelect)},
            // The page exists only off the QEM module, so its range is always page 2's.
            {Linearize, RangeVABZOB, Field(&CRangeVABZOB::Range, &CLinearize::SetRange)},
        };
        // The pages in counts of the measure scale take its decimal point and limits, the model
        // and the display mode.
        for (qint16 target : {Linearize, Alarm1, Alarm2, Alarm3, Alarm4, FiltroDigitale}) {
            rows.push_back(
                {target, InOutScale,
                 Field(&CInOutScale::MeasureDigitalPoint, &CMeasureContext::SetMeasureDigitalPoint)});
            rows.push_back({target, InOutScale,
                            Field(&CInOutScale::MinMeasureScale, &CMeasureContext::SetMinMeasureScale)});
            rows.push_back({target, InOutScale,
                            Field(&CInOutScale::MaxMeasureScale, &CMeasureContext::SetMaxMeasureScale)});
            rows.push_back({target, ModInstr,
                            Field(&CModInstr::ModelloStrumento, &CMeasureContext::SetModelloStrumento)});
            rows.push_back(
                {target, Display, Field(&CDisplay::DisplayDigit, &CMeasureContext::SetDisplayDigit)});
        }
        return rows;
    }();
    return carries;
}

std::unique_ptr<CConfigClass> ReadPage(CWizardPages &Pages, qint16 position)
{
    std::unique_ptr<CConfigClass> object = kPositions[size_t(position - 1)].NewData();
    Pages[position].GetData(*object);
    return object;
}

template <class DataClass> DataClass Read(CWizardPages &Pages, qint16 position)
{
    DataClass object;
    Pages[position].GetData(object);
    return object;
}

const CConfigWizardPosition *Find(const QString &ClassName)
{
    for (const CConfigWizardPosition &position : kPositions) {
        if (ClassName == QLatin1String(position.ClassName))
            return &position;
    }
    return nullptr;
}

// The same test going forward and back, on the module and scale pages as last left.
bool Needed(const CConfigWizardPosition &page, CWizardPages &Pages)
{
    return page.Shown(Read<CModInstr>(Pages, ModInstr), Read<CInOutScale>(Pages, InOutScale));
}

// Read, change the context fields, write: the values the user edits on the target page pass
// through as they are. A page that takes nothing is not written.
void CarryInto(CWizardPages &Pages, qint16 target)
{
    const CModInstr M = Read<CModInstr>(Pages, ModInstr);
    std::unique_ptr<CConfigClass> object;
    std::map<qint16, std::unique_ptr<CConfigClass>> sources;
    for (const CCarry &carry : Carries()) {
        if (carry.Target != target || (carry.When && !carry.When(M)))
            continue;
        if (!object)
            object = ReadPage(Pages, target);
        std::unique_ptr<CConfigClass> &source = sources[carry.Source];
        if (!source)
            source = ReadPage(Pages, carry.Source);
        carry.Copy(*source, *object);
    }
    if (object)
        Pages[target].SetData(*object);
}

} // namespace

std::span<const CConfigWizardPosition> ConfigWizardPositions()
{
    return kPositions;
}

void m_WizardInstrSetup_AfterShowNextTabs(qint16 &Index, CWizardPages &Pages, const QString &ClassName)
{
    g_Trace->BugMessage(QStringLiteral("m_WizardInstrSetup_AfterShowNextTabs ") + ClassName);
    const CConfigWizardPosition *page = Find(ClassName);
    if (!page)
        return;
    if (Needed(*page, Pages))
        CarryInto(Pages, page->Position);
    else
        ++Index;
}

void m_WizardInstrSetup_AfterShowBackTabs(qint16 &Index, CWizardPages &Pages, const QString &ClassName)
{
    g_Trace->BugMessage(QStringLiteral("m_WizardInstrSetup_AfterShowBackTabs ") + ClassName);
    const CConfigWizardPosition *page = Find(ClassName);
    if (page && !Needed(*page, Pages))
        --Index;
}
