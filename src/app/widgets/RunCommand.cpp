#include "app/widgets/RunCommand.h"

#include "app/CommandFailure.h"
#include "common/TraceCode.h"
#include "common/widgets/MessageBox.h"
#include "model/ArchiveError.h"

#include <QGuiApplication>

void ReportError(QWidget *window, const CError &error, const QString &text)
{
    while (QGuiApplication::overrideCursor() != nullptr)
        QGuiApplication::restoreOverrideCursor();
    g_Trace->BugMessage(QStringLiteral("Comando interrotto dall'errore %1 (%2): %3")
                            .arg(error.Number())
                            .arg(error.Source(), error.Description()));
    // The program is closing: a box would only flash as it ends.
    if (IsArchiveError(error, aeClosing))
        return;
    ShowMessage(window, {QMessageBox::Critical, QString(), text, QMessageBox::Ok});
}

void ReportCommandError(QWidget *window, const CError &error, const CCommandContext &context)
{
    ReportError(window, error, CommandFailureText(error, context.Command, context.Configuration));
}
