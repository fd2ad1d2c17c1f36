#include "app/widgets/ArchiveCheck.h"

#include "common/ResString.h"
#include "common/widgets/MessageBox.h"
#include "model/Archive.h"

#include <QPointer>
#include <QTimer>

namespace {

// Time for the window's first paint before the first part.
constexpr int kFirstPartDelayMs = 200;

void CheckNextPart(const QPointer<QWidget> &window)
{
    if (window.isNull())
        return;
    if (g_Connection->CheckNextPart()) {
        QTimer::singleShot(0, window, [window] { CheckNextPart(window); });
        return;
    }
    if (g_Connection->CheckFailed())
        ShowMessage(window, {QMessageBox::Critical, QString(),
                             LoadResStringArgs(317, {g_Connection->Database().FilePath()}), QMessageBox::Ok});
}

} // namespace

void StartArchiveCheck(QWidget *window)
{
    QTimer::singleShot(kFirstPartDelayMs, window,
                       [window = QPointer<QWidget>(window)] { CheckNextPart(window); });
}
