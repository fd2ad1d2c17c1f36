#include "app/WindowPlacement.h"

#include "common/TraceCode.h"
#include "platform/SettingsStore.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

const QString kSection = QStringLiteral("Settings");

struct CPlacementKey
{
    const char *Key;
    double Default;
    bool Size;
};

const CPlacementKey kKeys[] = {
    {"MainLeft", 100.0, false},
    {"MainTop", 100.0, false},
    {"MainWidth", 6800.0, true},
    {"MainHeight", 3750.0, true},
};

void TraceBadValue(const QString &key, const QString &text)
{
    g_Trace->BugMessage(
        QStringLiteral("Valore non valido in Settings/%1: \"%2\", usato il valore predefinito")
            .arg(key, text));
}

struct CStoredTwips
{
    double Value;
    QString Text;
};

// Twips as the store keeps them ("1500", "1.5E+03"), as one single-precision number, with the
// text read; an unusable text gives the default and its text.
CStoredTwips StoredTwips(const CPlacementKey &key)
{
    const QString name = QString::fromLatin1(key.Key);
    const QString defaultText = QString::number(key.Default);
    const QString text = Platform::ReadSetting(kSection, name, defaultText);
    bool ok = false;
    const float value = text.trimmed().toFloat(&ok);
    if (!ok || !std::isfinite(value) || (key.Size && value <= 0.0f)) {
        TraceBadValue(name, text.trimmed());
        return {key.Default, defaultText};
    }
    return {value, text};
}

// Left, top, width, height.
std::array<int, 4> Values(const QRect &place)
{
    return {place.x(), place.y(), place.width(), place.height()};
}

int ToPixels(double twips, double dpi)
{
    return int(std::lround(twips * dpi / kTwipsPerInch));
}

QString ToTwipsText(int pixels, double dpi)
{
    return QString::number(float(pixels * kTwipsPerInch / dpi));
}

QRect DefaultGeometry(const CScreenDpi &dpi)
{
    return QRect(ToPixels(kKeys[0].Default, dpi.X), ToPixels(kKeys[1].Default, dpi.Y),
                 ToPixels(kKeys[2].Default, dpi.X), ToPixels(kKeys[3].Default, dpi.Y));
}

QString PlaceText(const QRect &place)
{
    return QStringLiteral("%1,%2 (%3x%4)")
        .arg(place.x())
        .arg(place.y())
        .arg(place.width())
        .arg(place.height());
}

QRect FrameOf(const QRect &place, const QMargins &frame)
{
    return QRect(place.topLeft(), place.size().grownBy(frame));
}

// The area the frame mostly lies on; none when it meets no area.
std::optional<QRect> AreaOf(const QRect &frame, const QList<QRect> &areas)
{
    std::optional<QRect> best;
    qint64 bestShare = 0;
    for (const QRect &area : areas) {
        const QRect common = area.intersected(frame);
        const qint64 share = qint64(common.width()) * common.height();
        if (share > bestShare) {
            bestShare = share;
            best = area;
        }
    }
    return best;
}

} // namespace

QRect FitOnScreen(const QRect &place, const QMargins &frame, const QRect &area)
{
    const QSize frameSize = place.size().grownBy(frame).boundedTo(area.size());
    const QPoint topLeft(std::clamp(place.x(), area.left(), area.right() + 1 - frameSize.width()),
                         std::clamp(place.y(), area.top(), area.bottom() + 1 - frameSize.height()));
    return QRect(topLeft, frameSize.shrunkBy(frame));
}

CWindowPlacement LoadWindowSettings(const CScreenDpi &dpi, const QList<QRect> &areas, const QMargins &frame)
{
    CWindowPlacement placement;
    std::array<double, 4> twips{};
    for (std::size_t i = 0; i < twips.size(); ++i) {
        const CStoredTwips stored = StoredTwips(kKeys[i]);
        twips[i] = stored.Value;
        placement.TwipsTexts[i] = stored.Text;
    }
    placement.Geometry = QRect(ToPixels(twips[0], dpi.X), ToPixels(twips[1], dpi.Y),
                               qMax(1, ToPixels(twips[2], dpi.X)), qMax(1, ToPixels(twips[3], dpi.Y)));
    std::optional<QRect> area = AreaOf(FrameOf(placement.Geometry, frame), areas);
    if (!area) {
        g_Trace->BugMessage(QStringLiteral("La finestra principale in %1 non appare su alcuno schermo: "
                                           "usata la posizione predefinita")
                                .arg(PlaceText(placement.Geometry)));
        placement.Geometry = DefaultGeometry(dpi);
        area = AreaOf(FrameOf(placement.Geometry, frame), areas);
    }
    const QRect fitted = area ? FitOnScreen(placement.Geometry, frame, *area) : placement.Geometry;
    if (fitted != placement.Geometry) {
        g_Trace->BugMessage(QStringLiteral("La finestra principale in %1 esce dallo schermo: portata in %2")
                                .arg(PlaceText(placement.Geometry), PlaceText(fitted)));
        placement.Geometry = fitted;
    }

    const QString stateText =
        Platform::ReadSetting(kSection, QStringLiteral("WindowState"), QStringLiteral("0")).trimmed();
    bool ok = false;
    const int state = stateText.toInt(&ok);
    if (ok && (state == wsNormal || state == wsMaximized))
        placement.WindowState = qint16(state);
    else
        TraceBadValue(QStringLiteral("WindowState"), stateText);
    return placement;
}

void SaveWindowSettings(const CWindowPlacement &placement, const CScreenDpi &dpi,
                        const CWindowPlacement &placed)
{
    if (placement.WindowState == wsNormal) {
        const std::array<int, 4> now = Values(placement.Geometry), before = Values(placed.Geometry);
        for (std::size_t i = 0; i < now.size(); ++i) {
            const bool kept = now[i] == before[i] && !placed.TwipsTexts[i].isNull();
            Platform::WriteSetting(kSection, QString::fromLatin1(kKeys[i].Key),
                                   kept ? placed.TwipsTexts[i]
                                        : ToTwipsText(now[i], i % 2 == 0 ? dpi.X : dpi.Y));
        }
    }
    const qint16 state = placement.WindowState == wsMinimized ? qint16(wsNormal) : placement.WindowState;
    Platform::WriteSetting(kSection, QStringLiteral("WindowState"), QString::number(state));
}
