// The printout as data: the report rows by the print rules, the pages the layout engine makes of
// them, and what the painter draws of a ruled line.
#include "Print_fixture.h"
#include "app/print/LayoutForms.h"
#include "app/print/PrintPainter.h"
#include "app/print/PrintReport.h"

#include <QPainter>

namespace {

// The names of the codes of model and slots A to D, in code order.
const QList<QStringList> kModuleNames = {{"EKA35", "EKA40", "IXO"},
                                         {"VAB", "VAKVAM", "ZOB", "QEM"},
                                         {"-", "QZ", "ZQ", "KQ"},
                                         {"-", "Z3", "Z5", "Z8Z9", "KQ"},
                                         {"-", "KQ"}};
static_assert(Modello::IXO == 2 && SlotAModule::QEM == 3 && SlotBModule::KQ == 3 && SlotCModule::KQ == 4 &&
              SlotDModule::KQ == 1);

using PrintReport = Cases<ArchiveTest, QStringList>;

// The title and heading rows, then the rows of the printed objects, each with its context (the
// alarm set-points with the scale's decimal point). The cases of tests/data/print_rules.tsv.
TEST_P(PrintReport, ArchivedConfigurationPrintsItsSectionsInOrder)
{
    const QStringList modules = GetParam()[1].split(' ');
    qint16 codes[5];
    for (int i = 0; i < 5; ++i)
        codes[i] = qint16(kModuleNames[i].indexOf(modules[i]));
    CConfiguration configuration;
    configuration.ModInstr().SetNomeProgramma(GetParam()[0]);
    SetModules(configuration, codes[0], codes[1], codes[2], codes[3], codes[4], modules.contains("lin"));
    configuration.InOutScale().SetMeasureDigitalPoint(1);
    for (int n = 1; n <= CConfiguration::kAlarms; ++n)
        configuration.Alarm(n).SetAlarmSetPoint(qint16(250 + n));
    const qint32 id = g_Connection->NewID();
    configuration.Add(id);

    CReportRecordset expected;
    expected.AddRow(LoadResString(682));
    expected.AddRow(LoadResString(683), LoadResString(684));
    configuration.ApplyContext();
    const QStringList printed = GetParam()[2].split(' ');
    for (const QString &name : printed)
        for (CConfigClass *object : configuration.Objects())
            if (object->ClassName() == name)
                object->SetReport(expected);
    const auto texts = [](const CReportRecordset &report) {
        QStringList rows;
        for (const CReportRow &row : report.Rows())
            rows << row.Column1 + '|' + row.Column2;
        return rows;
    };
    EXPECT_EQ(texts(PreparePrintData(id)), texts(expected));
}

INSTANTIATE_TEST_SUITE_P(Modules, PrintReport, ::testing::ValuesIn(ReadDataTable("print_rules.tsv")),
                         CaseName());

// Text measured in twips (the page at 1440 dots per inch): characters half an em wide, lines
// 1.2 em apart.
class FixedMetrics : public CTextMetrics
{
public:
    qreal LineSpacing(const CPrintFont &font) const override { return font.PointSize * 24; }
    qreal Ascent(const CPrintFont &font) const override { return font.PointSize * 16; }
    qreal Descent(const CPrintFont &font) const override { return font.PointSize * 4; }
    qreal Width(const CPrintFont &font, const QString &text) const override
    {
        return text.size() * font.PointSize * 10;
    }
};

const CPageGeometry kPage{1440, QRectF(1000, 800, 10000, 14000)};

// Eight sections of nine items; every seventh value too long for one line.
CLayoutInput Input(bool every)
{
    CReportRecordset report;
    report.AddRow(LoadResString(682));
    report.AddRow(LoadResString(683), LoadResString(684));
    for (int s = 0; s < 8; ++s) {
        report.AddRow(QString("#SBAC#Section %1").arg(s));
        for (int i = 0; i < 9; ++i)
            report.AddRow(QString("#SB#Item %1").arg(i), i % 7 == 3 ? QString(70, 'v') : QString::number(i));
    }
    return {FIntestazioneDoc::Create(),
            FGriglia::Create(),
            report.Rows(),
            {every, "logo.bmp", every, "first", "second", every},
            QSizeF(40000, 1000)};
}

// The first item of the role on the page; an empty one when there is none.
const CPlacedItem &First(const CPrintPage &page, CPlacedItem::ERole role)
{
    static const CPlacedItem none;
    const auto item = std::find_if(page.Items.begin(), page.Items.end(),
                                   [role](const CPlacedItem &i) { return i.Role == role; });
    return item == page.Items.end() ? none : *item;
}

using PrintLayout = Cases<::testing::Test, bool>;

// The heading page first when asked for, its picture and box shrunk to the paper; the table's
// column headings at the top of every table page; every row once, whole, below the one before
// and above the foot (the notes, when asked for); no section heading left alone at the foot.
TEST_P(PrintLayout, RowsOnceWholeUnderTheHeadingsOfEveryPage)
{
    const bool every = GetParam();
    const CLayoutInput input = Input(every);
    const QList<CPrintPage> pages = LayOutReport(input, kPage, FixedMetrics());
    const qreal footerTop = kPage.Content.bottom() - (every ? 2 * 8 * 24 + 120 : 0);
    const qsizetype first = every ? 1 : 0;
    ASSERT_GE(pages.size(), first + 3);
    if (every) {
        const QRectF frame = First(pages[0], CPlacedItem::roHeaderFrame).Box,
                     picture = First(pages[0], CPlacedItem::roPicture).Box;
        EXPECT_EQ(std::tuple(frame.width(), picture.size(), picture.bottom() < frame.top()),
                  std::tuple(kPage.Content.width(), QSizeF(10000, 250), true));
    }
    QList<qsizetype> pageOfRow(input.Rows.size(), -1);
    for (qsizetype p = first; p < pages.size(); ++p) {
        const CPlacedItem &heading = First(pages[p], CPlacedItem::roColumnHeading);
        EXPECT_EQ(heading.Box.top(),
                  p == first ? First(pages[p], CPlacedItem::roTitle).Box.bottom() : kPage.Content.top());
        const CPlacedItem *last = &heading;
        for (const CPlacedItem &item : pages[p].Items) {
            if (item.Role != CPlacedItem::roCell && item.Role != CPlacedItem::roSection)
                continue;
            // Whole; a new row on no page before, below the last and above the foot, else in the
            // band of its row.
            EXPECT_TRUE(!item.Clip &&
                        (item.Row != last->Row
                             ? pageOfRow[item.Row] == -1 && item.Box.top() >= last->Box.bottom() &&
                                   item.Box.bottom() <= footerTop
                             : item.Box.top() == last->Box.top() && item.Box.bottom() == last->Box.bottom()))
                << "row " << item.Row << " page " << p;
            pageOfRow[item.Row] = p;
            last = &item;
        }
        EXPECT_NE(last->Role, CPlacedItem::roSection) << "page " << p;
    }
    EXPECT_EQ(pageOfRow.count(-1), 2) << "the title and heading rows only";
}

INSTANTIATE_TEST_SUITE_P(Options, PrintLayout, ::testing::Bool());

// The style rows of both layout forms against tests/data/layout_forms.tsv, typed from the forms'
// design.
TEST(LayoutForms, RowsAsTheFormsAreDrawn)
{
    QMap<QString, CStyleRecordset> drawn;
    for (const QStringList &f : ReadDataTable("layout_forms.tsv")) {
        const auto text = [&f](int i) {
            return f[i] == "-" ? QString() : f[i].startsWith("_*") ? QString(f[i].mid(2).toInt(), '_') : f[i];
        };
        const auto number = [&text](int i) { return qint16(text(i).toInt()); };
        drawn[f[0]].append({text(1), number(2), number(3), number(4), number(5), number(6), number(7),
                            text(8) == "True", number(9), text(10), text(11) == "True", number(12),
                            number(13), number(14), text(15)});
    }
    EXPECT_EQ(FGriglia::Create(), drawn["FGriglia"]);
    EXPECT_EQ(FIntestazioneDoc::Create(), drawn["FIntestazioneDoc"]);
}

// A style key the table's styles lack stops the program with its name, never prints quietly.
TEST(PrintLayoutDeath, MissingTableStyleIsAFailedAssertion)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    CLayoutInput input = Input(false);
    input.TableStyle[1].Key = "Col1TitleStile";
    // The text goes to standard error, not to a message box nobody closes.
    EXPECT_EXIT(
        {
            CTraceCode::SetAssertNotifier({});
            LayOutReport(input, kPage, FixedMetrics());
        },
        ::testing::ExitedWithCode(EXIT_FAILURE), "Stile di stampa non trovato: Col1TitleStyle");
}

