#include "app/print/LayoutForms.h"
#include "app/print/PrintLayout.h"
#include "app/print/PrintPainter.h"
#include "common/ResString.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// Text measured in twips (the page at 1440 dots per inch): every character half an em wide,
// lines 1.2 em apart.
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

// A report of sections of items; every seventh value too long for one line.
QList<CReportRow> Report(int sections, int itemsPerSection)
{
    CReportRecordset report;
    report.AddRow(LoadResString(682));
    report.AddRow(LoadResString(683), LoadResString(684));
    for (int s = 0; s < sections; ++s) {
        report.AddRow(QStringLiteral("#SBAC#Section %1").arg(s));
        for (int i = 0; i < itemsPerSection; ++i) {
            const QString value =
                i % 7 == 3 ? QStringLiteral("a value that runs over more than one line of its cell")
                           : QString::number(i);
            report.AddRow(QStringLiteral("#SB#Item %1.%2").arg(s).arg(i), value);
        }
    }
    return report.Rows();
}

CLayoutInput Input(QList<CReportRow> rows, bool header, bool notes, bool numbers)
{
    CLayoutInput input;
    input.HeaderStyle = FIntestazioneDoc::Create();
    input.TableStyle = FGriglia::Create();
    input.Rows = std::move(rows);
    input.Options.EnableHeader = header;
    input.Options.EnableNote = notes;
    input.Options.Note1 = QStringLiteral("first");
    input.Options.Note2 = QStringLiteral("second");
    input.Options.EnablePageNumber = numbers;
    return input;
}

QList<const CPlacedItem *> Items(const CPrintPage &page, CPlacedItem::ERole role)
{
    QList<const CPlacedItem *> items;
    for (const CPlacedItem &item : page.Items) {
        if (item.Role == role)
            items.append(&item);
    }
    return items;
}

// Table rows must stand whole, in order and once, between the top of the content and bodyBottom.
void ExpectTableRows(const QList<CPrintPage> &pages, qsizetype firstTablePage, qsizetype rows,
                     qreal bodyBottom)
{
    QList<int> pageOfRow(rows, -1);
    for (qsizetype p = firstTablePage; p < pages.size(); ++p) {
        const auto headings = Items(pages[p], CPlacedItem::roColumnHeading);
        ASSERT_EQ(headings.size(), 2) << "page " << p;
        const qreal headingTop = p == firstTablePage
                                     ? Items(pages[p], CPlacedItem::roTitle).at(0)->Box.bottom()
                                     : kPage.Content.top();
        EXPECT_DOUBLE_EQ(headings[0]->Box.top(), headingTop) << "page " << p;
        qreal bottom = headings[0]->Box.bottom();
        qreal rowTop = bottom;
        qsizetype lastRow = -1;
        bool lastIsSection = false;
        for (const CPlacedItem &item : pages[p].Items) {
            if (item.Role != CPlacedItem::roCell && item.Role != CPlacedItem::roSection)
                continue;
            if (item.Row != lastRow) {
                EXPECT_EQ(pageOfRow[item.Row], -1) << "row " << item.Row << " placed twice";
                EXPECT_GE(item.Box.top(), bottom) << "row " << item.Row;
                EXPECT_LE(item.Box.bottom(), bodyBottom) << "row " << item.Row;
                pageOfRow[item.Row] = int(p);
                rowTop = item.Box.top();
                bottom = item.Box.bottom();
                lastRow = item.Row;
                lastIsSection = item.Role == CPlacedItem::roSection;
            } else {
                EXPECT_DOUBLE_EQ(item.Box.top(), rowTop) << "row " << item.Row << " split";
                EXPECT_DOUBLE_EQ(item.Box.bottom(), bottom) << "row " << item.Row << " split";
            }
            if (item.Role == CPlacedItem::roCell) {
                for (const QString &line : item.Lines)
                    EXPECT_LE(FixedMetrics().Width(item.Font, line), item.Box.width() - 2 * item.Padding);
            }
        }
        EXPECT_FALSE(lastIsSection && lastRow + 1 < rows) << "section " << lastRow << " left at the foot";
    }
    for (qsizetype row = 2; row < rows; ++row)
        EXPECT_NE(pageOfRow[row], -1) << "row " << row << " missing";
}

} // namespace

