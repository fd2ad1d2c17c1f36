// The settings of the memory images, setting by setting against the instrument's own list
// (tests/data/image_settings.tsv): where each image keeps it, what an import accepts, how the
// auxiliary interface writes and reads it, and when it is sent there.
#include "common/Error.h"
#include "programming/memmap/AuxConversion.h"
#include "programming/memmap/AuxText.h"
#include "programming/memmap/ImageConversion.h"
#include "support/DataTable.h"
#include "support/SettingStore_fixture.h"

#include <QLocale>

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

// One line of the instrument's list; a word, bound or item of "-" is none.
struct CListedSetting
{
    ESetting Setting = ESetting::Password;
    QString Name;
    std::optional<int> Word[2]; // VAB/ZOB, QEM
    int Items = 1;
    std::optional<CBounds> Bounds;
    qint16 Value = 0;
    QStringList Texts; // of Value, Value + 1, ...
    QStringList Refused;
    QList<qint16> Unwritable;

    // The family that shows the setting's value and text: VAB/ZOB where it has a word there.
    EFamily SampleFamily() const { return Word[0] ? EFamily::VABZOB : EFamily::QEM; }
    int FirstItem() const { return Items == kAlarmCount ? 1 : 0; }
};

std::optional<int> Number(const QString &field)
{
    return field == QLatin1String("-") ? std::nullopt : std::optional<int>(field.toInt());
}

QList<CListedSetting> ListedSettings()
{
    QList<CListedSetting> listed;
    for (const QStringList &f : ReadDataTable(QStringLiteral("image_settings.tsv"))) {
        const auto row = std::find_if(SettingTable().begin(), SettingTable().end(),
                                      [&](const CSettingRow &r) { return f[0] == QLatin1String(r.Name); });
        EXPECT_NE(row, SettingTable().end()) << f[0].toStdString();
        if (row == SettingTable().end() || f.size() != 10)
            continue;
        CListedSetting s;
        s.Setting = row->Setting;
        s.Name = f[0];
        s.Word[0] = Number(f[1]);
        s.Word[1] = Number(f[2]);
        s.Items = f[3].toInt();
        if (Number(f[4]))
            s.Bounds = CBounds{qint16(f[4].toInt()), qint16(f[5].toInt())};
        s.Value = qint16(f[6].toInt());
        s.Texts = f[7].split(QLatin1Char('|'));
        if (f[8] != QLatin1String("-"))
            s.Refused = QString(f[8]).replace(QLatin1String("(empty)"), QString()).split(QLatin1Char('|'));
        for (const QString &value : f[9].split(QLatin1Char(' ')))
            if (value != QLatin1String("-"))
                s.Unwritable.append(qint16(value.toInt()));
        listed.append(s);
    }
    EXPECT_EQ(listed.size(), 35);
    return listed;
}

} // namespace

// Every word of both images holds the listed setting and item, and no other word is converted.
TEST(ImageSettings, EachImageKeepsEverySettingAtItsWords)
{
    for (const EFamily family : {EFamily::VABZOB, EFamily::QEM}) {
        QStringList expected, layout;
        for (const CListedSetting &s : ListedSettings())
            if (const std::optional<int> first = s.Word[family == EFamily::QEM])
                for (int k = 0; k < s.Items; ++k)
                    expected.append(QStringLiteral("%1 %2/%3")
                                        .arg(*first + k * (s.Items == kPointCount ? 2 : kAlarmBlockSize), 2)
                                        .arg(s.Name)
                                        .arg(k + s.FirstItem()));
        for (const CImageWord &w : ImageLayout(family))
            layout.append(QStringLiteral("%1 %2/%3").arg(w.Index, 2).arg(SettingName(w.Setting)).arg(w.Item));
        expected.sort();
        EXPECT_EQ(layout, expected);
    }
}

// An imported word is judged against its setting's values, both edges included.
TEST(ImageSettings, AnImportAcceptsEveryValueOfASettingAndNoOther)
{
    for (const CListedSetting &s : ListedSettings())
        for (const EFamily family : {EFamily::VABZOB, EFamily::QEM}) {
            const std::optional<int> word = s.Word[family == EFamily::QEM];
            if (!word)
                continue;
            QList<qint16> words = BuildImage(Distinct(), family);
            // The fault each value gives, "" for none.
            const auto faults = [&](std::initializer_list<int> values) {
                QStringList texts;
                for (const int value : values) {
                    words[*word] = qint16(value);
                    texts.append(ImageFault(words, family).value_or(QString()));
                }
                return texts;
            };
            if (!s.Bounds) {
                EXPECT_EQ(faults({-32768, 32767}), QStringList({"", ""})) << s.Name.toStdString();
                continue;
            }
            const int lowest = s.Bounds->Min, highest = s.Bounds->Max;
            EXPECT_EQ(faults({lowest, highest, lowest - 1, highest + 1}),
                      QStringList({"", "", s.Name + '=' + QString::number(lowest - 1),
                                   s.Name + '=' + QString::number(highest + 1)}))
                << s.Name.toStdString();
        }
    // The QEM image has no linearization: its words 11 to 44 are never judged.
    QList<qint16> words = BuildImage(Distinct(), EFamily::QEM);
    words[12] = 100;
    EXPECT_EQ(ImageFault(words, EFamily::QEM), std::nullopt);
}

