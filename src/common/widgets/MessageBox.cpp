#include "common/widgets/MessageBox.h"

#include "common/ResString.h"

namespace {

MessageBoxFunction &CurrentMessageBox()
{
    static MessageBoxFunction messageBox;
    return messageBox;
}

QMessageBox::StandardButton ShowModalBox(QWidget *parent, const CMessage &message)
{
    // The table's two-character line break would show its carriage return as a stray glyph.
    QString text = message.Text;
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    QMessageBox box(message.Icon, message.Title, text, message.Buttons, parent);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

void SetMessageBox(MessageBoxFunction messageBox)
{
    CurrentMessageBox() = std::move(messageBox);
}

QMessageBox::StandardButton ShowMessage(QWidget *parent, const CMessage &message)
{
    CMessage shown = message;
    if (shown.Title.isEmpty())
        shown.Title = LoadResString(301);
    return CurrentMessageBox() ? CurrentMessageBox()(parent, shown) : ShowModalBox(parent, shown);
}
