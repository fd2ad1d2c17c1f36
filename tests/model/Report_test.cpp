#include "model/Configuration.h"
#include "support/Model_fixture.h"

#include <functional>

namespace {

// The report of one object as "label|value" for an item row, "label" for a heading, after
// `set`; nColumn must agree with the texts.
template <class T> QStringList Rows(const std::function<void(T &)> &set = [](T &) {})
{
    T object;
    set(object);
    CReportRecordset report;
    object.SetReport(report);
    QStringList rows;
    for (const CReportRow &row : report.Rows()) {
        EXPECT_EQ(row.nColumn, row.Column2.isEmpty() && row.Column1.startsWith("#SBAC#") ? 1 : 2)
            << row.Column1.toStdString();
        rows << (row.nColumn == 1 ? row.Column1 : row.Column1 + '|' + row.Column2);
    }
    return rows;
}

} // namespace

TEST(Report, RowsOfEveryClassForDefaultsTypicalAndOutOfRangeValues)
{
    const std::tuple<const char *, QStringList, QStringList> cases[] = {
        {"ModInstr IXO, out of range",
         Rows<CModInstr>(
             [](CModInstr &m) { m.SetModelloStrumento(2), m.SetSlotA(3), m.SetSlotC(6), m.SetSlotD(1); }),
         {"#SB#Program name|Without name", "#SB#Instrument type|IXO", "#SB#Slot A|QEM", "#SB#Slot B|None",
          "#SB#Slot C|6", "#SB#Slot D|KQ"}},
        {"RangeQEM defaults",
         Rows<CRangeQEM>(),
         {"#SB#Probe selection|Thermocouple", "#SB#Cold junction compensation|Automatic",
          "#SB#Thermocouple range|J -50÷+760 °C", "#SB#External command function|Display hold"}},
        {"RangeQEM RTD",
         Rows<CRangeQEM>([](CRangeQEM &q) { q.SetProbeSelect(1), q.SetCJC(1), q.SetRange(5); }),
         {"#SB#Probe selection|RTD", "#SB#RTD Range|Ni100 -60÷+180 °C",
          "#SB#External command function|Display hold"}},
        {"RangeQEM out of range",
         Rows<CRangeQEM>(
             [](CRangeQEM &q) { q.SetProbeSelect(2), q.SetRange(6), q.SetDigitalInFunction(-1); }),
         {"#SB#Probe selection|Resistance", "#SB#Resistance range|6", "#SB#External command function|-1"}},
        {"RangeVABZOB ZOB manual",
         Rows<CRangeVABZOB>([](CRangeVABZOB &r) {
             r.SetSlotA(2), r.SetRange(2), r.SetIntegrationTime(1), r.SetIntTime(25), r.SetMeasureType(1);
         }),
         {"#SB#Measuring mode|DC measure", "#SB#Integration time|Manual 2.5 ms", "#SB#Measuring range|5 A",
          "#SB#External command|Display hold function"}},
        {"InOutScale IXO VAB",
         Rows<CInOutScale>([](CInOutScale &s) {
             s.SetModelloStrumento(1), s.SetMaxElectricScale(2000), s.SetMeasureDigitalPoint(2);
             s.SetMinMeasureScale(-1999), s.SetMaxMeasureScale(1999);
         }),
         {"#SBAC#Electrical scale", "#SB#Minimum input range|0.0 uA", "#SB#Maximum input range|200.0 uA",
          "#SBAC#Retransmitted range", "#SB#Decimal point position|11.11",
          "#SB#Minimum retransmitted range|-19.99", "#SB#Maximum retransmitted range|19.99",
          "#SB#Linearization|Deactivate"}},
        {"InOutScale no range",
         Rows<CInOutScale>([](CInOutScale &s) {
             s.SetSlotA(5), s.SetMaxElectricScale(1234), s.SetMeasureDigitalPoint(7),
                 s.SetMaxMeasureScale(55);
         }),
         {"#SBAC#Electrical scale", "#SB#Minimum input range|0", "#SB#Maximum input range|1234",
          "#SBAC#Retransmitted range", "#SB#Decimal point position|7", "#SB#Minimum retransmitted range|0",
          "#SB#Maximum retransmitted range|55"}},
        {"Display IXO",
         Rows<CDisplay>([](CDisplay &d) { d.SetModelloStrumento(2), d.SetPassword(9000); }),
         {"Basic display colour|Green", "Password|9000"}},
        {"Display out of range",
         Rows<CDisplay>([](CDisplay &d) { d.SetDisplayDigit(2), d.SetDisplayColor(3); }),
         {"Display choice|2", "Basic display colour|3", "Password|0"}},
        {"Linearize defaults",
         Rows<CLinearize>([](CLinearize &l) { l.SetModelloStrumento(1); }),
         {"#SB#Number of points|2", "#SB#Input|0.0 uA", "#SB#Output|0", "#SB#Input|0.0 uA", "#SB#Output|0"}},
        {"AnalogOut typical",
         Rows<CAnalogOut>([](CAnalogOut &a) { a.SetMinOut(5), a.SetMaxOut(1000), a.SetTypeSignalOut(2); }),
         {"#SBAC#% setting of output signal interval", "#SB#Setting of minimum output value (Lo.A)|0.5 %",
          "#SB#Setting of maximum output value (Hi.A)|100.0 %", "#SB#Output type|2"}},
        {"Filtro",
         Rows<CFiltroDigitale>([](CFiltroDigitale &f) { f.SetMeasureDigitalPoint(1), f.SetCampo(25); }),
         {"#SB#Filter operating range:|2.5", "#SB#Filtering coefficient:|0"}},
        {"SerialComm",
         Rows<CSerialComm>([](CSerialComm &s) { s.SetNetworkAdd(255), s.SetBaudRate(4); }),
         {"#SB#Network address|255", "#SB#Baud rate|4"}},
        {"Alarm defaults",
         Rows<CAlarm>([](CAlarm &a) { a.SetClassName("CAlarm4"); }),
         {"#SBAC#4 alarm parameters setting", "#SB#Value of minimum set-point value|0",
          "#SB#Value of maximum set-point value|0", "#SB#Set-point setting|0", "#SB#Hysteresis:|0",
          "#SB#Activation delay|0 s.", "#SB#Deactivation delay|0 s.", "#SB#Alarm type|None",
          "#SB#Relay status|Normally de-energized", "#SB#Display colour for alarm|None"}},
        {"Alarm IXO typical",
         Rows<CAlarm>([](CAlarm &a) {
             a.SetClassName("CAlarm2"), a.SetModelloStrumento(2), a.SetMeasureDigitalPoint(2);
             a.SetAlarmSetPoint(1234), a.SetMinAlarmScale(-50), a.SetRitAttivazione(255), a.SetAlarmType(9);
         }),
         {"#SBAC#2 alarm parameters setting", "#SB#Value of minimum set-point value|-0.50",
          "#SB#Value of maximum set-point value|0.00", "#SB#Set-point setting|12.34", "#SB#Hysteresis:|0.00",
          "#SB#Activation delay|255 s.", "#SB#Deactivation delay|0 s.", "#SB#Alarm type|9",
          "#SB#Relay status|Normally de-energized"}},
    };
    for (const auto &[name, rows, expected] : cases)
        EXPECT_EQ(rows, expected) << name;
}

TEST(Report, LinearizationPointsFollowTheCountUpToSixteen)
{
    for (const auto &[count, rows] : {std::pair{16, 33}, {17, 33}, {0, 1}, {3, 7}})
        EXPECT_EQ(Rows<CLinearize>([count](CLinearize &l) { l.SetNumSpezzate(qint16(count)); }).size(), rows)
            << count;
}

TEST(Report, NumbersFollowTheUsersLocale)
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const QStringList rows =
        Rows<CFiltroDigitale>([](CFiltroDigitale &f) { f.SetMeasureDigitalPoint(1), f.SetCampo(25); });
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(rows.first(), "#SB#Filter operating range:|2,5");
}
