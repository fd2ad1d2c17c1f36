#include "programming/widgets/LinkWindow.h"

#include "common/Error.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/widgets/FormResources.h"
#include "common/widgets/MessageBox.h"
#include "common/widgets/TrayIcon.h"
#include "programming/link/LinkError.h"

#include <QCloseEvent>
#include <QProgressBar>

CLinkWindow::CLinkWindow(QWidget *parent) : QDialog(parent)
{
    setModal(true);
}

CLinkWindow::~CLinkWindow() = default;

CTapiComm &CLinkWindow::CreateLink()
{
    m_Rs232.Create([this] { return std::unique_ptr<QObject>(MakeSerialLineTrayIcon(this)); });
    return m_Rs232;
}

void CLinkWindow::LoadForm(QProgressBar *progBarTransfer)
{
    m_ProgBarTransfer = progBarTransfer;
    SetControlsFont(this);
    LoadCaptionResources(this);
    LoadToolTipResources(this);
}

void CLinkWindow::CancelTxRx()
{
    g_Trace->BugMessage(QStringLiteral("Cancellata procedura TxRx"));
    m_ReturnValue = false;
    m_Rs232.CancelTxRx(true);
}

CLinkReport CLinkWindow::Report()
{
    CLinkReport report;
    report.Progress = [this](int minimum, int maximum, int value) {
        m_ProgBarTransfer->setRange(minimum, maximum);
        m_ProgBarTransfer->setValue(value);
    };
    report.Message = [this](int, const QString &text) {
        ::ShowMessage(this, {QMessageBox::Warning, LoadResString(kLinkErrorTitleId), text});
    };
    return report;
}

void CLinkWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_Activated)
        return;
    m_Activated = true;
    // Queued, so the window is on the screen before the work starts waiting for replies.
    QMetaObject::invokeMethod(this, &CLinkWindow::RunFirstActivation, Qt::QueuedConnection);
}

void CLinkWindow::closeEvent(QCloseEvent *event)
{
    if (!IsWorking()) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    CancelTxRx();
}

void CLinkWindow::reject()
{
    if (IsWorking())
        CancelTxRx();
    else
        QDialog::reject();
}

void CLinkWindow::RunFirstActivation()
{
    try {
        RunLink();
    } catch (const CError &error) {
        ReportError(error);
    }
    m_Rs232.CloseRs232();
    m_Finished = true;
    done(m_ReturnValue ? Accepted : Rejected);
}

bool CLinkWindow::RunProcedure(const CLinkProcedure &procedure, const std::function<bool()> &work)
{
    try {
        return work();
    } catch (const CError &error) {
        ReportError(error, procedure.MessageTail());
        return false;
    }
}

void CLinkWindow::ReportError(const CError &error, const QString &below)
{
    m_ReturnValue = false;
    g_Trace->BugMessage(
        QStringLiteral("Errore %1 (%2): %3").arg(error.Number()).arg(error.Source(), error.Description()));
    // Whatever the work had begun on the line ends here, before the user reads the message.
    m_Rs232.CloseRs232();
    if (m_ErrorText)
        ::ShowMessage(this, {QMessageBox::Critical, QString(), m_ErrorText(error) + below});
    else
        ::ShowMessage(this, {QMessageBox::Critical, error.Source(), error.Description() + below});
}
