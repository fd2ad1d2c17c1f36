#pragma once

#include "platform/SerialPortControl.h"
#include "programming/link/LinkError.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

// The program's one path to a serial port. It runs one request-reply exchange at a time: the
// request goes out as soon as StartTxRx is called (after the line has been quiet for 3.5
// characters since the last byte heard), a complete reply is handed to the owner's VerifyCRC
// at once, a refused reply and a reply time-out (TimeOutRx from each send) re-send as soon as
// the silence allows, and the 200 ms manager tick re-sends after a line fault, until a limit
// ends the exchange with an Error code (LinkErrors):
//   3 line faults or a port gone -> 1, MaxErrorTimeOut time-outs -> 2, cancel -> 3,
//   3 refused replies -> 4,
// checked in the order cancel, line faults, time-outs, refusals at every send step. No frame
// leaves after a cancel, whatever held it back.
// When a send timed out, its answer may still come: the next exchange sends only once the
// line has been quiet for a reply's time (TimeOutRx since the last send and the last byte
// heard), and drops what came meanwhile. A refused reply came whole, so it costs no such wait.
//
// How a link window uses it:
//   link.Create([this] { return MakeSerialLineTrayIcon(this); });
//   link.SetCommMode(1);
//   if (!link.OpenRs232(comPort + 1, 3, 0)) ...          // COM1 at 9600 baud, no parity
//   link.SetFrameTx(request); link.SetByteToReceive(7);
//   link.StartTxRx(); link.WaitTxRx();                   // window events run meanwhile
//   if (link.Error() == leNone) reply = link.FrameRx();
// CRegisterExchange does these steps for register frames.
class CTapiComm : public QObject
{
    Q_OBJECT

public:
    // Makes the notification-area icon shown while the port is open; releasing it removes
    // the icon. An empty maker means no icon.
    using TrayIconMaker = std::function<std::unique_ptr<QObject>()>;

    static constexpr int kManagerIntervalMs = 200;
    static constexpr qint16 kDefaultTimeOutRxMs = 3000;
    static constexpr qint16 kDefaultMaxErrorTimeOut = 3;
    static constexpr qint16 kMaxLineFaults = 3;
    static constexpr qint16 kMaxRefusedReplies = 3;

    explicit CTapiComm(QObject *parent = nullptr);
    ~CTapiComm() override;

    // Both timers off, the reply time-out back to 3000 ms, CommMode 0.
    void Create(TrayIconMaker makeTrayIcon = {});
    // nCom 1 to 4 (COM1 to COM4), baud index 0 to 5 (2 = 4800, 3 = 9600, 4 = 38400,
    // 5 = 19200), parity index 0 to 2 (0 = none); 8 data bits, one stop bit.
    bool OpenRs232(qint32 nCom, qint32 baudIndex, qint32 parityIndex);
    void CloseRs232();
    // -1 in either argument reads back the stored index; any other value is stored; then the
    // line takes both. An index outside its table changes nothing.
    void Settings(qint32 &baudIndex, qint32 &parityIndex);

    void StartTxRx();
    // Runs a local event loop until the exchange has ended. A loop ended from outside ends
    // the exchange as cancelled.
    void WaitTxRx();
    // A set cancel ends the running exchange at its next send step and every later one at
    // once, until it is cleared with false; a frame held back for the line's silence or a
    // quiet wait never goes out, the exchange ends at once.
    void CancelTxRx(bool cancel);

    // 0 = the end-of-exchange notifications are raised; any other value = only VerifyCRC.
    qint32 CommMode() const { return m_CommMode; }
    void SetCommMode(qint32 mode) { m_CommMode = mode; }
    qint32 Error() const { return m_Error; }
    // The request of the last exchange went out at least once: a cancel that ended it may
    // have come after the instrument took it.
    bool RequestSent() const { return m_RequestSent; }

