#include "model/Configuration.h"
#include "support/DataTable.h"
#include "support/Model_fixture.h"

// The report of one object as "label|value" for an item row, "label" for a heading, after
// `set`; nColumn must agree with the texts.
template <class T> static QStringList Rows(const std::function<void(T &)> &set = [](T &) {})
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

// Defaults, typical and out-of-range values of every class; the rows expected are in
// tests/data/report_rows.tsv under the case's name.
TEST(Report, RowsOfEveryClassForDefaultsTypicalAndOutOfRangeValues)
{
    // clang-format off
    const std::pair<const char *, QStringList> cases[] = {
        {"ModInstr IXO, out of range", Rows<CModInstr>([](CModInstr &m) { m.SetModelloStrumento(2), m.SetSlotA(3), m.SetSlotC(6), m.SetSlotD(1); })},
        {"RangeQEM defaults", Rows<CRangeQEM>()},
        {"RangeQEM RTD", Rows<CRangeQEM>([](CRangeQEM &q) { q.SetProbeSelect(1), q.SetCJC(1), q.SetRange(5); })},
        {"RangeQEM out of range", Rows<CRangeQEM>([](CRangeQEM &q) { q.SetProbeSelect(2), q.SetRange(6), q.SetDigitalInFunction(-1); })},
        {"RangeVABZOB ZOB manual", Rows<CRangeVABZOB>([](CRangeVABZOB &r) {
             r.SetSlotA(2), r.SetRange(2), r.SetIntegrationTime(1), r.SetIntTime(25), r.SetMeasureType(1); })},
        {"InOutScale IXO VAB", Rows<CInOutScale>([](CInOutScale &s) {
             s.SetModelloStrumento(1), s.SetMaxElectricScale(2000), s.SetMeasureDigitalPoint(2), s.SetMinMeasureScale(-1999), s.SetMaxMeasureScale(1999); })},
        {"InOutScale no range", Rows<CInOutScale>([](CInOutScale &s) {
             s.SetSlotA(5), s.SetMaxElectricScale(1234), s.SetMeasureDigitalPoint(7), s.SetMaxMeasureScale(55); })},
        {"Display IXO", Rows<CDisplay>([](CDisplay &d) { d.SetModelloStrumento(2), d.SetPassword(9000); })},
        {"Display out of range", Rows<CDisplay>([](CDisplay &d) { d.SetDisplayDigit(2), d.SetDisplayColor(3); })},
        {"Linearize defaults", Rows<CLinearize>([](CLinearize &l) { l.SetModelloStrumento(1); })},
        {"AnalogOut typical", Rows<CAnalogOut>([](CAnalogOut &a) { a.SetMinOut(5), a.SetMaxOut(1000), a.SetTypeSignalOut(2); })},
        {"Filtro", Rows<CFiltroDigitale>([](CFiltroDigitale &f) { f.SetMeasureDigitalPoint(1), f.SetCampo(25); })},
        {"SerialComm", Rows<CSerialComm>([](CSerialComm &s) { s.SetNetworkAdd(255), s.SetBaudRate(4); })},
        {"Alarm defaults", Rows<CAlarm>([](CAlarm &a) { a.SetClassName("CAlarm4"); })},
        {"Alarm IXO typical", Rows<CAlarm>([](CAlarm &a) {
             a.SetClassName("CAlarm2"), a.SetModelloStrumento(2), a.SetMeasureDigitalPoint(2), a.SetAlarmSetPoint(1234), a.SetMinAlarmScale(-50),
             a.SetRitAttivazione(255), a.SetAlarmType(9); })},
    };
    // clang-format on
    QMap<QString, QStringList> expected;
    for (QStringList row : ReadDataTable(QStringLiteral("report_rows.tsv")))
        expected.insert(row.takeFirst(), row);
    EXPECT_EQ(expected.size(), qsizetype(std::size(cases)));
    for (const auto &[name, rows] : cases)
        EXPECT_EQ(rows, expected.value(name)) << name;
}

TEST(Report, LinearizationPointsFollowTheCountUpToSixteenAndNumbersTheUsersLocale)
{
    for (const auto &[count, rows] : {std::pair{16, 33}, {17, 33}, {0, 1}, {3, 7}})
        EXPECT_EQ(Rows<CLinearize>([count](CLinearize &l) { l.SetNumSpezzate(qint16(count)); }).size(), rows)
            << count;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const QStringList rows =
        Rows<CFiltroDigitale>([](CFiltroDigitale &f) { f.SetMeasureDigitalPoint(1), f.SetCampo(25); });
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(rows.first(), "#SB#Filter operating range:|2,5");
}
