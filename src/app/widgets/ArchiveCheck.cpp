#include "app/widgets/ArchiveCheck.h"

#include "app/CommandFailure.h"
#include "common/widgets/HourGlass.h"
#include "common/widgets/MessageBox.h"
#include "model/Archive.h"

#include <QPointer>
#include <QTimer>

namespace {

// A command waiting for the check tells a damaged archive itself, in its refusal.
bool g_CommandWaits = false;

void TellDamage(QWidget *window)
{
    if (g_Connection->CheckFailed() && !g_CommandWaits)
        ShowMessage(window, {QMessageBox::Critical, QString(), ArchiveRefusalText(), QMessageBox::Ok});
}

} // namespace

void StartArchiveCheck(QWidget *window)
{
    const QPointer<QWidget> target(window);
    if (g_Connection->CheckPending())
        QObject::connect(
            &g_Connection->Database().Checker(), &Platform::CArchiveChecker::Finished, window,
            [target] { TellDamage(target); }, Qt::SingleShotConnection);
    // Once the window shows.
    QTimer::singleShot(0, window, [target] {
        g_Connection->StartCheck();
        TellDamage(target);
    });
}

void RequireWritableArchive(QWidget *window)
{
    {
        CHourGlassGuard busy(window);
        const bool waited = g_CommandWaits;
        g_CommandWaits = true;
        g_Connection->WaitForCheck();
        g_CommandWaits = waited;
    }
    g_Connection->RequireWritable();
}

void RequireReadableArchive(QWidget *window, const std::function<bool()> &allowed)
{
    const bool pending = g_Connection->CheckPending();
    {
        CHourGlassGuard busy(window);
        const bool waited = g_CommandWaits;
        g_CommandWaits = true;
        g_Connection->WaitForCheck();
        g_CommandWaits = waited;
    }
    if (!allowed())
        RaiseArchiveError(aeDamaged, QStringLiteral("Archivio ") + g_Connection->Database().FilePath() +
                                         QStringLiteral(" danneggiato, lettura rifiutata: ") +
                                         g_Connection->DamagedParts().join(QStringLiteral(", ")));
    if (pending)
        TellDamage(window);
}
