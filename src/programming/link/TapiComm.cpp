#include "programming/link/TapiComm.h"

#include "common/Error.h"
#include "common/TraceCode.h"

#include <QElapsedTimer>
#include <QEventLoop>

#include <limits>

namespace {

// The port control's codes for the baud and parity indexes the callers use.
constexpr qint32 kBaudCodes[] = {0, 1, 2, 3, 6, 5};
constexpr qint32 kParityCodes[] = {0, 2, 1};

// Waits up to this before a send are spun away, not left to a millisecond timer; a longer one
// ends its timer this margin early and spins the rest.
constexpr qint64 kSpinLimitNs = 2000000;
constexpr qint64 kWakeMarginNs = 1000000;

bool IsIndex(qint32 index, qsizetype tableSize)
{
    return index >= 0 && index < tableSize;
}

bool IsLineFault(qint32 code)
{
    switch (code) {
    case 3:
    case 5:
    case 7:
    case 9:
    case 10:
    case 12:
        return true;
    default:
        return false;
    }
}

// "Switching on" a running timer leaves its phase alone: the reply timer keeps ticking once
// per time-out across re-sends.
void SwitchOn(QTimer &timer)
{
    if (!timer.isActive())
        timer.start();
}

} // namespace

CTapiComm::CTapiComm(QObject *parent) : QObject(parent)
{
    m_TimeOut.setInterval(kDefaultTimeOutRxMs);
    m_TimeOut.setSingleShot(true);
    m_TimeOut.setTimerType(Qt::PreciseTimer);
    m_Rs232Manager.setInterval(kManagerIntervalMs);
    m_Rs232Manager.setTimerType(Qt::PreciseTimer);
    m_Pacing.setSingleShot(true);
    m_Pacing.setTimerType(Qt::PreciseTimer);
    connect(&m_TimeOut, &QTimer::timeout, this, &CTapiComm::OnReplyTimeOut);
    connect(&m_Rs232Manager, &QTimer::timeout, this, &CTapiComm::OnManagerTick);
    // A frame held back goes through the send step again: a cancel meanwhile stops it.
    connect(&m_Pacing, &QTimer::timeout, this, &CTapiComm::SendStep);
    connect(&m_Rs232, &Platform::CSerialPortControl::CommStatus, this, &CTapiComm::OnCommStatus);
}

CTapiComm::~CTapiComm()
{
    CloseRs232();
}

void CTapiComm::Create(TrayIconMaker makeTrayIcon)
{
    m_TimeOut.stop();
    m_Rs232Manager.stop();
    m_TimeOut.setInterval(kDefaultTimeOutRxMs);
    m_CommMode = 0;
    m_MakeTrayIcon = std::move(makeTrayIcon);
}

bool CTapiComm::OpenRs232(qint32 nCom, qint32 baudIndex, qint32 parityIndex)
{
    // An index outside its table is a failed open even on a port that is open already.
    const bool known =
        IsIndex(baudIndex, std::size(kBaudCodes)) && IsIndex(parityIndex, std::size(kParityCodes));
    if (known) {
        m_Rs232.SetLineMode(0);
        m_Rs232.SetPortNumber(nCom - 1);
        m_Rs232.SetBaudCode(kBaudCodes[baudIndex]);
        m_Rs232.SetDataBits(8);
        m_Rs232.SetParityCode(kParityCodes[parityIndex]);
        m_Rs232.SetStopBitCode(0);
        m_Rs232.SetPortOpen(true);
    }
    if (!known || !m_Rs232.PortOpen()) {
        g_Trace->BugMessage(QStringLiteral("Porta COM%1 già aperta o non presente sul sistema.").arg(nCom));
        return false;
    }
    m_QuietBudgetMs = 0;
    ShowTrayIcon();
    return true;
}

void CTapiComm::CloseRs232()
{
    m_Pacing.stop();
    m_Rs232.SetPortOpen(false);
    m_TrayIcon.reset();
}

void CTapiComm::Settings(qint32 &baudIndex, qint32 &parityIndex)
{
    if (baudIndex == -1)
        baudIndex = m_BaudIndex;
    if (parityIndex == -1)
        parityIndex = m_ParityIndex;
    if (!IsIndex(baudIndex, std::size(kBaudCodes)) || !IsIndex(parityIndex, std::size(kParityCodes)))
        return;
    m_BaudIndex = baudIndex;
    m_ParityIndex = parityIndex;
    m_Rs232.SetBaudCode(kBaudCodes[baudIndex]);
    m_Rs232.SetDataBits(8);
    m_Rs232.SetParityCode(kParityCodes[parityIndex]);
    m_Rs232.SetStopBitCode(0);
}

