#include "app/print/PrintReport.h"

#include "common/ResString.h"
#include "model/Configuration.h"
#include "model/ModuleCodes.h"

namespace {

bool Always(const CModInstr &, const CInOutScale &)
{
    return true;
}

template <int Number> bool AlarmFitted(const CModInstr &m, const CInOutScale &)
{
    return RelayModuleAlarms(m.SlotC()) >= Number;
}

// The analog output sits on a KQ module: slot D or C on IXO, slot C or B on the other models.
bool AnalogOutFitted(const CModInstr &m, const CInOutScale &)
{
    if (m.ModelloStrumento() == Modello::IXO)
        return m.SlotD() == SlotDModule::KQ || m.SlotC() == SlotCModule::KQ;
    return m.SlotC() == SlotCModule::KQ || m.SlotB() == SlotBModule::KQ;
}

const QList<CPrintRule> kPrintRules = {
    {"CModInstr", Always},
    {"CRangeQEM", [](const CModInstr &m, const CInOutScale &) { return m.SlotA() == SlotAModule::QEM; }},
    {"CRangeVABZOB", [](const CModInstr &m, const CInOutScale &) { return m.SlotA() != SlotAModule::QEM; }},
    {"CFiltroDigitale", Always},
    {"CSerialComm",
     [](const CModInstr &m, const CInOutScale &) {
         return m.SlotB() == SlotBModule::QZ || m.SlotB() == SlotBModule::ZQ;
     }},
    {"CDisplay",
     [](const CModInstr &m, const CInOutScale &) { return m.ModelloStrumento() != Modello::IXO; }},
    {"CInOutScale", Always},
    {"CLinearize", [](const CModInstr &, const CInOutScale &s) { return s.Linearizzazione() == 1; }},
    {"CAlarm1", AlarmFitted<1>},
    {"CAlarm2", AlarmFitted<2>},
    {"CAlarm3", AlarmFitted<3>},
    {"CAlarm4", AlarmFitted<4>},
    {"CAnalogOut", AnalogOutFitted},
};

} // namespace

const QList<CPrintRule> &PrintRules()
{
    return kPrintRules;
}

CReportRecordset PrepareReport(CConfiguration &configuration)
{
    configuration.ApplyContext();

    CReportRecordset report;
    report.AddRow(LoadResString(682));
    report.AddRow(LoadResString(683), LoadResString(684));

    const QList<CConfigClass *> objects = configuration.Objects();
    for (const CPrintRule &rule : kPrintRules) {
        if (!rule.Printed(configuration.ModInstr(), configuration.InOutScale()))
            continue;
        for (const CConfigClass *object : objects) {
            if (object->ClassName() == QLatin1String(rule.ClassName))
                object->SetReport(report);
        }
    }
    return report;
}

CReportRecordset PreparePrintData(qint64 id)
{
    CConfiguration configuration;
    configuration.Load(id);
    return PrepareReport(configuration);
}