// One row on the page (no heading page, no foot): the title takes 800-1136, the column headings
// 1136-1472 (800-1136 on later pages), a one-line row 432 twips; a cell's text stands 60 in.
// Placed: "page top-bottom", then each cell: its lines, "cut", "@" its first line's left.
TEST(PrintLayout, ARowOnItsPage)
{
    // What, one-line rows before it, its texts (one: a section heading), alignment and multiline
    // of both data columns, placed.
    const std::tuple<const char *, int, QStringList, qint16, bool, QString> cases[] = {
        {"taller than the room left goes over whole",
         30,
         {"Name", "a\nb\nc"},
         0,
         true,
         "1 1136-1772 1@60 3@60"},
        {"taller than a page is cut at the foot",
         0,
         {"Name", QStringList(80, "x").join('\n')},
         0,
         true,
         "0 1472-14800 1 cut@60 80 cut@60"},
        {"one line wider than its column is cut",
         0,
         {"Name", QString(700, 'v')},
         0,
         false,
         "0 1472-1904 1@60 1 cut@60"},
        {"right aligned", 0, {"abc", "abc"}, CStyleRow::alRight, true, "0 1472-1904 1@4700 1@4700"},
        {"centred", 0, {"abc", "abc"}, CStyleRow::alCenter, true, "0 1472-1904 1@2380 1@2380"},
        {"section heading at the foot goes over with its first row",
         29,
         {"#SBAC#S"},
         0,
         true,
         "1 1136-1568 1@4960"},
    };
    for (const auto &[what, before, texts, alignment, multiline, placed] : cases) {
        CReportRecordset report;
        report.AddRow("Title");
        report.AddRow("Name", "Value");
        for (int i = 0; i < before; ++i)
            report.AddRow("Row", "1");
        texts.size() == 1 ? report.AddRow(texts[0]) : report.AddRow(texts[0], texts[1]);
        report.AddRow("After", "2");
        CLayoutInput input{{}, FGriglia::Create(), report.Rows(), {}, {}};
        input.TableStyle[3].Alignment = input.TableStyle[4].Alignment = alignment;
        input.TableStyle[3].Multiline = input.TableStyle[4].Multiline = multiline;
        const QList<CPrintPage> pages = LayOutReport(input, kPage, FixedMetrics());
        QString shown;
        for (qsizetype page = 0; page < pages.size(); ++page)
            for (const CPlacedItem &cell : pages[page].Items)
                if (cell.Row == before + 2)
                    shown += (shown.isEmpty()
                                  ? QString("%1 %2-%3").arg(page).arg(cell.Box.top()).arg(cell.Box.bottom())
                                  : QString()) +
                             QString(" %1%2@%3")
                                 .arg(cell.Lines.size())
                                 .arg(cell.Clip ? " cut" : "")
                                 .arg(cell.LineLeft[0]);
        EXPECT_EQ(shown, placed) << what;
    }
}