void CTapiComm::ShowTrayIcon()
{
    if (m_TrayIcon || !m_MakeTrayIcon)
        return;
    // The icon is a courtesy: a desktop that cannot show it never stops the link.
    try {
        m_TrayIcon = m_MakeTrayIcon();
    } catch (const CError &error) {
        g_Trace->BugMessage(QStringLiteral("Icona di notifica non mostrata: ") + error.Description());
    }
}

void CTapiComm::SetDTR(bool on)
{
    if (m_Rs232.PortOpen())
        m_Rs232.SetDTR(on);
}

void CTapiComm::SetRTS(bool on)
{
    if (m_Rs232.PortOpen())
        m_Rs232.SetRTS(on);
}

void CTapiComm::SetFrameTx(const QByteArray &frame)
{
    if (m_TxRxInProgress)
        return;
    m_FrameTx = frame;
    m_CRCErrors = 0;
    m_UARTErrors = 0;
    m_TimeOutErrors = 0;
}

void CTapiComm::SetByteToReceive(qint16 count)
{
    if (!m_TxRxInProgress)
        m_ByteToReceive = count;
}

void CTapiComm::SetTimeOutRx(qint16 milliseconds)
{
    // A zero interval would fire without pause and starve the window.
    m_TimeOut.setInterval(qMax<int>(milliseconds, 1));
}

void CTapiComm::CancelTxRx(bool cancel)
{
    m_Cancel = cancel;
    // A frame held back for the line's silence has not gone out: the exchange ends here.
    if (cancel && m_Pacing.isActive()) {
        m_Pacing.stop();
        SendStep();
    }
}

void CTapiComm::StartTxRx()
{
    if (m_TxRxInProgress)
        return;
    m_Error = leNone;
    m_TxRxInProgress = true;
    m_RequestSent = false;
    m_SendRequest = false;
    m_Rs232Manager.start();
    SendStep();
}

void CTapiComm::WaitTxRx()
{
    while (m_TxRxInProgress) {
        QEventLoop loop;
        connect(this, &CTapiComm::TxRxFinished, &loop, &QEventLoop::quit);
        loop.exec();
        // Ended from outside (the program is told to quit): the exchange may not run on
        // unattended, nor end as if its reply had come.
        if (m_TxRxInProgress)
            FinishTxRx(leCancelled, QStringLiteral("Annullata operazione di Tx Rx"),
                       &CTapiComm::TxRxCancelled);
    }
}

void CTapiComm::OnManagerTick()
{
    if (!m_TxRxInProgress) {
        m_Rs232Manager.stop();
        return;
    }
    if (m_SendRequest) {
        m_SendRequest = false;
        SendStep();
    }
}

void CTapiComm::OnReplyTimeOut()
{
    if (!m_TxRxInProgress)
        return;
    // What the port holds now may be the whole reply (a text reply always is).
    if (m_Rs232.FlushReply())
        return;
    ++m_TimeOutErrors;
    g_Trace->BugMessage(QStringLiteral("Errore di timeout nr.%1").arg(m_TimeOutErrors));
    m_SendRequest = false;
    SendStep();
}

void CTapiComm::SendStep()
{
    m_Rs232Manager.stop();
    if (m_Cancel) {
        FinishTxRx(leCancelled, QStringLiteral("Annullata operazione di Tx Rx"), &CTapiComm::TxRxCancelled);
    } else if (m_UARTErrors >= kMaxLineFaults || !m_Rs232.PortOpen()) {
        // A port that has gone (an adapter unplugged) takes no re-send.
        FinishTxRx(leUART, QStringLiteral("Errore UART"), &CTapiComm::UARTError);
    } else if (m_TimeOutErrors >= m_MaxErrorTimeOut) {
        FinishTxRx(leTimeOut, QStringLiteral("Errore TIMEOUT"), &CTapiComm::TimeOutError);
    } else if (m_CRCErrors < kMaxRefusedReplies) {
        Transmit();
        SwitchOn(m_Rs232Manager);
    } else {
        FinishTxRx(leCRC, QStringLiteral("Errore CRC"), &CTapiComm::CRCError);
    }
}

void CTapiComm::Transmit()
{
    if (!m_TxRxInProgress)
        return;
    QElapsedTimer sinceAsked;
    sinceAsked.start();
    const qint64 waitNs = NsecsBeforeSend();
    if (waitNs > kSpinLimitNs) {
        // The event loop may wake a timer up to a millisecond late (it sleeps whole
        // milliseconds, rounded up): the timer ends a margin early and the rest is spun.
        m_Pacing.start(int((waitNs - kWakeMarginNs) / 1000000));
        return;
    }
    // Earlier input goes inside the silence, so that nothing but the write follows it. What
    // comes during the last spin (the line was not quiet) joins the reply and fails its check.
    m_Rs232.DiscardInput();
    while (sinceAsked.nsecsElapsed() < waitNs) {
    }
    m_QuietBudgetMs = 0;
    m_Rs232.SetReplyLength(m_ByteToReceive);
    m_Rs232.SetOutput(m_FrameTx);
    m_Rs232.StartExchange();
    m_RequestSent = true;
    m_LastSend.start();
    m_TimeOut.start();
}

