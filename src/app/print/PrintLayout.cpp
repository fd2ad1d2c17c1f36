#include "app/print/PrintLayout.h"

#include "common/TraceCode.h"
#include "model/Option.h"

#include <algorithm>

namespace {

const QString kSectionMark = QStringLiteral("#SBAC#");
const QString kLabelMark = QStringLiteral("#SB#");

constexpr qreal kTwipsPerInch = 1440;
// Room between a cell's lines and its text, across and above and below.
constexpr qreal kCellPaddingTwips = 60;
constexpr qreal kCellLeadingTwips = 30;
constexpr qreal kFooterGapTwips = 120;
constexpr qreal kPictureGapTwips = 240;
// A style's line width counts pixels of the screen its form was drawn on.
constexpr qreal kLineWidthTwips = 15;

// Cells of one table row, laid out across the page and waiting for their place down it.
struct CRowBlock
{
    QList<CPlacedItem> Cells;
    qreal Height = 0;
};

Qt::Alignment HorizontalAlignment(qint16 alignment)
{
    switch (alignment) {
    case CStyleRow::alRight:
        return Qt::AlignRight;
    case CStyleRow::alCenter:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

// Places the lines of a text item across its box and its baseline down each line.
void SetLines(CPlacedItem &item, QStringList lines, const CTextMetrics &metrics)
{
    const CPrintFont &font = item.Font;
    item.LineSpacing = metrics.LineSpacing(font);
    const qreal ascent = metrics.Ascent(font);
    item.Baseline = (item.LineSpacing - ascent - metrics.Descent(font)) / 2 + ascent;
    item.Lines = std::move(lines);
    item.LineLeft.clear();
    const qreal room = item.Box.width() - 2 * item.Padding;
    for (const QString &line : item.Lines) {
        qreal left = item.Padding;
        if (item.Alignment & (Qt::AlignRight | Qt::AlignHCenter)) {
            const qreal spare = room - metrics.Width(font, line);
            left += item.Alignment & Qt::AlignRight ? spare : spare / 2;
        }
        item.LineLeft.append(left);
    }
}

class CLayout
{
public:
    CLayout(const CLayoutInput &input, const CPageGeometry &page, const CTextMetrics &metrics)
        : m_Input(input), m_Page(page), m_Metrics(metrics)
    {
        m_DataStyle = TableStyle(QStringLiteral("Col1DataStyle"));
        m_FooterFont = Font(m_DataStyle);
        m_FooterLineSpacing = m_Metrics.LineSpacing(m_FooterFont);
        m_FooterLines = m_Input.Options.EnableNote ? 2 : (m_Input.Options.EnablePageNumber ? 1 : 0);
        const QRectF &content = m_Page.Content;
        m_BodyBottom = content.bottom();
        if (m_FooterLines > 0)
            m_BodyBottom -= m_FooterLines * m_FooterLineSpacing + Twips(kFooterGapTwips);
    }

    QList<CPrintPage> Run()
    {
        if (m_Input.Options.EnableHeader)
            HeadingPage();
        TablePages();
        Footers();
        return m_Pages;
    }

private:
    qreal Twips(qreal twips) const { return twips * m_Page.Resolution / kTwipsPerInch; }

    // A key the table's styles lack is a fault of the layout forms: it must never print quietly
    // in some other look.
    const CStyleRow &TableStyle(const QString &key) const
    {
        const auto found = std::find_if(m_Input.TableStyle.begin(), m_Input.TableStyle.end(),
                                        [&key](const CStyleRow &row) { return row.Key == key; });
        g_Trace->BugAssert(found != m_Input.TableStyle.end(),
                           QStringLiteral("Stile di stampa non trovato: ") + key);
        return *found;
    }

    static CPrintFont Font(const CStyleRow &style, qreal scale = 1)
    {
        return {style.FontName, style.FontSize * scale, style.FontBold};
    }

    // A text element of the given width; Box gets its height from the row it stands in.
    CPlacedItem Text(CPlacedItem::ERole role, qsizetype row, const CStyleRow &style, const CPrintFont &font,
                     const QString &text, qreal left, qreal width, qreal padding) const
    {
        CPlacedItem item;
        item.Role = role;
        item.Row = row;
        item.Box = QRectF(left, 0, width, 0);
        item.Font = font;
        item.Alignment = HorizontalAlignment(style.Alignment);
        item.Padding = padding;
        if (style.Multiline) {
            SetLines(item, BreakLines(text, width - 2 * padding, font, m_Metrics), m_Metrics);
        } else {
            SetLines(item, {text}, m_Metrics);
            item.Clip = m_Metrics.Width(font, text) > width - 2 * padding;
        }
        item.DrawBox = style.DrawBox;
        item.LineWidth = style.LineWidth * Twips(kLineWidthTwips);
        return item;
    }

    qreal CellHeight(const CStyleRow &style, const CPlacedItem &cell) const
    {
        return std::max(Twips(style.Height),
                        cell.Lines.size() * cell.LineSpacing + 2 * Twips(kCellLeadingTwips));
    }

    // Title and section rows span the table; a two-text row has a cell per column.
    CRowBlock Row(qsizetype index, CPlacedItem::ERole role, const CStyleRow &style1,
                  const CStyleRow &style2) const
    {
        const CReportRow &row = m_Input.Rows.at(index);
        const QRectF &content = m_Page.Content;
        const qreal padding = Twips(kCellPaddingTwips);
        CRowBlock block;
        if (row.nColumn == 2) {
            const qreal half = content.width() / 2;
            block.Cells = {
                Text(role, index, style1, Font(style1), LabelText(row.Column1), content.left(), half,
                     padding),
                Text(role, index, style2, Font(style2), row.Column2, content.left() + half, half, padding)};
            block.Height = std::max(CellHeight(style1, block.Cells[0]), CellHeight(style2, block.Cells[1]));
            return block;
        }
        CStyleRow style = style1;
        if (role == CPlacedItem::roCell) {
            role = CPlacedItem::roSection;
            if (row.Column1.startsWith(kSectionMark)) {
                style.FontBold = true;
                style.Alignment = CStyleRow::alCenter;
            }
        }
        block.Cells = {Text(role, index, style, Font(style), LabelText(row.Column1), content.left(),
                            content.width(), padding)};
        block.Height = CellHeight(style, block.Cells[0]);
        return block;
    }

    CRowBlock BodyRow(qsizetype index) const
    {
        return Row(index, CPlacedItem::roCell, m_DataStyle, TableStyle(QStringLiteral("Col2DataStyle")));
    }

    // Sets the row down at m_Y on the last page; a row taller than the room left is cut to it.
    void Place(CRowBlock block)
    {
        const qreal height = std::min(block.Height, std::max<qreal>(m_BodyBottom - m_Y, 0));
        for (CPlacedItem &cell : block.Cells) {
            cell.Box.setTop(m_Y);
            cell.Box.setHeight(height);
            cell.Clip = cell.Clip || height < block.Height;
            m_Pages.last().Items.append(cell);
        }
        m_Y += height;
    }

    void NewPage()
    {
        m_Pages.append(CPrintPage());
        m_Y = m_Page.Content.top();
    }

    void HeadingPage()
    {
        NewPage();
        const QRectF &content = m_Page.Content;

        CStyleRow frame;
        frame.Width = 0;
        for (const CStyleRow &row : m_Input.HeaderStyle) {
            if (row.Tag == CStyleRow::tagFrame) {
                frame = row;
                break;
            }
        }
        const QSizeF form(Twips(frame.Width), Twips(frame.Height));
        // A paper narrower than the box shrinks it, texts included, rather than cut it.
        const qreal scale = form.width() > content.width() ? content.width() / form.width() : 1;
        const QSizeF box = form * scale;

        const QSizeF picture = m_Input.PictureSize;
        if (!picture.isEmpty()) {
            const qreal gap = Twips(kPictureGapTwips);
            const qreal room = m_BodyBottom - m_Y - box.height() - gap;
            const qreal shrink =
                std::min({qreal(1), content.width() / picture.width(), room / picture.height()});
            if (shrink > 0) {
                CPlacedItem item;
                item.Role = CPlacedItem::roPicture;
                const QSizeF size = picture * shrink;
                item.Box = QRectF(QPointF(content.left() + (content.width() - size.width()) / 2, m_Y), size);
                m_Pages.last().Items.append(item);
                m_Y += size.height() + gap;
            }
        }

        const QPointF origin(content.left() + (content.width() - box.width()) / 2, m_Y);
        for (const CStyleRow &row : m_Input.HeaderStyle) {
            const QRectF rect(origin.x() + Twips(row.Left) * scale, origin.y() + Twips(row.Top) * scale,
                              Twips(row.Width) * scale, Twips(row.Height) * scale);
            CPlacedItem item;
            if (row.Tag == CStyleRow::tagFrame) {
                item.Role = CPlacedItem::roHeaderFrame;
                item.DrawBox = row.DrawBox;
                item.LineWidth = row.LineWidth * Twips(kLineWidthTwips);
            } else {
                item = Text(CPlacedItem::roHeaderText, -1, row, Font(row, scale), row.Text, rect.left(),
                            rect.width(), 0);
            }
            item.Box = rect;
            m_Pages.last().Items.append(item);
        }
    }

    void TablePages()
    {
        NewPage();
        const qsizetype count = m_Input.Rows.size();
        if (count > 0) {
            const CStyleRow title = TableStyle(QStringLiteral("CaptionTableStyle"));
            Place(Row(0, CPlacedItem::roTitle, title, title));
        }
        if (count < 2)
            return;
        const CRowBlock heading =
            Row(1, CPlacedItem::roColumnHeading, TableStyle(QStringLiteral("Col1TitleStyle")),
                TableStyle(QStringLiteral("Col2TitleStyle")));
        Place(heading);

        bool pageHasRows = false;
        for (qsizetype index = 2; index < count; ++index) {
            const CRowBlock block = BodyRow(index);
            qreal needed = block.Height;
            // A section heading goes over with the first row of its section.
            if (block.Cells.size() == 1 && index + 1 < count)
                needed += BodyRow(index + 1).Height;
            if (pageHasRows && m_Y + needed > m_BodyBottom) {
                NewPage();
                Place(heading);
            }
            Place(block);
            pageHasRows = true;
        }
    }

    void Footers()
    {
        if (m_FooterLines == 0)
            return;
        const CPrintOptions &options = m_Input.Options;
        const QRectF &content = m_Page.Content;
        const qsizetype pages = m_Pages.size();
        const qreal top = content.bottom() - m_FooterLines * m_FooterLineSpacing;

        qreal numberWidth = 0;
        if (options.EnablePageNumber) {
            numberWidth =
                m_Metrics.Width(m_FooterFont, PageNumberText(pages, pages)) + Twips(kCellPaddingTwips);
        }
        const auto line = [&](CPlacedItem::ERole role, const QString &text, qreal y, qreal left, qreal width,
                              Qt::Alignment alignment) {
            CPlacedItem item;
            item.Role = role;
            item.Box = QRectF(left, y, width, m_FooterLineSpacing);
            item.Font = m_FooterFont;
            item.Alignment = alignment;
            SetLines(item, {text}, m_Metrics);
            item.Clip = m_Metrics.Width(m_FooterFont, text) > width;
            return item;
        };
        for (qsizetype page = 0; page < pages; ++page) {
            QList<CPlacedItem> &items = m_Pages[page].Items;
            if (options.EnableNote) {
                const qreal width = content.width() - numberWidth;
                items.append(
                    line(CPlacedItem::roNote, options.Note1, top, content.left(), width, Qt::AlignLeft));
                items.append(line(CPlacedItem::roNote, options.Note2, top + m_FooterLineSpacing,
                                  content.left(), width, Qt::AlignLeft));
            }
            if (options.EnablePageNumber) {
                items.append(line(CPlacedItem::roPageNumber, PageNumberText(page + 1, pages),
                                  content.bottom() - m_FooterLineSpacing, content.right() - numberWidth,
                                  numberWidth, Qt::AlignRight));
            }
        }
    }

    static QString PageNumberText(qsizetype page, qsizetype pages)
    {
        return QStringLiteral("%1 / %2").arg(page).arg(pages);
    }

    const CLayoutInput &m_Input;
    const CPageGeometry &m_Page;
    const CTextMetrics &m_Metrics;
    CStyleRow m_DataStyle;
    CPrintFont m_FooterFont;
    qreal m_FooterLineSpacing = 0;
    int m_FooterLines = 0;
    qreal m_BodyBottom = 0;
    qreal m_Y = 0;
    QList<CPrintPage> m_Pages;
};

// The longest beginning of word no wider than width; at least one character, so a line
// always moves on.
qsizetype FittingLength(const QString &word, qreal width, const CPrintFont &font, const CTextMetrics &metrics)
{
    qsizetype length = 1;
    while (length < word.size() && metrics.Width(font, word.left(length + 1)) <= width)
        ++length;
    return length;
}

} // namespace

CPrintOptions PrintOptions(const COption &option)
{
    CPrintOptions options;
    options.EnableHeader = option.PrintHeaderPage();
    options.HeaderPicture = option.HeaderPagePath();
    options.EnableNote = option.PrintNotePiePagina();
    options.Note1 = option.NotePiePagina1();
    options.Note2 = option.NotePiePagina2();
    options.EnablePageNumber = option.PrintPageNumber();
    return options;
}

QList<CPrintPage> LayOutReport(const CLayoutInput &input, const CPageGeometry &page,
                               const CTextMetrics &metrics)
{
    return CLayout(input, page, metrics).Run();
}

QStringList BreakLines(const QString &text, qreal width, const CPrintFont &font, const CTextMetrics &metrics)
{
    // Most texts fit as they are.
    if (!text.contains(QLatin1Char('\n')) && metrics.Width(font, text) <= width)
        return {text};
    QStringList lines;
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString &word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (metrics.Width(font, candidate) <= width) {
                line = candidate;
                continue;
            }
            if (!line.isEmpty())
                lines.append(line);
            line = word;
            while (line.size() > 1 && metrics.Width(font, line) > width) {
                const qsizetype length = FittingLength(line, width, font, metrics);
                lines.append(line.left(length));
                line = line.mid(length);
            }
        }
        lines.append(line);
    }
    return lines;
}

QString LabelText(const QString &label)
{
    for (const QString &mark : {kSectionMark, kLabelMark}) {
        if (label.startsWith(mark))
            return label.mid(mark.size());
    }
    return label;
}
