#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <QVariant>

#include <functional>

namespace Platform {

// Codes of the status notification. 15 says the reply is complete; the others are line
// faults (the link counts 3, 5, 7, 9, 10 and 12 as such). This port layer reports:
//   3  the frame could not be written (also: exchange started on a closed or lost port)
//   5  the device refused a read (it has gone, as a rule)
//   7  the device went away (adapter unplugged, the other end of a pseudo-terminal closed)
//   after 5 and 7 the port is closed, so PortOpen() reads false
//   12 any other device fault
// 9 and 10 (parity and framing faults) stay unused: the serial layer below does not report
// them, such bytes just fail the reply's CRC.
enum SerialStatusCodes : qint32 {
    sscWriteError = 3,
    sscReadError = 5,
    sscLineLost = 7,
    sscUnknownError = 12,
    sscReplyComplete = 15,
};

// Why a port is not open: its device is not there (or has gone), the user may not use it (the
// "dialout" group), another program holds it, or something else that the system's text tells.
enum class EPortFailure { None, Missing, Denied, Busy, Other };

// The serial-port control of a link window, over QSerialPort: it opens the device of a port
// number (SerialDevicePath), sends a frame and collects a reply of a given length (or one its
// completion test finds whole before that), and reports line events through CommStatus.
//
// Codes of the line settings (the meanings of the codes the program never uses are this
// layer's choice):
//   baud code   0 = 1200, 1 = 2400, 2 = 4800, 3 = 9600, 5 = 19200, 6 = 38400
//   parity code 0 = none, 1 = odd, 2 = even, 3 = mark, 4 = space
//   stop bits   0 = one, 1 = one and a half, 2 = two
//   line mode   0 = serial; there is no telephone line, so any other mode never opens
class CSerialPortControl : public QObject
{
    Q_OBJECT

public:
    // A reply of a given length is complete at that length, or earlier as soon as its
    // completion test passes (an instrument's short refusal). A text reply (reply length 0) is
    // complete as soon as its completion test passes, when the exchange's time runs out
    // (FlushReply) with anything in it, or once it holds kTextReplyCap bytes, so noise cannot
    // grow it for ever. A pause inside a reply ends nothing.
    static constexpr int kTextReplyCap = 8192;
    using ReplyTest = std::function<bool(const QByteArray &reply)>;

    explicit CSerialPortControl(QObject *parent = nullptr);
    ~CSerialPortControl() override;

    // Setting true opens the device of PortNumber() with the current line settings; read back
    // to learn whether that worked. Setting false closes it.
    bool PortOpen() const;
    void SetPortOpen(bool open);
    // True only while an open is under way; opening here finishes inside SetPortOpen.
    bool Busy() const { return false; }
    // Why the port is not open although the owner opened it: the open failed, or the device
    // went away under it (LineLost). None while the port works; the system's words beside it.
    EPortFailure PortFailure() const;
    QString PortFailureText() const { return m_PortFailureText; }
    // The open port was closed here because its device failed (unplugged, the other end gone),
    // not by the owner; until the next open.
    bool LineLost() const { return m_LineLost; }

    qint32 PortNumber() const { return m_PortNumber; }
    void SetPortNumber(qint32 portNumber) { m_PortNumber = portNumber; }
    qint32 LineMode() const { return m_LineMode; }
    void SetLineMode(qint32 mode) { m_LineMode = mode; }
    // Line settings take effect at once on an open port. While one holds an unknown code
    // the port does not open and an open port keeps its line as it was.
    qint32 BaudCode() const { return m_BaudCode; }
    void SetBaudCode(qint32 code);
    qint32 DataBits() const { return m_DataBits; }
    void SetDataBits(qint32 bits);
    qint32 StopBitCode() const { return m_StopBitCode; }
    void SetStopBitCode(qint32 code);
    qint32 ParityCode() const { return m_ParityCode; }
    void SetParityCode(qint32 code);
    // Bits per second of a baud code, 0 for an unknown code.
    static qint32 BaudRateOfCode(qint32 code);

