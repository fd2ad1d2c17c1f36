#pragma once

#include "programming/link/LinkProcedure.h"
#include "programming/link/TapiComm.h"

#include <QDialog>

#include <functional>

class CError;
class QProgressBar;

// What the three link windows share: a modal window that runs its link procedure (a transfer
// or the live polling, programming/link) once, on its first activation, shows what the
// procedure reports, and closes itself when it ends. It owns the window's serial link and
// closes its port on the way out. Its close box and the Escape key never close it while the
// work runs: they cancel the link instead, the running exchange ends with link error 3 and
// the work ends without a message.
//
// A window runs its procedure in RunLink(). The main window:
//   FSerialProgSetup window;
//   window.SetAction(1); window.SetIDProgramma(id); window.Create(comm, nullptr, network);
//   window.exec();                      // returns once the work has ended
//   if (window.ReturnValue()) ...
//
// Every failure the procedure tells is shown with the exclamation icon under title 208; a
// CError escaping the work is traced and shown and ends the work with ReturnValue false.
class CLinkWindow : public QDialog
{
    Q_OBJECT

public:
    explicit CLinkWindow(QWidget *parent = nullptr);
    ~CLinkWindow() override;

    // True from creation; false after work that failed or was cancelled.
    bool ReturnValue() const { return m_ReturnValue; }
    // The work has begun and not yet ended.
    bool IsWorking() const { return m_Activated && !m_Finished; }

    // The user's cancel (Cancel button, close box, Escape): traced, ReturnValue false, and
    // the link's sticky cancel set.
    void CancelTxRx();

    // The words a CError that ends the work (the archive's, met while a record is read or
    // stored) is told in, under the program's name: the caller's, who knows the archive's words
    // for its errors. Unset, the window tells the error's own source and text.
    void SetErrorText(std::function<QString(const CError &)> text) { m_ErrorText = std::move(text); }

protected:
    // The window's whole work. It may return at any point; the port is closed afterwards.
    virtual void RunLink() = 0;

    // The link, bound to this window (timers stopped, 3000 ms reply time-out, the tray icon
    // shown while its port is open) each time the work asks for it.
    CTapiComm &Rs232() { return m_Rs232; }
    CTapiComm &CreateLink();
    void SetReturnValue(bool value) { m_ReturnValue = value; }
    // Runs the procedure's work, false when it failed: a CError escaping it is told as any,
    // with what the procedure had to say of the instruments below it (a write's image that
    // could not be built has changed nothing).
    bool RunProcedure(const CLinkProcedure &procedure, const std::function<bool()> &work);
    QProgressBar *ProgBarTransfer() const { return m_ProgBarTransfer; }
    // Fonts, captions and tooltips from the string table, in this order; once the subclass
    // has set up its form, with the form's progress bar that the procedure reports to.
    void LoadForm(QProgressBar *progBarTransfer);
    // The progress bar and the message boxes, for the procedure to report to; the subclass
    // adds its status lines.
    virtual CLinkReport Report();

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

public Q_SLOTS:
    void reject() override;

private:
    void RunFirstActivation();
    // The error's message, then the lines below (each after its line break).
    void ReportError(const CError &error, const QString &below = {});

    CTapiComm m_Rs232;
    QProgressBar *m_ProgBarTransfer = nullptr;
    bool m_ReturnValue = true;
    bool m_Activated = false;
    bool m_Finished = false;
    std::function<QString(const CError &)> m_ErrorText;
};
