#include "programming/widgets/LinkMessageBox.h"

namespace {

LinkMessageBox &CurrentMessageBox()
{
    static LinkMessageBox messageBox;
    return messageBox;
}

void ShowModalBox(QWidget *parent, const CLinkMessage &message)
{
    // The table's two-character line break would show its carriage return as a stray glyph.
    QString text = message.Text;
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    QMessageBox box(message.Icon, message.Title, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

void SetLinkMessageBox(LinkMessageBox messageBox)
{
    CurrentMessageBox() = std::move(messageBox);
}

void ShowLinkMessage(QWidget *parent, const CLinkMessage &message)
{
    if (CurrentMessageBox())
        CurrentMessageBox()(parent, message);
    else
        ShowModalBox(parent, message);
}
