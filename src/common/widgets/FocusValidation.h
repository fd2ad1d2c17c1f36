#pragma once

class QFocusEvent;
class QWidget;

// Validation when the focus leaves a control: only a move the user makes inside the window
// (Tab, a click, a shortcut) asks the owner; switching windows or opening a drop-down list
// does not.
bool LeavesByUser(const QFocusEvent *event);

// Gives the focus back to a control whose owner refused to let it go. Queued, so the focus
// change in progress ends first and the control keeps the focus after it.
void ReturnFocus(QWidget *control);