qint64 CTapiComm::NsecsBeforeSend()
{
    qint64 wait = 0;
    const qint32 baud = Platform::CSerialPortControl::BaudRateOfCode(m_Rs232.BaudCode());
    // Counted from the last byte heard, reply or noise, as soon as it was read.
    const qint64 sinceInput = m_Rs232.NsecsSinceInput();
    if (sinceInput >= 0 && baud > 0) {
        // Modbus RTU: a frame starts only after 3.5 character times of silence, fixed at 1.75 ms
        // above 19200 baud.
        const double stopBits = m_Rs232.StopBitCode() == 0 ? 1.0 : m_Rs232.StopBitCode() == 1 ? 1.5 : 2.0;
        const double bitsPerCharacter =
            1 + m_Rs232.DataBits() + (m_Rs232.ParityCode() != 0 ? 1 : 0) + stopBits;
        const double silenceNs = baud > 19200 ? 1750000.0 : 3.5 * bitsPerCharacter * 1e9 / baud;
        wait = qint64(silenceNs) - sinceInput;
    }
    if (m_QuietBudgetMs > 0) {
        // A send before timed out, so its answer may still be on its way: whatever comes
        // before the line has been quiet for a reply's time is dropped.
        m_Rs232.ReadPending();
        qint64 quiet = m_LastSend.isValid() ? m_LastSend.nsecsElapsed() : std::numeric_limits<qint64>::max();
        if (const qint64 heard = m_Rs232.NsecsSinceInput(); heard >= 0)
            quiet = qMin(quiet, heard);
        wait = qMax(wait, qint64(m_QuietBudgetMs) * 1000000 - quiet);
    }
    return wait;
}

void CTapiComm::OnCommStatus(qint32 code, const QVariant &detail)
{
    // Written only with /DEBUG_ALL: one line per line event would swamp an ordinary log.
    g_Trace->BugTraceDisable();
    g_Trace->BugMessage(QStringLiteral("CommStatus event:%1->").arg(code) + detail.toString());
    g_Trace->BugTraceEnable();
    // Between exchanges nobody waits: a fault counted now would make the next tick send a
    // frame nobody asked for.
    if (!m_TxRxInProgress)
        return;
    m_Rs232Manager.stop();
    if (IsLineFault(code)) {
        ++m_UARTErrors;
        g_Trace->BugMessage(QStringLiteral("Errore UART nr.%1").arg(m_UARTErrors));
        m_SendRequest = true;
        if (!m_Rs232.PortOpen()) {
            SendStep();
            return;
        }
    }
    m_Rs232Manager.start();
    if (code == Platform::sscReplyComplete)
        ReceiveStep();
}

void CTapiComm::ReceiveStep()
{
    m_Rs232Manager.stop();
    m_TimeOut.stop();
    m_FrameRx = m_Rs232.ReceivedData();
    bool crcOk = true;
    Q_EMIT VerifyCRC(crcOk, m_FrameRx);
    if (crcOk) {
        m_SendRequest = false;
        EndExchange(leNone);
        if (m_CommMode == 0)
            Q_EMIT EndTxRx();
        Q_EMIT TxRxFinished();
        return;
    }
    ++m_CRCErrors;
    g_Trace->BugMessage(QStringLiteral("Errore di CRC nr.%1").arg(m_CRCErrors));
    // The refused reply came whole, so nothing more is owed: the frame goes again as soon as
    // the line's silence allows (or the third refusal ends the exchange).
    m_SendRequest = false;
    SendStep();
}

void CTapiComm::FinishTxRx(qint32 error, const QString &traceLine, void (CTapiComm::*notification)())
{
    g_Trace->BugMessage(traceLine);
    EndExchange(error);
    if (m_CommMode == 0)
        Q_EMIT(this->*notification)();
    Q_EMIT TxRxFinished();
}

void CTapiComm::EndExchange(qint32 error)
{
    m_TimeOut.stop();
    m_Rs232Manager.stop();
    m_Pacing.stop();
    m_Rs232.StopCollecting();
    m_TxRxInProgress = false;
    m_Error = error;
    // Only a send that timed out may still be answered; a refused reply came whole.
    if (m_TimeOutErrors > 0)
        m_QuietBudgetMs = qint16(m_TimeOut.interval());
}
