#include "common/Error.h"
#include "programming/memmap/AuxConversion.h"
#include "programming/memmap/AuxText.h"
#include "support/SettingStore_fixture.h"

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

CMapSettingStore Distinct()
{
    CMapSettingStore store;
    FillDistinct(store);
    return store;
}

std::vector<int> NoSendIndices(const QStringList &entries)
{
    std::vector<int> indices;
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i] == kNoSend)
            indices.push_back(i);
    return indices;
}

std::vector<int> Span(int from, int to, std::vector<int> before = {})
{
    for (int i = from; i <= to; ++i)
        before.push_back(i);
    return before;
}

} // namespace

// Built under a locale with "," as separator: the instrument reads only ".".
TEST(AuxConversion, WritesTheInstrumentsTextsWhateverTheLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const QStringList e = BuildAuxImage(Distinct(), EFamily::VABZOB, Context());
    const QStringList q = BuildAuxImage(Distinct(), EFamily::QEM, Context());
    QLocale::setDefault(before);
    ASSERT_EQ(e.size(), 89);
    const std::pair<int, const char *> expected[] = {
        {0, "4321"},   {1, "r5"},    {2, "dC"},     {3, "123.4"}, {4, "9999"}, {5, "orAn"},   {6, "-1.50"},
        {7, "19.80"},  {8, "1.111"}, {9, "-0.999"}, {11, "YES"},  {12, "16"},  {13, "-0.50"}, {44, "6.501"},
        {47, "0.333"}, {49, "21"},   {51, "nE"},    {52, "uP"},   {53, "rEd"}, {80, "nonE"},  {81, "0.077"},
        {83, "1.5"},   {85, "A"},    {86, "201"},   {87, "19.2"}, {88, "C3"},
    };
    for (const auto &[index, text] : expected)
        EXPECT_EQ(e[index], text) << index;
    EXPECT_TRUE(NoSendIndices(e).empty());
    ASSERT_EQ(q.size(), 90);
    EXPECT_EQ(q.mid(2, 2), QStringList({"rtd", "nAn"}));
    EXPECT_EQ(q[89], "23");
    EXPECT_EQ(NoSendIndices(q), Span(11, 44));
}

TEST(AuxConversion, NoSendFollowsLinearizationAndRelayModule)
{
    const struct
    {
        qint16 linearizzazione, numSpezzate, slotC;
        std::vector<int> noSend;
    } cases[] = {
        {0, 16, 3, Span(12, 44)}, {2, 16, 3, Span(12, 44)},
        {1, 5, 3, Span(23, 44)},  {1, 0, 3, Span(13, 44)},
        {1, -1, 3, Span(13, 44)}, {1, 16, 0, Span(45, 80)},
        {1, 16, 4, Span(45, 80)}, {1, 16, 1, Span(54, 80)},
        {1, 16, 2, Span(63, 80)}, {0, 2, 1, Span(54, 80, Span(12, 44))},
    };
    for (const auto &c : cases) {
        CMapSettingStore s = Distinct();
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
    const QStringList entries = BuildAuxImage(Distinct(), EFamily::VABZOB, Context());
    const struct
    {
        int index;
        const char *text;
        ESetting setting;
        int item;
        qint16 value;
    } cases[] = {{3, "99.9", ESetting::IntegrationTime, 0, 0},  {3, "99.9", ESetting::IntTime, 0, 1000},
                 {3, "100.0", ESetting::IntegrationTime, 0, 1}, {3, "100.0", ESetting::IntTime, 0, 1000},
                 {2, "xx", ESetting::MeasureType, 0, 1},        {51, "xx", ESetting::RelayStatus, 1, 0}};
    for (const auto &c : cases) {
        QStringList changed = entries;
        changed[c.index] = c.text;
        CMapSettingStore s;
        ApplyAuxImage(changed, EFamily::VABZOB, Context(), s);
        EXPECT_EQ(s.Value(c.setting, c.item), c.value) << c.index << c.text;
    }
}

TEST(AuxConversion, FaultyTextsAndValuesAreErrors)
{
    const QStringList entries = BuildAuxImage(Distinct(), EFamily::VABZOB, Context());
    const std::pair<int, const char *> badTexts[] = {
        {5, "red"}, {5, "rEd!"}, {1, "r7"},      {8, "11,11"}, {87, "57.6"}, {88, "C4"},
        {52, "UP"}, {53, ""},    {12, "NoSend"}, {0, "7a"},    {9, "-"},     {86, "99999"},
        {12, "-1"}, {12, "17"},  {86, "0"},      {86, "256"},
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
        CMapSettingStore s = Distinct();
        s.SetValue(setting, 0, value);
        EXPECT_THROW(BuildAuxImage(s, EFamily::VABZOB, Context()), CError) << int(setting);
    }
    CAuxContext noRange = Context();
    noRange.Electrical.reset();
    EXPECT_THROW(BuildAuxImage(Distinct(), EFamily::QEM, noRange), CError);
    // An alarm that is not sent needs no name.
    CMapSettingStore z3 = Distinct();
    z3.SetValue(ESetting::SlotC, 0, 1);
    z3.SetValue(ESetting::AlarmType, 4, 9);
    EXPECT_NO_THROW(BuildAuxImage(z3, EFamily::VABZOB, Context()));
}
