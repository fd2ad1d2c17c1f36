#pragma once

#include <QPointer>
#include <QWidget>

// Switches a window's mouse pointer to the hourglass and back. One program-wide switch
// alternates with every call, whatever the target: the first call keeps the target's pointer
// and shows the hourglass, the next puts the kept pointer back on its target, and so on.
// A target without a mouse pointer (not a widget) still flips the switch and then raises
// utility error 13001.
void HourGlass(QObject *target);

// The hourglass for the lifetime of one command; the pointer comes back however the command
// ends, an error included.
//   { CHourGlassGuard busy(this); DeleteProgram(id); }   // throws: the pointer still returns
class CHourGlassGuard
{
public:
    explicit CHourGlassGuard(QWidget *target);
    ~CHourGlassGuard();
    CHourGlassGuard(const CHourGlassGuard &) = delete;
    CHourGlassGuard &operator=(const CHourGlassGuard &) = delete;

private:
    QPointer<QWidget> m_Target;
};
