#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>

// The marks a start-up benchmark waits for, on standard output: "shown" once the first top-level
// widget of any kind has its window exposed (and so painted), "mapped" once the first of the
// given class has, and then the event loop ends. Installed on the application object before the
// program starts, it changes nothing the program does up to that moment.
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
            if (widget->windowHandle() != window)
                continue;
            const bool mapped = widget->inherits(m_ClassName);
            // Queued, so the window's own handling of the event (its first paint) comes first.
            if (!m_Shown) {
                m_Shown = true;
                QTimer::singleShot(0, [] { Say("shown"); });
            }
            if (mapped) {
                m_Done = true;
                QTimer::singleShot(0, [] {
                    Say("mapped");
                    QCoreApplication::exit(0);
                });
            }
        }
        return false;
    }

private:
    static void Say(const char *mark)
    {
        std::puts(mark);
        std::fflush(stdout);
    }

    const char *m_ClassName;
    bool m_Shown = false;
    bool m_Done = false;
};
