#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

// One message a link window shows the user: icon, title and text as the string table gives
// them (a line break there is line feed + carriage return).
struct CLinkMessage
{
    QMessageBox::Icon Icon = QMessageBox::Warning;
    QString Title;
    QString Text;
};

// Every message box of the link windows goes through this one function, so that a test on
// the offscreen platform can take the message instead of a user clicking it away:
//   SetLinkMessageBox([&](QWidget *, const CLinkMessage &m) { shown.append(m); });
//   ...                                      // run the window
//   SetLinkMessageBox({});                   // the real, modal box again
using LinkMessageBox = std::function<void(QWidget *parent, const CLinkMessage &message)>;
void SetLinkMessageBox(LinkMessageBox messageBox);
void ShowLinkMessage(QWidget *parent, const CLinkMessage &message);
