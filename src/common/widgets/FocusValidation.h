#pragma once

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <algorithm>

// Validation when the focus leaves a control: only a move the user makes inside the window
// (Tab, a click, a shortcut) asks the owner; switching windows or opening a drop-down list
// does not.
bool IsUserFocusChange(const QEvent *event);
inline bool FocusLeftByUser(const QEvent *event)
{
    return event->type() == QEvent::FocusOut && IsUserFocusChange(event);
}

// True when the focus is on one of the controls: arrow keys move it inside an option group
// without leaving the group.
template <typename Controls> bool HasFocusAmong(const Controls &controls)
{
    const QWidget *focus = QApplication::focusWidget();
    return std::any_of(controls.begin(), controls.end(),
                       [focus](const auto &control) { return control == focus; });
}

// Gives the focus back to a control whose owner refused to let it go. Queued, so the focus
// change in progress ends first and the control keeps the focus after it.
void ReturnFocus(QWidget *control);
