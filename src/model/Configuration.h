#pragma once

#include "model/Alarm.h"
#include "model/AnalogOut.h"
#include "model/Display.h"
#include "model/FiltroDigitale.h"
#include "model/InOutScale.h"
#include "model/Linearize.h"
#include "model/ModInstr.h"
#include "model/RangeQEM.h"
#include "model/RangeVABZOB.h"
#include "model/SerialComm.h"

#include <QList>

#include <array>

// One whole configuration: the thirteen objects that the archive keeps under one id, the
// four alarms already named "CAlarm1" to "CAlarm4". Load, Add and Update each touch all
// thirteen rows in one transaction: a failure (CError) leaves the archive as it was.
//   CConfiguration configuration;
//   configuration.ModInstr().SetSlotA(3);
//   configuration.Add(g_Connection->NewID());
//   configuration.Load(2);  // the actual instrument setting
class CConfiguration
{
public:
    static constexpr int kAlarms = 4;

    CConfiguration();
    CConfiguration(const CConfiguration &) = delete;
    CConfiguration &operator=(const CConfiguration &) = delete;

    CModInstr &ModInstr() { return m_ModInstr; }
    // Its CModInstr's module code.
    qint16 CodificaModuli() const { return m_ModInstr.CodificaModuli(); }
    CRangeQEM &RangeQEM() { return m_RangeQEM; }
    CRangeVABZOB &RangeVABZOB() { return m_RangeVABZOB; }
    CInOutScale &InOutScale() { return m_InOutScale; }
    CDisplay &Display() { return m_Display; }
    CLinearize &Linearize() { return m_Linearize; }
    CAnalogOut &AnalogOut() { return m_AnalogOut; }
    CFiltroDigitale &FiltroDigitale() { return m_FiltroDigitale; }
    CSerialComm &SerialComm() { return m_SerialComm; }
    // number 1 to 4; any other is a programming error (fatal assertion).
    CAlarm &Alarm(int number);

    // The thirteen objects in the order of the archive's tables.
    QList<CConfigClass *> Objects();
    QList<const CConfigClass *> Objects() const;
    // The object of that ClassName ("CAlarm3"); nullptr for any other name.
    CConfigClass *Object(const QString &className);

    // The thirteen rows as the archive held them come back, in the order of Objects().
    QList<Platform::CArchiveRow> Load(qint64 id);
    // Adds rows under a new id (one from CArchive::NewID).
    void Add(qint64 id);
    // Rewrites the rows of an archived id.
    void Update(qint64 id);

    // Copies into every object the context that its report reads from the others, by the
    // rows of ContextCarries() (model/ContextCarries.h), as the wizard does page by page.
    void ApplyContext();

private:
    void SaveAll(qint64 id, bool adds);

    CModInstr m_ModInstr;
    CRangeQEM m_RangeQEM;
    CRangeVABZOB m_RangeVABZOB;
    CInOutScale m_InOutScale;
    CDisplay m_Display;
    CLinearize m_Linearize;
    CAnalogOut m_AnalogOut;
    CFiltroDigitale m_FiltroDigitale;
    CSerialComm m_SerialComm;
    std::array<CAlarm, kAlarms> m_Alarms;
};
