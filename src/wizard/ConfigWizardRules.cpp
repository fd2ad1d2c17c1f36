#include "wizard/ConfigWizardRules.h"

#include "common/TraceCode.h"
#include "model/Alarm.h"
#include "model/AnalogOut.h"
#include "model/ContextCarries.h"
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
#include <map>

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
void CarryInto(CWizardPages &Pages, const CConfigWizardPosition &page)
{
    const std::vector<const CContextCarry *> carries =
        CarriesInto(QLatin1String(page.ClassName), Read<CModInstr>(Pages, ModInstr));
    if (carries.empty())
        return;
    std::unique_ptr<CConfigClass> object = ReadPage(Pages, page.Position);
    std::map<QString, std::unique_ptr<CConfigClass>> sources;
    for (const CContextCarry *carry : carries) {
        std::unique_ptr<CConfigClass> &source = sources[carry->Source];
        if (!source)
            source = ReadPage(Pages, Find(carry->Source)->Position);
        carry->Copy(*source, *object);
    }
    Pages[page.Position].SetData(*object);
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
        CarryInto(Pages, *page);
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