TEST(BreakLines, AtBlanksInsideAWordOnlyWhenItIsWider)
{
    const std::tuple<QString, int, QStringList> cases[] = {
        {"Minimum input range", 13, {"Minimum input", "range"}},
        {"Minimum input range", 19, {"Minimum input range"}},
        {"abcdefghij kl", 4, {"abcd", "efgh", "ij", "kl"}},
        {"one\ntwo three", 9, {"one", "two three"}},
    };
    for (const auto &[text, characters, lines] : cases)
        EXPECT_EQ(BreakLines(text, characters * 80, {"Times New Roman", 8, false}, FixedMetrics()), lines);
}

// The ruled lines of the heading box are longer than their boxes: painted, they stop at the
// box's edge, inside the frame.
TEST(PrintPainter, RuledLinesStopAtTheirBoxes)
{
    QImage image(1654, 2339, QImage::Format_RGB32); // A4 at 200 dpi
    image.setDotsPerMeterX(7874);
    image.setDotsPerMeterY(7874);
    image.fill(Qt::white);
    CLayoutInput input = Input(false);
    input.Options.EnableHeader = true;
    const CPrintPage heading =
        LayOutReport(input, {200, QRectF(79, 79, 1496, 2103)}, CDeviceTextMetrics(&image)).at(0);
    QPainter painter(&image);
    PaintPage(painter, heading, QImage());
    painter.end();

    const int frameRight = int(First(heading, CPlacedItem::roHeaderFrame).Box.right());
    QList<int> ends;
    for (const CPlacedItem &text : heading.Items) {
        if (text.Role != CPlacedItem::roHeaderText || !text.Lines.value(0).startsWith('_'))
            continue;
        const QRect band = text.Box.toAlignedRect();
        int inkRight = -1;
        for (int y = band.top(); y <= band.bottom(); ++y)
            for (int x = band.left(); x < frameRight - 2; ++x)
                if (qGray(image.pixel(x, y)) < 128)
                    inkRight = std::max(inkRight, x);
        // The line reaches its box's end and stops there.
        ends << (inkRight >= band.right() - 3 && inkRight <= band.right() ? 0 : inkRight - band.right());
    }
    EXPECT_EQ(ends, QList<int>({0, 0}));
}

} // namespace
