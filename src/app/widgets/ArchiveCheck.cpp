#include "app/widgets/ArchiveCheck.h"

#include "app/CommandFailure.h"
#include "app/widgets/FSplash.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/widgets/HourGlass.h"
#include "common/widgets/MessageBox.h"
#include "model/Archive.h"

#include <QApplication>
#include <QPointer>
#include <QScopeGuard>
#include <QTimer>

#include <utility>

namespace {

// A command waiting for the check tells a damaged archive itself, in its refusal.
bool g_CommandWaits = false;

// Runs the archive's wait for its check under the hourglass, the window repainting; a damage it
// finds is the command's to tell.
template <class Wait> void AfterTheCheck(QWidget *window, Wait wait)
{
    const auto restore =
        qScopeGuard([earlier = std::exchange(g_CommandWaits, true)] { g_CommandWaits = earlier; });
    CHourGlassGuard busy(window);
    wait();
}

// The splash, while the start shows it: a box of the start is its own, so that a window manager
// that keeps splashes on top stacks the box above it.
QWidget *StartWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (qobject_cast<FSplash *>(window) != nullptr && window->isVisible())
            return window;
    return nullptr;
}

} // namespace

void TellArchiveDamage(QWidget *window)
{
    if (g_Connection->CheckFailed() && !g_CommandWaits)
        ShowMessage(window, {QMessageBox::Critical, QString(), ArchiveRefusalText(), QMessageBox::Ok});
}

void StartArchiveCheck(QWidget *window)
{
    // Once the window shows; an opening's check that could not read the file runs again.
    QTimer::singleShot(0, window, [target = QPointer<QWidget>(window)] {
        g_Connection->StartCheck();
        if (g_Connection->CheckPending())
            QObject::connect(
                &g_Connection->Database().Checker(), &Platform::CArchiveChecker::Finished, target,
                [target] { TellArchiveDamage(target); }, Qt::SingleShotConnection);
        TellArchiveDamage(target);
    });
}

bool AwaitArchiveFreed()
{
    const QString path = CArchive::DefaultFilePath();
    g_Trace->BugMessage(
        QStringLiteral("Avvio in attesa: archivio %1 in uso da un altro programma").arg(path));
    CMessage message{QMessageBox::Warning, QString(), LoadResStringArgs(842, {path}), QMessageBox::Cancel};
    message.ClosesWhen = [path] { return !Platform::CArchiveDatabase::HeldByAnotherProgram(path); };
    const bool freed = ShowMessage(StartWindow(), message) != QMessageBox::Cancel;
    g_Trace->BugMessage(
        freed ? QStringLiteral("Archivio libero: nuova apertura")
              : QStringLiteral("Avvio annullato dall'utente: archivio in uso da un altro programma"));
    return freed;
}

void RequireWritableArchive(QWidget *window)
{
    AfterTheCheck(window, [] { g_Connection->RequireWritable(); });
}

void RequireReadableArchive(QWidget *window, const std::function<bool()> &allowed)
{
    const bool damageTold = g_Connection->CheckFailed();
    AfterTheCheck(window, [] { g_Connection->AwaitCheck(); });
    if (!allowed())
        RaiseArchiveError(aeDamaged, QStringLiteral("Archivio ") + g_Connection->Database().FilePath() +
                                         QStringLiteral(" danneggiato, lettura rifiutata: ") +
                                         g_Connection->DamagedParts().join(QStringLiteral(", ")));
    // Held back while the command waited.
    if (!damageTold)
        TellArchiveDamage(window);
}
