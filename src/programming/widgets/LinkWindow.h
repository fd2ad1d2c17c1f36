#pragma once

#include "programming/link/InstrumentSearch.h"
#include "programming/link/TapiComm.h"

#include <QDialog>

#include <functional>

class QProgressBar;

// What the three link windows share: a modal window that does its whole work (a transfer or
// the live polling) once, on its first activation, and closes itself when the work ends. It
// owns the window's serial link and closes its port on the way out. Its close box and the
// Escape key never close it while the work runs: they cancel the link instead, the running
// exchange ends with link error 3 and the work ends without a message.
//
// A window puts its work in RunLink(). The main window:
//   FSerialProgSetup window;
//   window.SetAction(1); window.SetIDProgramma(id); window.Create(comm, nullptr, network);
//   window.exec();                      // returns once the work has ended
//   if (window.ReturnValue()) ...
//
// Every failure the user must hear of goes through ShowMessage/CheckCommError (the link's
// messages, exclamation icon, title 208); a CError escaping the work is traced and shown and
// ends the work with ReturnValue false.
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

protected:
    // The window's whole work. It may return at any point; the port is closed afterwards.
    virtual void RunLink() = 0;

    CTapiComm &Rs232() { return m_Rs232; }
    // Binds the link to this window: timers stopped, 3000 ms reply time-out, and the tray
    // icon shown while its port is open.
    void CreateLink();
    void SetReturnValue(bool value) { m_ReturnValue = value; }
    QProgressBar *ProgBarTransfer() const { return m_ProgBarTransfer; }
    // Fonts, captions and tooltips from the string table, in this order; once the subclass
    // has built its controls.
    void LoadForm();

    // The link error of the last exchange, transfer variant: false for none; otherwise the
    // port is closed, the message of errors 1, 2 and 4 shown (a cancel shows nothing) and
    // the result is true.
    bool CheckCommError();
    // The message of a link error (206, 207, 215); nothing for 0 and 3.
    void ShowCommErrorMessage(qint32 linkError);
    // A string-table message with the exclamation icon and title 208.
    void ShowMessage(int stringId);

    // Binds the link (CreateLink) and runs the search of baud rate and instrument on it, with
    // the progress bar following the addresses. True with the port open at the rate found;
    // otherwise the user has been told why (228, 209, a cancel silently) and ReturnValue is
    // false.
    bool AutoDetectBaudRate(CInstrumentSearch &search);

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

public Q_SLOTS:
    void reject() override;

private:
    void RunFirstActivation();
    void ReportError(const class CError &error);

    CTapiComm m_Rs232;
    QProgressBar *m_ProgBarTransfer;
    bool m_ReturnValue = true;
    bool m_Activated = false;
    bool m_Finished = false;
};
