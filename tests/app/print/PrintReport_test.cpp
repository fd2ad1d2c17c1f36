#include "Print_fixture.h"
#include "app/print/PrintReport.h"
#include "common/ResString.h"

namespace {

struct ReportCase
{
    CModules modules;
    QStringList printed;
    friend void PrintTo(const ReportCase &c, std::ostream *os) { *os << c.modules.what; }
};

QStringList Texts(const QList<CReportRow> &rows)
{
    QStringList texts;
    for (const CReportRow &row : rows)
        texts << (row.nColumn == 1 ? row.Column1 : row.Column1 + '|' + row.Column2);
    return texts;
}

// The rows of the named objects of a configuration, in the order named.
QStringList SectionRows(CConfiguration &configuration, const QStringList &classes)
{
    configuration.ApplyContext();
    CReportRecordset report;
    for (const QString &name : classes) {
        for (CConfigClass *object : configuration.Objects()) {
            if (object->ClassName() == name)
                object->SetReport(report);
        }
    }
    return Texts(report.Rows());
}

class PrintReport : public ArchiveTest, public ::testing::WithParamInterface<ReportCase>
{};

} // namespace

TEST(PrintRules, WalkTheObjectsInPrintOrder)
{
    QStringList names;
    for (const CPrintRule &rule : PrintRules())
        names << rule.ClassName;
    EXPECT_EQ(names, QStringList({"CModInstr", "CRangeQEM", "CRangeVABZOB", "CFiltroDigitale", "CSerialComm",
                                  "CDisplay", "CInOutScale", "CLinearize", "CAlarm1", "CAlarm2", "CAlarm3",
                                  "CAlarm4", "CAnalogOut"}));
}

TEST_P(PrintReport, ArchivedConfigurationPrintsItsSectionsInOrder)
{
    const ReportCase &c = GetParam();
    CConfiguration configuration;
    SetModules(configuration, c.modules);
    // Values that only print right with the scale's context: the alarm set-point's decimal point.
    configuration.InOutScale().SetMeasureDigitalPoint(1);
    for (int n = 1; n <= CConfiguration::kAlarms; ++n)
        configuration.Alarm(n).SetAlarmSetPoint(qint16(250 + n));
    const qint32 id = g_Connection->NewID();
    configuration.Add(id);

    const QStringList rows = Texts(PreparePrintData(id).Rows());

    const QStringList head = {LoadResString(682), LoadResString(683) + '|' + LoadResString(684)};
    EXPECT_EQ(rows, head + SectionRows(configuration, c.printed));
    for (const QString &alarm : c.printed.filter("CAlarm")) {
        const QString setPoint = QStringLiteral("25.%1").arg(alarm.right(1));
        EXPECT_TRUE(rows.contains(LoadResString(5544) + '|' + setPoint)) << alarm.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modules, PrintReport,
    ::testing::Values(
        ReportCase{{"QEM IXO Z3", Modello::IXO, SlotAModule::QEM, SlotBModule::None, SlotCModule::Z3},
                   {"CModInstr", "CRangeQEM", "CFiltroDigitale", "CInOutScale", "CAlarm1"}},
        ReportCase{{"QEM IXO ZQ linearization on", Modello::IXO, SlotAModule::QEM, SlotBModule::ZQ,
                    SlotCModule::None, SlotDModule::None, true},
                   {"CModInstr", "CRangeQEM", "CFiltroDigitale", "CSerialComm", "CInOutScale", "CLinearize"}},
        ReportCase{{"VAB EKA 40 QZ Z5", Modello::EKA40, SlotAModule::VAB, SlotBModule::QZ, SlotCModule::Z5},
                   {"CModInstr", "CRangeVABZOB", "CFiltroDigitale", "CSerialComm", "CDisplay", "CInOutScale",
                    "CAlarm1", "CAlarm2"}},
        ReportCase{{"ZOB EKA 35 Z8 linearization", Modello::EKA35, SlotAModule::ZOB, SlotBModule::None,
                    SlotCModule::Z8Z9, SlotDModule::None, true},
                   {"CModInstr", "CRangeVABZOB", "CFiltroDigitale", "CDisplay", "CInOutScale", "CLinearize",
                    "CAlarm1", "CAlarm2", "CAlarm3", "CAlarm4"}},
        ReportCase{{"IXO KQ in B", Modello::IXO, SlotAModule::VAKVAM, SlotBModule::KQ},
                   {"CModInstr", "CRangeVABZOB", "CFiltroDigitale", "CInOutScale"}},
        ReportCase{{"IXO KQ in C", Modello::IXO, SlotAModule::VAB, SlotBModule::None, SlotCModule::KQ},
                   {"CModInstr", "CRangeVABZOB", "CFiltroDigitale", "CInOutScale", "CAnalogOut"}},
        ReportCase{{"IXO KQ in D", Modello::IXO, SlotAModule::VAB, SlotBModule::QZ, SlotCModule::Z3,
                    SlotDModule::KQ},
                   {"CModInstr", "CRangeVABZOB", "CFiltroDigitale", "CSerialComm", "CInOutScale", "CAlarm1",
                    "CAnalogOut"}},
        ReportCase{{"EKA 40 KQ in B", Modello::EKA40, SlotAModule::QEM, SlotBModule::KQ, SlotCModule::Z3},
                   {"CModInstr", "CRangeQEM", "CFiltroDigitale", "CDisplay", "CInOutScale", "CAlarm1",
                    "CAnalogOut"}},
        ReportCase{{"EKA 35 KQ in C", Modello::EKA35, SlotAModule::ZOB, SlotBModule::None, SlotCModule::KQ},
                   {"CModInstr", "CRangeVABZOB", "CFiltroDigitale", "CDisplay", "CInOutScale", "CAnalogOut"}},
        ReportCase{{"EKA 40 KQ in D", Modello::EKA40, SlotAModule::VAB, SlotBModule::None, SlotCModule::None,
                    SlotDModule::KQ},
                   {"CModInstr", "CRangeVABZOB", "CFiltroDigitale", "CDisplay", "CInOutScale"}}));