    // Kept for the callers only: the input grows as a reply needs (a text reply up to
    // kTextReplyCap) and output is written at once.
    qint16 InBufferSize() const { return m_InBufferSize; }
    void SetInBufferSize(qint16 size) { m_InBufferSize = size; }
    qint16 OutBufferSize() const { return m_OutBufferSize; }
    void SetOutBufferSize(qint16 size) { m_OutBufferSize = size; }

    bool DTR() const;
    void SetDTR(bool on);
    bool RTS() const;
    void SetRTS(bool on);
    bool CTS() const;
    bool DSR() const;
    bool CD() const;

    // Bytes of reply to collect before "reply complete"; 0 = a text reply (see above).
    qint16 ReplyLength() const { return m_ReplyLength; }
    void SetReplyLength(qint16 length) { m_ReplyLength = length; }
    // What completes a reply at once, with everything that came with it; empty: a text reply
    // ends only by FlushReply and the cap, a reply of a given length only at that length. Kept
    // for the following exchanges.
    //   contains "OK": "\r\nOK\r\n" is complete in the read that brings the "K"; "ok" only
    //   when the exchange's time runs out.
    void SetReplyComplete(ReplyTest test) { m_ReplyComplete = std::move(test); }
    void SetOutput(const QByteArray &frame) { m_Output = frame; }
    // The reply of the last exchange, complete once code 15 has been reported.
    QByteArray ReceivedData() const { return m_Received; }

    // Throws away whatever came in before: a late reply to an earlier request must never be
    // read as the answer to the next one. The link does this before it waits out the line's
    // silence, so that the send itself is one write.
    void DiscardInput();
    // Sends Output straight to the device and starts collecting the reply (from an empty input:
    // DiscardInput comes first).
    void StartExchange();
    // The exchange's time has run out: reads what the port holds, and a text reply that has
    // anything is complete with it (code 15 before this returns). True when that completed
    // the reply.
    bool FlushReply();
    // Takes in what the device holds although its notification has not come yet.
    void ReadPending();
    // An exchange given up: what comes now is nobody's reply.
    void StopCollecting() { m_Collecting = false; }
    // Nanoseconds since the last byte came in (read or not); -1 when none came since the
    // port opened.
    qint64 NsecsSinceInput() const { return m_LastInput.isValid() ? m_LastInput.nsecsElapsed() : -1; }

Q_SIGNALS:
    void CommStatus(qint32 code, const QVariant &detail);

private:
    void OnReadyRead();
    void TakeInput();
    void OnPortError(QSerialPort::SerialPortError error);
    void CompleteReply(const QByteArray &reply);
    void NoteOpenFailure();
    void NoteLineLost();
    // Whether the device's path (its very bytes) names anything now.
    bool DeviceExists() const;
    bool LineSettingsValid() const;
    void ApplyLineSettings();
    bool PinoutSignal(QSerialPort::PinoutSignal signal) const;

    QSerialPort m_Port;
    QElapsedTimer m_LastInput;
    qint32 m_PortNumber = 0;
    qint32 m_LineMode = 0;
    qint32 m_BaudCode = 3;
    qint32 m_DataBits = 8;
    qint32 m_StopBitCode = 0;
    qint32 m_ParityCode = 0;
    qint16 m_InBufferSize = 4096;
    qint16 m_OutBufferSize = 4096;
    bool m_DTR = false;
    bool m_RTS = false;
    qint16 m_ReplyLength = 0;
    ReplyTest m_ReplyComplete;
    QByteArray m_Output;
    QByteArray m_Input;
    QByteArray m_Received;
    bool m_Collecting = false;
    bool m_ReplyDone = false;
    QByteArray m_Device;
    EPortFailure m_PortFailure = EPortFailure::None;
    QString m_PortFailureText;
    bool m_LineLost = false;
};

} // namespace Platform
