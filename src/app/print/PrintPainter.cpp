#include "app/print/PrintPainter.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>

QFont PrintFont(const CPrintFont &font)
{
    QFont qfont(font.Family);
    qfont.setPointSizeF(font.PointSize > 0 ? font.PointSize : 8);
    qfont.setBold(font.Bold);
    // Hinting would fit the glyphs to the screen's pixels and measure them unlike the paper.
    qfont.setHintingPreference(QFont::PreferNoHinting);
    return qfont;
}

const QFontMetricsF &CDeviceTextMetrics::Metrics(const CPrintFont &font) const
{
    const auto key = std::make_pair(font.Family, std::make_pair(font.PointSize, font.Bold));
    auto found = m_Metrics.find(key);
    if (found == m_Metrics.end())
        found = m_Metrics.emplace(key, QFontMetricsF(PrintFont(font), m_Device)).first;
    return found->second;
}

CPageGeometry PageGeometry(const QPagedPaintDevice &device, const QMarginsF &marginsMillimetres)
{
    const int resolution = device.logicalDpiX();
    const QPageLayout layout = device.pageLayout();
    const QRectF paintRect = layout.paintRectPixels(resolution);
    // The painter's origin is the top left corner of the printable area.
    const QRectF paper = QRectF(layout.fullRectPixels(resolution)).translated(-paintRect.topLeft());
    const qreal perMillimetre = resolution / 25.4;
    const QMarginsF margins = marginsMillimetres * perMillimetre;
    CPageGeometry geometry;
    geometry.Resolution = resolution;
    geometry.Content = paper.marginsRemoved(margins).intersected(QRectF(QPointF(0, 0), paintRect.size()));
    return geometry;
}

namespace {

// A side runs along the box's edge, so neighbouring boxes rule their common side as one line;
// it stands out of the box by half its width, no more.
void PaintBox(QPainter &painter, const CPlacedItem &item)
{
    if (item.DrawBox == 0 || item.LineWidth <= 0)
        return;
    if (painter.pen().widthF() != item.LineWidth || painter.pen().capStyle() != Qt::SquareCap)
        painter.setPen(QPen(Qt::black, item.LineWidth, Qt::SolidLine, Qt::SquareCap));
    const QRectF &r = item.Box;
    QLineF sides[4];
    int count = 0;
    if (item.DrawBox & CStyleRow::dbLeft)
        sides[count++] = QLineF(r.topLeft(), r.bottomLeft());
    if (item.DrawBox & CStyleRow::dbTop)
        sides[count++] = QLineF(r.topLeft(), r.topRight());
    if (item.DrawBox & CStyleRow::dbRight)
        sides[count++] = QLineF(r.topRight(), r.bottomRight());
    if (item.DrawBox & CStyleRow::dbBottom)
        sides[count++] = QLineF(r.bottomLeft(), r.bottomRight());
    painter.drawLines(sides, count);
}

void PaintText(QPainter &painter, const CPlacedItem &item)
{
    qreal y = item.Box.top() + (item.Box.height() - item.Lines.size() * item.LineSpacing) / 2 + item.Baseline;
    for (qsizetype i = 0; i < item.Lines.size(); ++i) {
        painter.drawText(QPointF(item.Box.left() + item.LineLeft.value(i), y), item.Lines[i]);
        y += item.LineSpacing;
    }
}

} // namespace

void PaintPage(QPainter &painter, const CPrintPage &page, const QImage &picture)
{
    // A page uses a handful of fonts, back and forth.
    QList<std::pair<CPrintFont, QFont>> fonts;
    const auto font = [&fonts](const CPrintFont &wanted) {
        for (const auto &[printFont, qfont] : fonts) {
            if (printFont == wanted)
                return qfont;
        }
        fonts.append({wanted, PrintFont(wanted)});
        return fonts.last().second;
    };
    // Every page starts from the painter as it was begun: a preview records each page apart,
    // and a clip left over from the page before would cut everything on the next.
    painter.save();
    CPrintFont current;
    for (const CPlacedItem &item : page.Items) {
        if (item.Clip) {
            painter.save();
            painter.setClipRect(item.Box);
        }
        if (item.Role == CPlacedItem::roPicture) {
            if (!picture.isNull())
                painter.drawImage(item.Box, picture);
        } else if (!item.Lines.isEmpty()) {
            if (!(item.Font == current)) {
                current = item.Font;
                painter.setFont(font(current));
            }
            // Text is painted with the pen's colour; the lines' pen serves as well.
            if (painter.pen().color() != Qt::black)
                painter.setPen(Qt::black);
            PaintText(painter, item);
        }
        if (item.Clip) {
            painter.restore();
            current = {};
        }
        PaintBox(painter, item);
    }
    painter.restore();
}
