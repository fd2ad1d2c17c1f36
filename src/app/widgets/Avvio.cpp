#include "app/widgets/Avvio.h"

#include "app/CommandFailure.h"
#include "app/ProgramFont.h"
#include "app/widgets/ArchiveCheck.h"
#include "app/widgets/FSplash.h"
#include "common/Error.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/widgets/AssertMessageBox.h"
#include "common/widgets/MessageBox.h"
#include "model/ScaleTables.h"

#include <QApplication>

namespace {

void ReportArchiveFailure(const CError &error)
{
    g_Trace->BugMessage(QStringLiteral("Avvio interrotto: archivio ") + CArchive::DefaultFilePath() +
                        QStringLiteral(" non utilizzabile"));
    ShowMessage(nullptr, {QMessageBox::Critical, QString(),
                          LoadResStringArgs(310, {CArchive::DefaultFilePath(), ArchiveFailureText(error)}),
                          QMessageBox::Ok});
}

} // namespace

std::unique_ptr<FMain> StartUp(float splashPause, const QList<CComponent> &components)
{
    QApplication::setApplicationName(QStringLiteral("IxoSoft"));
    InitTrace(LoadResString(301) + QLatin1Char(' ') + LoadResString(303),
              QApplication::arguments().mid(1).join(QLatin1Char(' ')));
    InstallAssertMessageBox();

    g_Trace->BugMessage(QStringLiteral("Inizio programma"));
    SetProgramFont();
    QApplication::setOverrideCursor(Qt::WaitCursor);

    g_Trace->BugMessage(QStringLiteral("Mostra splash window"));
    auto splash = std::make_unique<FSplash>();
    splash->show();
    QApplication::processEvents();

    InitGlobalScale();
    g_Trace->BugMessage(QStringLiteral("Crea oggetto connection."));
    g_Trace->BugMessage(QStringLiteral("Crea form"));
    auto window = std::make_unique<FMain>();
    CheckComponentRegistration(components);
    Pause(splashPause);

    // The splash stays while the archive opens: after a crash its whole check runs meanwhile.
    g_Trace->BugMessage(QStringLiteral("Visualizza form main"));
    try {
        window->Load();
    } catch (const CError &error) {
        window.reset();
        splash.reset();
        g_Connection->Close();
        QApplication::restoreOverrideCursor();
        // The user ended the start while another program held the archive: nothing more to say.
        if (!IsArchiveError(error, aeClosing))
            ReportArchiveFailure(error);
        return nullptr;
    }
    window->show();
    splash.reset();
    StartArchiveCheck(window.get());

    g_Trace->BugMessage(QStringLiteral("Sub Main() step 1"));
    QApplication::restoreOverrideCursor();
    g_Trace->BugMessage(QStringLiteral("End Sub Main()"));
    return window;
}

int Main(float splashPause)
{
    const std::unique_ptr<FMain> window = StartUp(splashPause);
    return window ? QApplication::exec() : 1;
}
