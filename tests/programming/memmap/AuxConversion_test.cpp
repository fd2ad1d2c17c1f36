#include "common/Error.h"
#include "programming/memmap/AuxConversion.h"
#include "programming/memmap/AuxText.h"
#include "programming/memmap/SettingStore_fixture.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace MemMap;

namespace {

CAuxContext Context()
{
    CAuxContext context;
    context.Electrical = CScaleStep{0.01, "#0.00"};
    context.DecimalPoints = {{1, "###0"}, {0.1, "##0.0"}, {0.01, "#0.00"}, {0.001, "0.000"}};
    context.DecPointSamples = {"1111", "111.1", "11.11", "1.111"};
    return context;
}

// A Z8/Z9 configuration with linearization on: every entry is sent.
CMapSettingStore FullStore()
{
    CMapSettingStore s;
    using enum ESetting;
    const std::pair<ESetting, qint16> values[] = {{Password, 7},
                                                  {Range, 2},
                                                  {MeasureType, 1},
                                                  {ProbeSelect, 1},
                                                  {IntegrationTime, 1},
                                                  {IntTime, 999},
                                                  {CJC, 0},
                                                  {DisplayDigit, 1},
                                                  {DisplayColor, 2},
                                                  {MinElectricScale, -392},
                                                  {MaxElectricScale, 1999},
                                                  {MeasureDigitalPoint, 2},
                                                  {MinMeasureScale, -150},
                                                  {MaxMeasureScale, 5000},
                                                  {Linearizzazione, 1},
                                                  {NumSpezzate, 16},
                                                  {Campo, 25},
                                                  {Coeff, 12},
                                                  {MinOut, 40},
                                                  {MaxOut, 1000},
                                                  {TypeSignalOut, 1},
                                                  {NetworkAdd, 247},
                                                  {BaudRate, 3},
                                                  {DigitalInFunction, 2},
                                                  {TempCJC, -5},
                                                  {SlotC, 3}};
    for (const auto &[setting, value] : values)
        s.SetValue(setting, 0, value);
    for (int k = 0; k < kPointCount; ++k) {
        s.SetValue(ESetting::CoordinateIn, k, qint16(k * 100 - 3));
        s.SetValue(ESetting::CoordinateOut, k, qint16(-k * 37));
    }
    for (int n = 1; n <= kAlarmCount; ++n) {
        const std::pair<ESetting, qint16> alarm[] = {
            {ESetting::MinAlarmScale, -100},    {ESetting::MaxAlarmScale, 4000},
            {ESetting::AlarmSetPoint, 1234},    {ESetting::Isteresi, 5},
            {ESetting::RitDisattivazione, 255}, {ESetting::RitAttivazione, 0},
            {ESetting::RelayStatus, 0},         {ESetting::AlarmType, 5},
            {ESetting::AlarmColor, 3},
        };
        for (const auto &[setting, value] : alarm)
            s.SetValue(setting, n, qint16(value + (setting <= ESetting::Isteresi ? n : 0)));
    }
    return s;
}

std::vector<int> NoSendIndices(const QStringList &entries)
{
    std::vector<int> indices;
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i] == kNoSend)
            indices.push_back(i);
    return indices;
}

std::vector<int> Span(int from, int to)
{
    std::vector<int> v;
    for (int i = from; i <= to; ++i)
        v.push_back(i);
    return v;
}

} // namespace

// Built under a locale with "," as separator: the instrument reads only ".".
TEST(AuxConversion, WritesTheInstrumentsTextsWhateverTheLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const QStringList e = BuildAuxImage(FullStore(), EFamily::VABZOB, Context());
    const QStringList q = BuildAuxImage(FullStore(), EFamily::QEM, Context());
    QLocale::setDefault(before);
    ASSERT_EQ(e.size(), 89);
    const std::pair<int, const char *> expected[] = {
        {0, "0007"},   {1, "r3"},     {2, "dC"},    {3, "099.9"},  {4, "9999"},   {5, "GrEn"},
        {6, "-3.92"},  {7, "19.99"},  {8, "11.11"}, {9, "-1.50"},  {10, "50.00"}, {11, "YES"},
        {12, "16"},    {13, "-0.03"}, {14, "0.00"}, {43, "14.97"}, {44, "-5.55"}, {45, "-0.99"},
        {46, "40.01"}, {47, "12.35"}, {48, "0.06"}, {49, "255"},   {50, "0"},     {51, "nE"},
        {52, "do.L"},  {53, "nonE"},  {81, "0.25"}, {82, "12"},    {83, "4.0"},   {84, "100.0"},
        {85, "A"},     {86, "247"},   {87, "38.4"}, {88, "C3"},
    };
    for (const auto &[index, text] : expected)
        EXPECT_EQ(e[index], text) << index;
    EXPECT_TRUE(NoSendIndices(e).empty());
    ASSERT_EQ(q.size(), 90);
    EXPECT_EQ(q[2], "rtd");
    EXPECT_EQ(q[3], "Auto");
    EXPECT_EQ(q[89], "-5");
    EXPECT_EQ(NoSendIndices(q), Span(11, 44));
}

