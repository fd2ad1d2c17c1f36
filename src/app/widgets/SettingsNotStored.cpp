#include "app/widgets/SettingsNotStored.h"

#include "common/ResString.h"
#include "common/widgets/MessageBox.h"
#include "platform/SettingsStore.h"

void TellSettingsNotStored(QWidget *window, const QString &fault)
{
    QString text = LoadResStringArgs(852, {Platform::SettingsFilePath()});
    if (!fault.isEmpty())
        text += QStringLiteral("\n\r") + fault;
    ShowMessage(window, {QMessageBox::Warning, QString(), text, QMessageBox::Ok});
}
