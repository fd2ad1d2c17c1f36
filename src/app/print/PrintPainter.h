#pragma once

#include "app/print/PrintLayout.h"

#include <QFont>
#include <QFontMetricsF>

#include <map>
#include <utility>

class QImage;
class QPagedPaintDevice;
class QPainter;
class QPaintDevice;

// The font a printout element is painted with.
QFont PrintFont(const CPrintFont &font);

// Measures text as the device prints it.
class CDeviceTextMetrics : public CTextMetrics
{
public:
    explicit CDeviceTextMetrics(const QPaintDevice *device) : m_Device(device) {}

    qreal LineSpacing(const CPrintFont &font) const override { return Metrics(font).lineSpacing(); }
    qreal Ascent(const CPrintFont &font) const override { return Metrics(font).ascent(); }
    qreal Descent(const CPrintFont &font) const override { return Metrics(font).descent(); }
    qreal Width(const CPrintFont &font, const QString &text) const override
    {
        return Metrics(font).horizontalAdvance(text);
    }

private:
    const QFontMetricsF &Metrics(const CPrintFont &font) const;

    const QPaintDevice *m_Device;
    mutable std::map<std::pair<QString, std::pair<qreal, bool>>, QFontMetricsF> m_Metrics;
};

// The device's page in its painter's coordinates, less the margins (millimetres) and whatever
// the device cannot print on.
CPageGeometry PageGeometry(const QPagedPaintDevice &device, const QMarginsF &marginsMillimetres);

// Paints one laid-out page; each element is clipped to its box. picture: the heading picture.
void PaintPage(QPainter &painter, const CPrintPage &page, const QImage &picture);