    // Control lines pass to the port only while it is open.
    bool DTR() const { return m_Rs232.DTR(); }
    void SetDTR(bool on);
    bool RTS() const { return m_Rs232.RTS(); }
    void SetRTS(bool on);
    bool CD() const { return m_Rs232.CD(); }
    bool DSR() const { return m_Rs232.DSR(); }
    bool CTS() const { return m_Rs232.CTS(); }
    qint16 InBufferSize() const { return m_Rs232.InBufferSize(); }
    void SetInBufferSize(qint16 size) { m_Rs232.SetInBufferSize(size); }
    qint16 OutBufferSize() const { return m_Rs232.OutBufferSize(); }
    void SetOutBufferSize(qint16 size) { m_Rs232.SetOutBufferSize(size); }

    // Ignored while an exchange runs; a new frame starts its error counts from 0.
    void SetFrameTx(const QByteArray &frame);
    QByteArray FrameTx() const { return m_FrameTx; }
    QByteArray FrameRx() const { return m_FrameRx; }
    // Reply bytes to collect; 0 = a text reply. Ignored while an exchange runs.
    qint16 ByteToReceive() const { return m_ByteToReceive; }
    void SetByteToReceive(qint16 count);
    bool TxRxInProgress() const { return m_TxRxInProgress; }
    qint16 TimeOutRx() const { return qint16(m_TimeOut.interval()); }
    void SetTimeOutRx(qint16 milliseconds);
    qint16 MaxErrorTimeOut() const { return m_MaxErrorTimeOut; }
    void SetMaxErrorTimeOut(qint16 count) { m_MaxErrorTimeOut = count; }

    bool PortOpen() const { return m_Rs232.PortOpen(); }
    bool IsTrayIconShown() const { return m_TrayIcon != nullptr; }
    // The port control itself: the tests play its line events through it, and a text
    // exchange gives it the test that completes its reply (CAuxExchange).
    Platform::CSerialPortControl &Rs232Control() { return m_Rs232; }

Q_SIGNALS:
    void UARTError();
    void TimeOutError();
    void CRCError();
    // CRCOK comes preset to true; the owner sets it false to refuse the reply.
    void VerifyCRC(bool &CRCOK, const QByteArray &FrameRx);
    void EndTxRx();
    void TxRxCancelled();
    // Every end of an exchange, whatever CommMode is; WaitTxRx waits for it.
    void TxRxFinished();

private:
    void OnManagerTick();
    void OnReplyTimeOut();
    void OnCommStatus(qint32 code, const QVariant &detail);
    void SendStep();
    void ReceiveStep();
    void Transmit();
    void FinishTxRx(qint32 error, const QString &traceLine, void (CTapiComm::*notification)());
    void EndExchange(qint32 error);
    // How long the line must stay quiet before the frame may go out.
    qint64 NsecsBeforeSend();
    void ShowTrayIcon();

    Platform::CSerialPortControl m_Rs232;
    QTimer m_TimeOut;
    QTimer m_Rs232Manager;
    QTimer m_Pacing;
    QElapsedTimer m_LastSend;
    qint16 m_QuietBudgetMs = 0; // quiet wait owed before the next send; 0 = none
    TrayIconMaker m_MakeTrayIcon;
    std::unique_ptr<QObject> m_TrayIcon;
    qint32 m_BaudIndex = 3;
    qint32 m_ParityIndex = 2;
    qint16 m_CRCErrors = 0;
    qint16 m_UARTErrors = 0;
    qint16 m_TimeOutErrors = 0;
    bool m_SendRequest = false;
    bool m_TxRxInProgress = false;
    bool m_RequestSent = false;
    QByteArray m_FrameTx;
    QByteArray m_FrameRx;
    qint16 m_ByteToReceive = 0;
    qint32 m_CommMode = 0;
    qint32 m_Error = leNone;
    bool m_Cancel = false;
    qint16 m_MaxErrorTimeOut = kDefaultMaxErrorTimeOut;
};