TEST(AuxConversion, NoSendFollowsLinearizationAndRelayModule)
{
    struct Case
    {
        qint16 linearizzazione;
        qint16 numSpezzate;
        qint16 slotC;
        std::vector<int> noSend;
    };
    auto join = [](std::vector<int> a, const std::vector<int> &b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const Case cases[] = {
        {0, 16, 3, Span(12, 44)}, {2, 16, 3, Span(12, 44)},
        {1, 5, 3, Span(23, 44)},  {1, 0, 3, Span(13, 44)},
        {1, -1, 3, Span(13, 44)}, {1, 16, 0, Span(45, 80)},
        {1, 16, 4, Span(45, 80)}, {1, 16, 1, Span(54, 80)},
        {1, 16, 2, Span(63, 80)}, {0, 2, 1, join(Span(12, 44), Span(54, 80))},
    };
    for (const Case &c : cases) {
        CMapSettingStore s = FullStore();
        s.SetValue(ESetting::Linearizzazione, 0, c.linearizzazione);
        s.SetValue(ESetting::NumSpezzate, 0, c.numSpezzate);
        s.SetValue(ESetting::SlotC, 0, c.slotC);
        const QStringList e = BuildAuxImage(s, EFamily::VABZOB, Context());
        EXPECT_EQ(NoSendIndices(e), c.noSend) << c.linearizzazione << " " << c.numSpezzate << " " << c.slotC;
        EXPECT_EQ(e[11], c.linearizzazione == 0 ? "nonE" : "YES");
    }
}

TEST(AuxConversion, ReadRulesOfTheSpecialTexts)
{
    QStringList entries = BuildAuxImage(FullStore(), EFamily::VABZOB, Context());
    auto readWith = [&](int index, const QString &text) {
        QStringList changed = entries;
        changed[index] = text;
        CMapSettingStore s;
        ApplyAuxImage(changed, EFamily::VABZOB, Context(), s);
        return s;
    };
    CMapSettingStore s = readWith(3, "99.9");
    EXPECT_EQ(s.Value(ESetting::IntegrationTime, 0), 0);
    EXPECT_EQ(s.Value(ESetting::IntTime, 0), 1000);
    s = readWith(3, "100.0");
    EXPECT_EQ(s.Value(ESetting::IntegrationTime, 0), 1);
    EXPECT_EQ(s.Value(ESetting::IntTime, 0), 1000);
    EXPECT_EQ(readWith(2, "xx").Value(ESetting::MeasureType, 0), 1);
    EXPECT_EQ(readWith(51, "xx").Value(ESetting::RelayStatus, 1), 0);
}

TEST(AuxConversion, FaultyTextsAndValuesAreErrors)
{
    const QStringList entries = BuildAuxImage(FullStore(), EFamily::VABZOB, Context());
    const std::pair<int, const char *> badTexts[] = {
        {5, "red"}, {5, "rEd!"}, {1, "r7"},      {8, "11,11"}, {87, "57.6"}, {88, "C4"},
        {52, "UP"}, {53, ""},    {12, "NoSend"}, {0, "7a"},    {9, "-"},     {86, "99999"},
    };
    for (const auto &[index, text] : badTexts) {
        QStringList changed = entries;
        changed[index] = text;
        CMapSettingStore s;
        EXPECT_THROW(ApplyAuxImage(changed, EFamily::VABZOB, Context(), s), CError) << index << text;
    }

    const std::pair<ESetting, qint16> badValues[] = {
        {ESetting::DisplayColor, 3}, {ESetting::Range, 6},        {ESetting::MeasureDigitalPoint, 4},
        {ESetting::BaudRate, -1},    {ESetting::NumSpezzate, 17}, {ESetting::DigitalInFunction, 3},
    };
    for (const auto &[setting, value] : badValues) {
        CMapSettingStore s = FullStore();
        s.SetValue(setting, 0, value);
        EXPECT_THROW(BuildAuxImage(s, EFamily::VABZOB, Context()), CError) << int(setting);
    }
    CAuxContext noRange = Context();
    noRange.Electrical.reset();
    EXPECT_THROW(BuildAuxImage(FullStore(), EFamily::QEM, noRange), CError);
    // An alarm that is not sent needs no name.
    CMapSettingStore z3 = FullStore();
    z3.SetValue(ESetting::SlotC, 0, 1);
    z3.SetValue(ESetting::AlarmType, 4, 9);
    EXPECT_NO_THROW(BuildAuxImage(z3, EFamily::VABZOB, Context()));
}