TEST(PrintLayout, EveryOptionOnHeadingPageFirstFootersOnEveryPage)
{
    const QList<CReportRow> rows = Report(8, 9);
    const QList<CPrintPage> pages = LayOutReport(Input(rows, true, true, true), kPage, FixedMetrics());

    ASSERT_GE(pages.size(), 4);
    const CPrintPage &heading = pages[0];
    EXPECT_TRUE(Items(heading, CPlacedItem::roCell).isEmpty());
    ASSERT_EQ(Items(heading, CPlacedItem::roHeaderFrame).size(), 1);
    // The box is wider than this paper: it is shrunk to the content's width.
    const QRectF frame = Items(heading, CPlacedItem::roHeaderFrame)[0]->Box;
    EXPECT_DOUBLE_EQ(frame.width(), kPage.Content.width());
    EXPECT_DOUBLE_EQ(frame.height(), 828 * kPage.Content.width() / 10692);
    for (const CPlacedItem *text : Items(heading, CPlacedItem::roHeaderText))
        EXPECT_TRUE(frame.contains(text->Box)) << text->Lines.value(0).toStdString();

    // Three text lines a page: two notes and the page number, under the table.
    const qreal footerTop = kPage.Content.bottom() - 2 * 8 * 24;
    for (qsizetype p = 0; p < pages.size(); ++p) {
        const auto notes = Items(pages[p], CPlacedItem::roNote);
        ASSERT_EQ(notes.size(), 2);
        EXPECT_EQ(notes[0]->Lines, QStringList("first"));
        EXPECT_EQ(notes[1]->Lines, QStringList("second"));
        EXPECT_DOUBLE_EQ(notes[0]->Box.top(), footerTop);
        const auto number = Items(pages[p], CPlacedItem::roPageNumber);
        ASSERT_EQ(number.size(), 1);
        EXPECT_EQ(number[0]->Lines, QStringList(QStringLiteral("%1 / %2").arg(p + 1).arg(pages.size())));
        EXPECT_LE(notes[1]->Box.right(), number[0]->Box.left());
    }
    EXPECT_EQ(Items(pages[1], CPlacedItem::roTitle).size(), 1);
    ExpectTableRows(pages, 1, rows.size(), footerTop - 120);
}

TEST(PrintLayout, EveryOptionOffTableFromTheFirstPageToTheFoot)
{
    const QList<CReportRow> rows = Report(8, 9);
    const QList<CPrintPage> pages = LayOutReport(Input(rows, false, false, false), kPage, FixedMetrics());

    ASSERT_GE(pages.size(), 3);
    for (const CPrintPage &page : pages) {
        EXPECT_TRUE(Items(page, CPlacedItem::roNote).isEmpty());
        EXPECT_TRUE(Items(page, CPlacedItem::roPageNumber).isEmpty());
        EXPECT_TRUE(Items(page, CPlacedItem::roHeaderFrame).isEmpty());
    }
    ExpectTableRows(pages, 0, rows.size(), kPage.Content.bottom());
    // A full page leaves less room than its next row at its foot.
    const qreal firstPageEnd = pages[0].Items.last().Box.bottom();
    EXPECT_GT(firstPageEnd, kPage.Content.bottom() - 2 * 432 - 2 * 8 * 24);
}

TEST(PrintLayout, TitleAndHeadingAloneWhenNoObjectPrints)
{
    const QList<CPrintPage> pages =
        LayOutReport(Input(Report(0, 0), false, false, true), kPage, FixedMetrics());
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(Items(pages[0], CPlacedItem::roTitle).size(), 1);
    EXPECT_EQ(Items(pages[0], CPlacedItem::roColumnHeading).size(), 2);
    EXPECT_EQ(Items(pages[0], CPlacedItem::roPageNumber)[0]->Lines, QStringList("1 / 1"));
}

TEST(PrintLayout, RowTallerThanAPageIsCutToThePage)
{
    QList<CReportRow> rows = Report(1, 2);
    rows.append({2, QStringLiteral("Long"), QString(40000, u'x')});
    rows.append({2, QStringLiteral("After"), QStringLiteral("1")});
    const QList<CPrintPage> pages = LayOutReport(Input(rows, false, false, false), kPage, FixedMetrics());

    ASSERT_EQ(pages.size(), 3);
    const auto tall = Items(pages[1], CPlacedItem::roCell);
    ASSERT_EQ(tall.size(), 2);
    EXPECT_EQ(tall[0]->Row, 5);
    EXPECT_DOUBLE_EQ(tall[0]->Box.bottom(), kPage.Content.bottom());
    EXPECT_EQ(Items(pages[2], CPlacedItem::roCell).at(0)->Row, 6);
}

