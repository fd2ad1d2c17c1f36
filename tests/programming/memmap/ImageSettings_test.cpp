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

// One line of the instrument's list, its fields as listed; a word, bound or item of "-" is none.
struct CListedSetting
{
    QStringList f; // name, words (VAB/ZOB, QEM), items, lowest, highest, value, texts, refused, unwritable
    ESetting Setting;

    std::optional<int> Word(EFamily family) const
    {
        const QString &word = f[family == EFamily::QEM ? 2 : 1];
        return word == QLatin1String("-") ? std::nullopt : std::optional<int>(word.toInt());
    }
    int Items() const { return f[3].toInt(); }
    int FirstItem() const { return Items() == kAlarmCount ? 1 : 0; }
    // The family that shows the setting's value and text: VAB/ZOB where it has a word there.
    EFamily SampleFamily() const { return Word(EFamily::VABZOB) ? EFamily::VABZOB : EFamily::QEM; }
    QStringList List(int field) const
    {
        return f[field] == QLatin1String("-")
                   ? QStringList()
                   : QString(f[field]).remove("(empty)").split(field == 9 ? ' ' : '|');
    }
};

QList<CListedSetting> ListedSettings()
{
    QList<CListedSetting> listed;
    for (const QStringList &f : ReadDataTable(QStringLiteral("image_settings.tsv")))
        for (const CSettingRow &row : SettingTable())
            if (f[0] == QLatin1String(row.Name) && f.size() == 10)
                listed.append({f, row.Setting});
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
            for (int k = 0; s.Word(family) && k < s.Items(); ++k)
                expected.append(
                    QStringLiteral("%1 %2/%3")
                        .arg(*s.Word(family) + k * (s.Items() == kPointCount ? 2 : kAlarmBlockSize), 2)
                        .arg(s.f[0])
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
            if (!s.Word(family))
                continue;
            QList<int> values{-32768, 32767};
            QStringList expected{"", ""}, faults;
            if (s.f[4] != QLatin1String("-")) {
                const int lowest = s.f[4].toInt(), highest = s.f[5].toInt();
                values = {lowest, highest, lowest - 1, highest + 1};
                expected << s.f[0] + '=' + QString::number(lowest - 1)
                         << s.f[0] + '=' + QString::number(highest + 1);
            }
            QList<qint16> words = BuildImage(Distinct(), family);
            for (const int value : values) {
                words[*s.Word(family)] = qint16(value);
                faults.append(ImageFault(words, family).value_or(QString()));
            }
            EXPECT_EQ(faults, expected) << s.f[0].toStdString();
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
        SCOPED_TRACE(s.f[0].toStdString());
        const EFamily family = s.SampleFamily();
        const int word = *s.Word(family);
        const QStringList texts = s.List(7);
        const qint16 value = qint16(s.f[6].toInt());
        // Each text is read back among the texts of a configuration that sends everything.
        QStringList entries = BuildAuxImage(Distinct(), family, Context());
        CMapSettingStore store = Distinct(), read;
        for (int k = 0; k < texts.size(); ++k) {
            store.SetValue(s.Setting, s.FirstItem(), qint16(value + k));
            entries[word] = BuildAuxImage(store, family, Context())[word];
            ApplyAuxImage(entries, family, Context(), read);
            EXPECT_EQ(std::pair(entries[word], read.Value(s.Setting, s.FirstItem())),
                      std::pair(texts[k], qint16(value + k)));
        }
        for (const QString &text : s.List(8)) {
            entries[word] = text;
            EXPECT_THROW(ApplyAuxImage(entries, family, Context(), read), CError) << text.toStdString();
        }
        for (const QString &unwritable : s.List(9)) {
            store.SetValue(s.Setting, s.FirstItem(), qint16(unwritable.toInt()));
            EXPECT_THROW(BuildAuxImage(store, family, Context()), CError) << unwritable.toStdString();
        }
    }
    QLocale::setDefault(before);
}

// The entries not sent, as runs: "12-44 54-80".
QString NoSendRuns(const QStringList &entries)
{
    QStringList runs;
    for (int i = 0, end = 0; i < entries.size(); i = end + 1) {
        for (end = i; entries[i] == kNoSend && end + 1 < entries.size() && entries[end + 1] == kNoSend;
             ++end) {
        }
        if (entries[i] == kNoSend)
            runs.append(QStringLiteral("%1-%2").arg(i).arg(end));
    }
    return runs.join(' ');
}

TEST(AuxConversion, NoSendFollowsLinearizationAndRelayModule)
{
    // Linearizzazione, NumSpezzate, SlotC: the entries not sent.
    const std::tuple<qint16, qint16, qint16, QString> cases[] = {
        {1, 16, 3, ""},      {0, 16, 3, "12-44"}, {2, 16, 3, "12-44"},     {1, 5, 3, "23-44"},
        {1, 0, 3, "13-44"},  {1, -1, 3, "13-44"}, {1, 16, 0, "45-80"},     {1, 16, 4, "45-80"},
        {1, 16, 1, "54-80"}, {1, 16, 2, "63-80"}, {0, 2, 1, "12-44 54-80"}};
    for (const auto &[linearizzazione, numSpezzate, slotC, noSend] : cases) {
        CMapSettingStore s = Distinct();
        s.SetValue(ESetting::Linearizzazione, 0, linearizzazione);
        s.SetValue(ESetting::NumSpezzate, 0, numSpezzate);
        s.SetValue(ESetting::SlotC, 0, slotC);
        const QStringList e = BuildAuxImage(s, EFamily::VABZOB, Context());
        EXPECT_EQ(std::pair(NoSendRuns(e), e[11]),
                  std::pair(noSend, QString(linearizzazione ? "YES" : "nonE")))
            << linearizzazione << " " << numSpezzate << " " << slotC;
    }
    EXPECT_EQ(NoSendRuns(BuildAuxImage(Distinct(), EFamily::QEM, Context())), "11-44");
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
    // The entry changed, its new text, and the setting and item that read back.
    const std::tuple<int, const char *, ESetting, int, qint16> cases[] = {
        {3, "99.9", ESetting::IntegrationTime, 0, 0},  {3, "99.9", ESetting::IntTime, 0, 1000},
        {3, "100.0", ESetting::IntegrationTime, 0, 1}, {3, "100.0", ESetting::IntTime, 0, 1000},
        {2, "xx", ESetting::MeasureType, 0, 1},        {51, "xx", ESetting::RelayStatus, 1, 0}};
    for (const auto &[index, text, setting, item, value] : cases) {
        QStringList changed = entries;
        changed[index] = text;
        CMapSettingStore s;
        ApplyAuxImage(changed, EFamily::VABZOB, Context(), s);
        EXPECT_EQ(s.Value(setting, item), value) << index << text;
    }
}
