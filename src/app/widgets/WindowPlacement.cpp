#include "app/widgets/WindowPlacement.h"

#include "common/widgets/WindowFrame.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

// Waits for the window manager's frame around a normal window, fits the window with it on the
// area of its screen, and goes.
class CFitWhenFramed : public QObject
{
public:
    explicit CFitWhenFramed(QWidget &window) : QObject(&window), m_Window(window)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool placed = event->type() == QEvent::Move || event->type() == QEvent::Resize;
        // A maximised window is the window manager's to place; its normal place waits.
        if (watched == &m_Window && placed && m_Window.windowState() == Qt::WindowNoState &&
            m_Window.frameGeometry() != m_Window.geometry()) {
            m_Window.removeEventFilter(this);
            deleteLater();
            Fit();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void Fit()
    {
        if (m_Window.screen() == nullptr)
            return;
        const QRect place(m_Window.pos(), m_Window.size());
        const QRect fitted =
            FitOnScreen(place, FrameMarginsOf(m_Window), m_Window.screen()->availableGeometry());
        if (fitted == place)
            return;
        m_Window.move(fitted.topLeft());
        m_Window.resize(fitted.size());
    }

    QWidget &m_Window;
};

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
    if (placement.WindowState == wsMaximized)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    if (window.frameGeometry() == window.geometry())
        new CFitWhenFramed(window);
}

void StoreWindowPlacement(const QWidget &window)
{
    CWindowPlacement placement;
    placement.Geometry = QRect(window.pos(), window.size());
    placement.WindowState = window.isMinimized()   ? wsMinimized
                            : window.isMaximized() ? wsMaximized
                                                   : wsNormal;
    SaveWindowSettings(placement, ScreenDpiOf(window));
}
