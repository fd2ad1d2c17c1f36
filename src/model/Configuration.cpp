#include "model/Configuration.h"

#include "common/TraceCode.h"
#include "model/Archive.h"
#include "model/ArchiveTransaction.h"
#include "model/ContextCarries.h"

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

QList<const CConfigClass *> CConfiguration::Objects() const
{
    return {&m_ModInstr,  &m_RangeQEM,  &m_RangeVABZOB,    &m_InOutScale, &m_Display,
            &m_Linearize, &m_AnalogOut, &m_FiltroDigitale, &m_SerialComm, &m_Alarms[0],
            &m_Alarms[1], &m_Alarms[2], &m_Alarms[3]};
}

QList<CConfigClass *> CConfiguration::Objects()
{
    // The one list of them is the const one; this object is not const.
    QList<CConfigClass *> objects;
    for (const CConfigClass *object : std::as_const(*this).Objects())
        objects.append(const_cast<CConfigClass *>(object));
    return objects;
}

QList<Platform::CArchiveRow> CConfiguration::Load(qint64 id)
{
    // One transaction, so the thirteen rows are read as one state of the archive.
    QList<Platform::CArchiveRow> rows;
    CArchiveTransaction transaction(g_Connection->Database());
    for (CConfigClass *object : Objects())
        rows.append(object->LoadRow(id));
    transaction.Commit();
    return rows;
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

CConfigClass *CConfiguration::Object(const QString &className)
{
    for (CConfigClass *object : Objects()) {
        if (object->ClassName() == className)
            return object;
    }
    return nullptr;
}

void CConfiguration::ApplyContext()
{
    for (CConfigClass *target : Objects()) {
        for (const CContextCarry *carry : CarriesInto(target->ClassName(), m_ModInstr))
            carry->Copy(*Object(carry->Source), *target);
    }
}
