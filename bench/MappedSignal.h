#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>

// The mark a start-up benchmark waits for: "mapped" on standard output once the first top-level
// widget of the given class has its window exposed (and so painted), then the event loop ends.
// Installed on the application object before the program starts, it changes nothing the program
// does up to that moment.
class CMappedSignal : public QObject
{
public:
    explicit CMappedSignal(const char *className) : m_ClassName(className) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<QWindow *>(watched);
        if (m_Done || event->type() != QEvent::Expose || window == nullptr || !window->isExposed())
            return false;
        for (const QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->windowHandle() == window && widget->inherits(m_ClassName)) {
                m_Done = true;
                // Queued, so the window's own handling of the event (its first paint) comes first.
                QTimer::singleShot(0, [] {
                    std::puts("mapped");
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                });
            }
        }
        return false;
    }

private:
    const char *m_ClassName;
    bool m_Done = false;
};