// Built under a locale with "," as separator: the instrument reads only ".". Every listed text
// reads back as its value; a text that is no value, and a value without a text, are errors.
TEST(ImageSettings, AuxiliaryTextsBothWaysWhateverTheLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    for (const CListedSetting &s : ListedSettings()) {
        SCOPED_TRACE(s.Name.toStdString());
        const EFamily family = s.SampleFamily();
        const int word = *s.Word[family == EFamily::QEM];
        // Each text is read back among the texts of a configuration that sends everything.
        QStringList entries = BuildAuxImage(Distinct(), family, Context());
        CMapSettingStore store = Distinct(), read;
        for (int k = 0; k < s.Texts.size(); ++k) {
            store.SetValue(s.Setting, s.FirstItem(), qint16(s.Value + k));
            entries[word] = BuildAuxImage(store, family, Context())[word];
            EXPECT_EQ(entries[word], s.Texts[k]);
            ApplyAuxImage(entries, family, Context(), read);
            EXPECT_EQ(read.Value(s.Setting, s.FirstItem()), s.Value + k);
        }
        for (const QString &text : s.Refused) {
            entries[word] = text;
            EXPECT_THROW(ApplyAuxImage(entries, family, Context(), read), CError) << text.toStdString();
        }
        for (const qint16 value : s.Unwritable) {
            store.SetValue(s.Setting, s.FirstItem(), value);
            EXPECT_THROW(BuildAuxImage(store, family, Context()), CError) << value;
        }
    }
    QLocale::setDefault(before);
}

namespace {

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

TEST(AuxConversion, NoSendFollowsLinearizationAndRelayModule)
{
    const struct
    {
        qint16 linearizzazione, numSpezzate, slotC;
        std::vector<int> noSend;
    } cases[] = {
        {1, 16, 3, {}},
        {0, 16, 3, Span(12, 44)},
        {2, 16, 3, Span(12, 44)},
        {1, 5, 3, Span(23, 44)},
        {1, 0, 3, Span(13, 44)},
        {1, -1, 3, Span(13, 44)},
        {1, 16, 0, Span(45, 80)},
        {1, 16, 4, Span(45, 80)},
        {1, 16, 1, Span(54, 80)},
        {1, 16, 2, Span(63, 80)},
        {0, 2, 1, Span(54, 80, Span(12, 44))},
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
    EXPECT_EQ(NoSendIndices(BuildAuxImage(Distinct(), EFamily::QEM, Context())), Span(11, 44));
    // An alarm that is not sent needs no name.
    CMapSettingStore z3 = Distinct();
    z3.SetValue(ESetting::SlotC, 0, 1);
    z3.SetValue(ESetting::AlarmType, 4, 9);
    EXPECT_NO_THROW(BuildAuxImage(z3, EFamily::VABZOB, Context()));
    CAuxContext noRange = Context();
    noRange.Electrical.reset();
    EXPECT_THROW(BuildAuxImage(Distinct(), EFamily::QEM, noRange), CError);
}

// Automatic integration is the word 999 and the text "99.9"; whatever below 1000 comes back
// reads as automatic with the default manual time. Two-way texts read back by the text that
// decides.
TEST(AuxConversion, ReadRulesOfTheSpecialTexts)
{
    EXPECT_EQ(std::tuple(EncodeIntegrationTime(0, 250), EncodeIntegrationTime(1, 25)), std::tuple(999, 25));
    for (const auto &[word, integrationTime, intTime] :
         {std::tuple{999, 0, 1000}, {-5, 0, 1000}, {1000, 1, 1000}, {32767, 1, 32767}}) {
        const CIntegrationTime t = DecodeIntegrationTime(qint16(word));
        EXPECT_EQ(std::pair(t.IntegrationTime, t.IntTime),
                  std::pair(qint16(integrationTime), qint16(intTime)))
            << word;
    }
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
