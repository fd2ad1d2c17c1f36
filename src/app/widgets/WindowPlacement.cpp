#include "app/widgets/WindowPlacement.h"

#include "common/widgets/WindowFrame.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

Qt::WindowStates StateOf(const QWidget &window)
{
    return window.windowState() & ~Qt::WindowActive;
}

QRect PlaceOf(const QWidget &window)
{
    return QRect(window.pos(), window.size());
}

// What loading did for the window, kept for the rest of its life. The window manager tells the
// frame only once the window is on the screen, so a window shown normal is fitted again, once,
// when it is framed. A window shown maximised is not: while the window manager restores it, it
// passes through places that are neither (the normal place at the maximised size), and a fit
// there would leave it far from the normal place that the window manager restores.
// And the place the program gave the window, so that closing writes back what loading read for
// every value the user did not change.
class CPlacementKeeper : public QObject
{
public:
    CPlacementKeeper(QWidget &window, const CWindowPlacement &loaded)
        : QObject(&window), m_Window(window), m_Placed(loaded),
          m_FitPending(loaded.WindowState != wsMaximized && window.frameGeometry() == window.geometry())
    {
        m_Placed.Geometry = PlaceOf(window);
        if (m_FitPending)
            window.installEventFilter(this);
    }

    const CWindowPlacement &Placed() const { return m_Placed; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool placed = event->type() == QEvent::Move || event->type() == QEvent::Resize;
        if (watched == &m_Window && placed && m_FitPending && StateOf(m_Window) == Qt::WindowNoState &&
            m_Window.frameGeometry() != m_Window.geometry()) {
            m_FitPending = false;
            m_Window.removeEventFilter(this);
            Fit();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // The whole frame on the available area of the window's screen.
    void Fit()
    {
        const QRect place = PlaceOf(m_Window);
        const QScreen *screen = m_Window.screen();
        const QRect fitted = screen != nullptr
                                 ? FitOnScreen(place, FrameMarginsOf(m_Window), screen->availableGeometry())
                                 : place;
        if (fitted != place) {
            m_Window.move(fitted.topLeft());
            m_Window.resize(fitted.size());
        }
        m_Placed.Geometry = PlaceOf(m_Window);
    }

    QWidget &m_Window;
    CWindowPlacement m_Placed;
    bool m_FitPending;
};

const CPlacementKeeper *KeeperOf(const QWidget &window)
{
    for (const QObject *child : window.children()) {
        if (const auto *keeper = dynamic_cast<const CPlacementKeeper *>(child))
            return keeper;
    }
    return nullptr;
}

} // namespace

CScreenDpi ScreenDpiOf(const QWidget &window)
{
    const QScreen *screen = window.screen();
    return screen != nullptr ? CScreenDpi{screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()}
                             : CScreenDpi{};
}

void RestoreWindowPlacement(QWidget &window)
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    const CWindowPlacement placement = LoadWindowSettings(ScreenDpiOf(window), areas, FrameMarginsOf(window));
    window.move(placement.Geometry.topLeft());
    window.resize(placement.Geometry.size());
    new CPlacementKeeper(window, placement);
    if (placement.WindowState == wsMaximized)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void StoreWindowPlacement(const QWidget &window)
{
    CWindowPlacement placement;
    placement.Geometry = PlaceOf(window);
    placement.WindowState = window.isMinimized()   ? wsMinimized
                            : window.isMaximized() ? wsMaximized
                                                   : wsNormal;
    const CPlacementKeeper *keeper = KeeperOf(window);
    SaveWindowSettings(placement, ScreenDpiOf(window),
                       keeper != nullptr ? keeper->Placed() : CWindowPlacement{});
}
