#include "Print_fixture.h"
#include "app/print/PrintReport.h"
#include "common/ResString.h"

namespace {

// The modules of a configuration and the objects its report prints, in order.
struct ReportCase
{
    CModules modules;
    const char *printed;
    friend void PrintTo(const ReportCase &c, std::ostream *os) { *os << c.modules.what; }
};

QStringList Texts(const CReportRecordset &report)
{
    QStringList texts;
    for (const CReportRow &row : report.Rows())
        texts << (row.nColumn == 1 ? row.Column1 : row.Column1 + '|' + row.Column2);
    return texts;
}

class PrintReport : public ArchiveTest, public ::testing::WithParamInterface<ReportCase>
{};

} // namespace

// The title and heading rows, then the rows of the printed objects, each with its context: the
// alarm set-points print with the scale's decimal point.
TEST_P(PrintReport, ArchivedConfigurationPrintsItsSectionsInOrder)
{
    CConfiguration configuration;
    SetModules(configuration, GetParam().modules);
    configuration.InOutScale().SetMeasureDigitalPoint(1);
    for (int n = 1; n <= CConfiguration::kAlarms; ++n)
        configuration.Alarm(n).SetAlarmSetPoint(qint16(250 + n));
    const qint32 id = g_Connection->NewID();
    configuration.Add(id);

    CReportRecordset expected;
    expected.AddRow(LoadResString(682));
    expected.AddRow(LoadResString(683), LoadResString(684));
    configuration.ApplyContext();
    const QStringList printed = QString(GetParam().printed).split(' ');
    for (const QString &name : printed) {
        for (CConfigClass *object : configuration.Objects()) {
            if (object->ClassName() == name)
                object->SetReport(expected);
        }
    }
    const QStringList rows = Texts(PreparePrintData(id));
    EXPECT_EQ(rows, Texts(expected));
    for (const QString &alarm : printed.filter("CAlarm"))
        EXPECT_TRUE(rows.contains(LoadResString(5544) + "|25." + alarm.right(1))) << alarm.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Modules, PrintReport,
    ::testing::Values(
        ReportCase{{"QEM IXO Z3", Modello::IXO, SlotAModule::QEM, SlotBModule::None, SlotCModule::Z3},
                   "CModInstr CRangeQEM CFiltroDigitale CInOutScale CAlarm1"},
        ReportCase{{"QEM IXO ZQ linearization", Modello::IXO, SlotAModule::QEM, SlotBModule::ZQ,
                    SlotCModule::None, SlotDModule::None, true},
                   "CModInstr CRangeQEM CFiltroDigitale CSerialComm CInOutScale CLinearize"},
        ReportCase{{"VAB EKA 40 QZ Z5", Modello::EKA40, SlotAModule::VAB, SlotBModule::QZ, SlotCModule::Z5},
                   "CModInstr CRangeVABZOB CFiltroDigitale CSerialComm CDisplay CInOutScale CAlarm1 CAlarm2"},
        ReportCase{
            {"ZOB EKA 35 Z8 linearization", Modello::EKA35, SlotAModule::ZOB, SlotBModule::None,
             SlotCModule::Z8Z9, SlotDModule::None, true},
            "CModInstr CRangeVABZOB CFiltroDigitale CDisplay CInOutScale CLinearize CAlarm1 CAlarm2 CAlarm3 "
            "CAlarm4"},
        ReportCase{{"IXO KQ in B", Modello::IXO, SlotAModule::VAKVAM, SlotBModule::KQ},
                   "CModInstr CRangeVABZOB CFiltroDigitale CInOutScale"},
        ReportCase{{"IXO KQ in C", Modello::IXO, SlotAModule::VAB, SlotBModule::None, SlotCModule::KQ},
                   "CModInstr CRangeVABZOB CFiltroDigitale CInOutScale CAnalogOut"},
        ReportCase{{"IXO KQ in D", Modello::IXO, SlotAModule::VAB, SlotBModule::QZ, SlotCModule::Z3,
                    SlotDModule::KQ},
                   "CModInstr CRangeVABZOB CFiltroDigitale CSerialComm CInOutScale CAlarm1 CAnalogOut"},
        ReportCase{{"EKA 40 KQ in B", Modello::EKA40, SlotAModule::QEM, SlotBModule::KQ, SlotCModule::Z3},
                   "CModInstr CRangeQEM CFiltroDigitale CDisplay CInOutScale CAlarm1 CAnalogOut"},
        ReportCase{{"EKA 35 KQ in C", Modello::EKA35, SlotAModule::ZOB, SlotBModule::None, SlotCModule::KQ},
                   "CModInstr CRangeVABZOB CFiltroDigitale CDisplay CInOutScale CAnalogOut"},
        ReportCase{{"EKA 40 KQ in D", Modello::EKA40, SlotAModule::VAB, SlotBModule::None, SlotCModule::None,
                    SlotDModule::KQ},
                   "CModInstr CRangeVABZOB CFiltroDigitale CDisplay CInOutScale"}));