TEST(PrintLayout, PictureShrinksToTheRoomAboveTheBoxAndNeverGrows)
{
    // The content's height less the gap and the heading box, shrunk to the content's width.
    const qreal kRoom = 14000 - 240 - 828 * 10000.0 / 10692;
    const std::tuple<QSizeF, QSizeF> cases[] = {
        {QSizeF(2000, 1000), QSizeF(2000, 1000)},
        {QSizeF(40000, 1000), QSizeF(10000, 250)},
        {QSizeF(1000, 40000), QSizeF(1000 * kRoom / 40000, kRoom)},
    };
    for (const auto &[own, printed] : cases) {
        CLayoutInput input = Input(Report(1, 1), true, false, false);
        input.PictureSize = own;
        const CPrintPage page = LayOutReport(input, kPage, FixedMetrics()).at(0);
        ASSERT_EQ(Items(page, CPlacedItem::roPicture).size(), 1);
        const QRectF picture = Items(page, CPlacedItem::roPicture)[0]->Box;
        EXPECT_NEAR(picture.width(), printed.width(), 1) << own.width();
        EXPECT_NEAR(picture.height(), printed.height(), 1) << own.width();
        EXPECT_DOUBLE_EQ(picture.center().x(), kPage.Content.center().x());
        EXPECT_LT(picture.bottom(), Items(page, CPlacedItem::roHeaderFrame)[0]->Box.top());
    }
}

TEST(PrintLayout, BreakLinesAtBlanksInsideAWordOnlyWhenItIsWider)
{
    const CPrintFont font{QStringLiteral("Times New Roman"), 8, false};
    const FixedMetrics metrics;
    const std::tuple<QString, int, QStringList> cases[] = {
        {"Minimum input range", 13, {"Minimum input", "range"}},
        {"Minimum input range", 19, {"Minimum input range"}},
        {"abcdefghij kl", 4, {"abcd", "efgh", "ij", "kl"}},
        {"one\ntwo three", 9, {"one", "two three"}},
        {"", 5, {""}},
    };
    for (const auto &[text, characters, lines] : cases)
        EXPECT_EQ(BreakLines(text, characters * 80, font, metrics), lines) << text.toStdString();
}

TEST(PrintLayout, LabelMarksAreNotPrinted)
{
    EXPECT_EQ(LabelText("#SB#Slot A"), "Slot A");
    EXPECT_EQ(LabelText("#SBAC#Electrical scale"), "Electrical scale");
    EXPECT_EQ(LabelText("Password"), "Password");
}

// The ruled lines of the heading box are longer than their boxes: painted, they stop at the
// box's edge, inside the frame.
TEST(PrintPainter, RuledLinesStopAtTheirBoxes)
{
    QImage image(1654, 2339, QImage::Format_RGB32); // A4 at 200 dpi
    image.setDotsPerMeterX(7874);
    image.setDotsPerMeterY(7874);
    image.fill(Qt::white);
    const CPageGeometry page{200, QRectF(79, 79, 1496, 2103)};
    const CDeviceTextMetrics metrics(&image);
    const CPrintPage heading = LayOutReport(Input(Report(0, 0), true, false, false), page, metrics).at(0);
    QPainter painter(&image);
    PaintPage(painter, heading, QImage());
    painter.end();

    const QRectF frame = Items(heading, CPlacedItem::roHeaderFrame)[0]->Box;
    int ruled = 0;
    for (const CPlacedItem *text : Items(heading, CPlacedItem::roHeaderText)) {
        if (!text->Lines.value(0).startsWith('_'))
            continue;
        ++ruled;
        const QRect band = text->Box.toAlignedRect();
        int inkRight = -1;
        for (int y = band.top(); y <= band.bottom(); ++y) {
            for (int x = band.left(); x < int(frame.right()) - 2; ++x) {
                if (qGray(image.pixel(x, y)) < 128)
                    inkRight = std::max(inkRight, x);
            }
        }
        EXPECT_GE(inkRight, band.right() - 3) << "the line reaches its box's end";
        EXPECT_LE(inkRight, band.right()) << "and stops there";
    }
    EXPECT_EQ(ruled, 2);
}
