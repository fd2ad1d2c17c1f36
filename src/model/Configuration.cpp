#include "model/Configuration.h"

#include "common/TraceCode.h"
#include "model/Archive.h"
#include "model/ArchiveTransaction.h"
#include "model/ModuleCodes.h"

CConfiguration::CConfiguration()
{
    for (int n = 1; n <= kAlarms; ++n)
        Alarm(n).SetClassName(QStringLiteral("CAlarm%1").arg(n));
}

CAlarm &CConfiguration::Alarm(int number)
{
    if (number < 1 || number > kAlarms)
        g_Trace->BugAssert(false, QStringLiteral("Numero di allarme non previsto: %1").arg(number));
    return m_Alarms[number - 1];
}

QList<CConfigClass *> CConfiguration::Objects()
{
    return {&m_ModInstr,  &m_RangeQEM,  &m_RangeVABZOB,    &m_InOutScale, &m_Display,
            &m_Linearize, &m_AnalogOut, &m_FiltroDigitale, &m_SerialComm, &m_Alarms[0],
            &m_Alarms[1], &m_Alarms[2], &m_Alarms[3]};
}

void CConfiguration::Load(qint64 id)
{
    // One transaction, so the thirteen rows are read as one state of the archive.
    CArchiveTransaction transaction(g_Connection->Database());
    for (CConfigClass *object : Objects())
        object->LoadRow(id);
    transaction.Commit();
}

void CConfiguration::Add(qint64 id)
{
    SaveAll(id, true);
}

void CConfiguration::Update(qint64 id)
{
    SaveAll(id, false);
}

void CConfiguration::SaveAll(qint64 id, bool adds)
{
    CArchiveTransaction transaction(g_Connection->Database());
    for (CConfigClass *object : Objects())
        object->SaveRow(id, adds);
    transaction.Commit();
}

void CConfiguration::ApplyContext()
{
    const qint16 model = m_ModInstr.ModelloStrumento();
    const qint16 slotA = m_ModInstr.SlotA();
    const qint16 probe = m_RangeQEM.ProbeSelect();
    const qint16 range = slotA == SlotAModule::QEM ? m_RangeQEM.Range() : m_RangeVABZOB.Range();
    const qint16 displayDigit = m_Display.DisplayDigit();

    m_RangeVABZOB.SetSlotA(slotA);
    m_Display.SetModelloStrumento(model);

    m_InOutScale.SetSlotA(slotA);
    m_InOutScale.SetModelloStrumento(model);
    m_InOutScale.SetMeasureType(m_RangeVABZOB.MeasureType());
    m_InOutScale.SetDisplayDigit(displayDigit);
    m_InOutScale.SetProbeSelect(probe);
    m_InOutScale.SetRange(range);

    m_Linearize.SetMinElectricScale(m_InOutScale.MinElectricScale());
    m_Linearize.SetMaxElectricScale(m_InOutScale.MaxElectricScale());
    m_Linearize.SetSlotA(slotA);
    m_Linearize.SetProbeSelect(probe);
    m_Linearize.SetRange(range);

    QList<CMeasureContext *> measured = {&m_Linearize, &m_FiltroDigitale};
    for (CAlarm &alarm : m_Alarms)
        measured << &alarm;
    for (CMeasureContext *object : measured) {
        object->SetMeasureDigitalPoint(m_InOutScale.MeasureDigitalPoint());
        object->SetMinMeasureScale(m_InOutScale.MinMeasureScale());
        object->SetMaxMeasureScale(m_InOutScale.MaxMeasureScale());
        object->SetModelloStrumento(model);
        object->SetDisplayDigit(displayDigit);
    }
}
