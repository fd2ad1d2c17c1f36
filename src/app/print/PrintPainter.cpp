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

void PaintBox(QPainter &painter, const CPlacedItem &item)
{
    if (item.DrawBox == 0 || item.LineWidth <= 0)
        return;
    // A side runs along the box's edge, so neighbouring boxes rule their common side as one
    // line; it may stand out of the box by half its width, no more.
    const qreal half = item.LineWidth / 2;
    painter.setClipRect(item.Box.adjusted(-half, -half, half, half));
    painter.setPen(QPen(Qt::black, item.LineWidth, Qt::SolidLine, Qt::SquareCap));
    const QRectF &r = item.Box;
    if (item.DrawBox & CStyleRow::dbLeft)
        painter.drawLine(r.topLeft(), r.bottomLeft());
    if (item.DrawBox & CStyleRow::dbTop)
        painter.drawLine(r.topLeft(), r.topRight());
    if (item.DrawBox & CStyleRow::dbRight)
        painter.drawLine(r.topRight(), r.bottomRight());
    if (item.DrawBox & CStyleRow::dbBottom)
        painter.drawLine(r.bottomLeft(), r.bottomRight());
}

void PaintText(QPainter &painter, const CPlacedItem &item)
{
    if (item.Lines.isEmpty())
        return;
    painter.setPen(Qt::black);
    const qreal height = item.Lines.size() * item.LineSpacing;
    qreal y = item.Box.top() + (item.Box.height() - height) / 2;
    const qreal left = item.Box.left() + item.Padding;
    const qreal width = item.Box.width() - 2 * item.Padding;
    const int flags = int(item.Alignment) | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;
    for (const QString &line : item.Lines) {
        painter.drawText(QRectF(left, y, width, item.LineSpacing), flags, line);
        y += item.LineSpacing;
    }
}

} // namespace

void PaintPage(QPainter &painter, const CPrintPage &page, const QImage &picture)
{
    CPrintFont current;
    for (const CPlacedItem &item : page.Items) {
        painter.setClipRect(item.Box);
        if (item.Role == CPlacedItem::roPicture) {
            if (!picture.isNull())
                painter.drawImage(item.Box, picture);
        } else if (!item.Lines.isEmpty()) {
            if (!(item.Font == current)) {
                current = item.Font;
                painter.setFont(PrintFont(current));
            }
            PaintText(painter, item);
        }
        PaintBox(painter, item);
    }
    painter.setClipping(false);
}
