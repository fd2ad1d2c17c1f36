#include "app/print/LayoutForms.h"
#include "app/print/PrintPainter.h"
#include "common/ResString.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

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
        report.AddRow(QStringLiteral("#SBAC#Section %1").arg(s));
        for (int i = 0; i < 9; ++i)
            report.AddRow(QStringLiteral("#SB#Item %1").arg(i),
                          i % 7 == 3 ? QString(70, 'v') : QString::number(i));
    }
    CLayoutInput input{
        FIntestazioneDoc::Create(), FGriglia::Create(), report.Rows(), {}, QSizeF(40000, 1000)};
    input.Options = {every, "logo.bmp", every, "first", "second", every};
    return input;
}

QList<const CPlacedItem *> Items(const CPrintPage &page, CPlacedItem::ERole role)
{
    QList<const CPlacedItem *> items;
    for (const CPlacedItem &item : page.Items) {
        if (item.Role == role)
            items << &item;
    }
    return items;
}

class PrintLayout : public ::testing::TestWithParam<bool>
{};

} // namespace

// The heading page first when asked for; the table's column headings at the top of every table
// page; every row once, whole, below the one before and above the foot (the notes, when asked
// for); no section heading left alone at the foot.
TEST_P(PrintLayout, RowsOnceWholeUnderTheHeadingsOfEveryPage)
{
    const bool every = GetParam();
    const CLayoutInput input = Input(every);
    const QList<CPrintPage> pages = LayOutReport(input, kPage, FixedMetrics());
    const qreal footerTop = kPage.Content.bottom() - (every ? 2 * 8 * 24 + 120 : 0);
    const qsizetype first = every ? 1 : 0;

    ASSERT_GE(pages.size(), first + 3);
    if (every) {
        // The box is wider than this paper and the picture much wider: both shrink to it.
        const QRectF frame = Items(pages[0], CPlacedItem::roHeaderFrame).at(0)->Box;
        const QRectF picture = Items(pages[0], CPlacedItem::roPicture).at(0)->Box;
        EXPECT_DOUBLE_EQ(frame.width(), kPage.Content.width());
        EXPECT_EQ(picture.size(), QSizeF(10000, 250));
        EXPECT_LT(picture.bottom(), frame.top());
    }
    QList<int> pageOfRow(input.Rows.size(), -1);
    for (qsizetype p = first; p < pages.size(); ++p) {
        const auto headings = Items(pages[p], CPlacedItem::roColumnHeading);
        ASSERT_EQ(headings.size(), 2) << p;
        EXPECT_EQ(headings[0]->Box.top(), p == first
                                              ? Items(pages[p], CPlacedItem::roTitle).at(0)->Box.bottom()
                                              : kPage.Content.top());
        qreal top = -1, bottom = headings[0]->Box.bottom();
        const CPlacedItem *last = nullptr;
        for (const CPlacedItem &item : pages[p].Items) {
            if (item.Role != CPlacedItem::roCell && item.Role != CPlacedItem::roSection)
                continue;
            if (!last || item.Row != last->Row) {
                EXPECT_EQ(pageOfRow[item.Row], -1) << "row " << item.Row << " twice";
                EXPECT_GE(item.Box.top(), bottom);
                EXPECT_LE(item.Box.bottom(), footerTop);
                pageOfRow[item.Row] = int(p);
                top = item.Box.top();
                bottom = item.Box.bottom();
            }
            EXPECT_EQ(QPointF(item.Box.top(), item.Box.bottom()), QPointF(top, bottom)) << "row " << item.Row;
            last = &item;
        }
        EXPECT_NE(last->Role, CPlacedItem::roSection) << "page " << p;
    }
    EXPECT_EQ(pageOfRow.count(-1), 2) << "the title and heading rows only";
}

INSTANTIATE_TEST_SUITE_P(Options, PrintLayout, ::testing::Values(true, false));

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

    const qreal frameRight = Items(heading, CPlacedItem::roHeaderFrame).at(0)->Box.right();
    int ruled = 0;
    for (const CPlacedItem *text : Items(heading, CPlacedItem::roHeaderText)) {
        const QRect band = text->Box.toAlignedRect();
        int inkRight = -1;
        for (int y = band.top(); y <= band.bottom(); ++y) {
            for (int x = band.left(); x < int(frameRight) - 2; ++x) {
                if (qGray(image.pixel(x, y)) < 128)
                    inkRight = std::max(inkRight, x);
            }
        }
        if (!text->Lines.value(0).startsWith('_'))
            continue;
        ++ruled;
        EXPECT_GE(inkRight, band.right() - 3) << "the line reaches its box's end";
        EXPECT_LE(inkRight, band.right()) << "and stops there";
    }
    EXPECT_EQ(ruled, 2);
}
