#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

// One message box of the program: icon, buttons, title and text as the string table gives
// them. An empty title shows the application's title, "IxoSoft"; the table's line break
// "\n\r" is shown as one line break.
struct CMessage
{
    QMessageBox::Icon Icon = QMessageBox::Warning;
    QString Title;
    QString Text;
    QMessageBox::StandardButtons Buttons = QMessageBox::Ok;
    // The button Return presses; none: the box's own choice (Yes, Ok, Retry).
    QMessageBox::StandardButton DefaultButton = QMessageBox::NoButton;
    // For a box that tells of a wait: asked a few times a second while the box shows; true
    // closes the box by itself, answered QMessageBox::NoButton.
    std::function<bool()> ClosesWhen = nullptr;
};

// Every message box of every window goes through ShowMessage, so that a test on the
// offscreen platform answers it instead of a user:
//   SetMessageBox([&](QWidget *, const CMessage &m) { shown.append(m); return QMessageBox::Yes; });
//   ...                                      // run the command
//   SetMessageBox({});                       // the real, modal box again
// Returns the button that closed the box.
using MessageBoxFunction =
    std::function<QMessageBox::StandardButton(QWidget *parent, const CMessage &message)>;
void SetMessageBox(MessageBoxFunction messageBox);
QMessageBox::StandardButton ShowMessage(QWidget *parent, const CMessage &message);
