#include "programming/link/TapiComm.h"

#include "common/Error.h"
#include "common/TraceCode.h"

#include <QEventLoop>

#include <cmath>

namespace {

// The port control's codes for the baud and parity indexes the callers use.
constexpr qint32 kBaudCodes[] = {0, 1, 2, 3, 6, 5};
constexpr qint32 kParityCodes[] = {0, 2, 1};

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
    m_Rs232Manager.setInterval(kManagerIntervalMs);
    m_Rs232Manager.setTimerType(Qt::PreciseTimer);
    m_Pacing.setSingleShot(true);
    m_Pacing.setTimerType(Qt::PreciseTimer);
    connect(&m_TimeOut, &QTimer::timeout, this, &CTapiComm::OnReplyTimeOut);
    connect(&m_Rs232Manager, &QTimer::timeout, this, &CTapiComm::OnManagerTick);
    connect(&m_Pacing, &QTimer::timeout, this, &CTapiComm::Transmit);
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
    if (IsIndex(baudIndex, std::size(kBaudCodes)) && IsIndex(parityIndex, std::size(kParityCodes))) {
        m_Rs232.SetLineMode(0);
        m_Rs232.SetPortNumber(nCom - 1);
        m_Rs232.SetBaudCode(kBaudCodes[baudIndex]);
        m_Rs232.SetDataBits(8);
        m_Rs232.SetParityCode(kParityCodes[parityIndex]);
        m_Rs232.SetStopBitCode(0);
        m_Rs232.SetPortOpen(true);
    }
    if (!m_Rs232.PortOpen()) {
        g_Trace->BugMessage(QStringLiteral("Porta COM%1 già aperta o non presente sul sistema.").arg(nCom));
        return false;
    }
    m_LineQuietSince.invalidate();
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

void CTapiComm::StartTxRx()
{
    if (m_TxRxInProgress)
        return;
    m_Error = leNone;
    m_TxRxInProgress = true;
    m_SendRequest = false;
    m_Rs232Manager.start();
    m_TimeOut.start();
    SendStep();
}

void CTapiComm::WaitTxRx()
{
    if (!m_TxRxInProgress)
        return;
    QEventLoop loop;
    connect(this, &CTapiComm::TxRxFinished, &loop, &QEventLoop::quit);
    loop.exec();
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
    if (!m_TxRxInProgress) {
        m_TimeOut.stop();
        return;
    }
    ++m_TimeOutErrors;
    g_Trace->BugMessage(QStringLiteral("Errore di timeout nr.%1").arg(m_TimeOutErrors));
    m_SendRequest = true;
}

void CTapiComm::SendStep()
{
    m_Rs232Manager.stop();
    if (m_Cancel) {
        FinishTxRx(leCancelled, QStringLiteral("Annullata operazione di Tx Rx"), &CTapiComm::TxRxCancelled);
    } else if (m_UARTErrors >= kMaxLineFaults) {
        FinishTxRx(leUART, QStringLiteral("Errore UART"), &CTapiComm::UARTError);
    } else if (m_TimeOutErrors >= m_MaxErrorTimeOut) {
        FinishTxRx(leTimeOut, QStringLiteral("Errore TIMEOUT"), &CTapiComm::TimeOutError);
    } else if (m_CRCErrors < kMaxRefusedReplies) {
        Transmit();
        SwitchOn(m_TimeOut);
        SwitchOn(m_Rs232Manager);
    } else {
        FinishTxRx(leCRC, QStringLiteral("Errore CRC"), &CTapiComm::CRCError);
    }
}

void CTapiComm::Transmit()
{
    if (!m_TxRxInProgress)
        return;
    const int wait = RemainingLineSilenceMs();
    if (wait > 0) {
        m_Pacing.start(wait);
        return;
    }
    m_Rs232.SetReplyLength(m_ByteToReceive);
    m_Rs232.SetOutput(m_FrameTx);
    m_Rs232.StartExchange();
}

int CTapiComm::RemainingLineSilenceMs() const
{
    if (!m_LineQuietSince.isValid())
        return 0;
    const qint32 baud = Platform::CSerialPortControl::BaudRateOfCode(m_Rs232.BaudCode());
    if (baud <= 0)
        return 0;
    // Modbus RTU: a frame starts only after 3.5 character times of silence, fixed at 1.75 ms
    // above 19200 baud.
    const double stopBits = m_Rs232.StopBitCode() == 0 ? 1.0 : m_Rs232.StopBitCode() == 1 ? 1.5 : 2.0;
    const double bitsPerCharacter = 1 + m_Rs232.DataBits() + (m_Rs232.ParityCode() != 0 ? 1 : 0) + stopBits;
    const double silenceUs = baud > 19200 ? 1750.0 : 3.5 * bitsPerCharacter * 1e6 / baud;
    const double remainingUs = silenceUs - double(m_LineQuietSince.nsecsElapsed()) / 1000.0;
    return remainingUs > 0 ? int(std::ceil(remainingUs / 1000.0)) : 0;
}

void CTapiComm::OnCommStatus(qint32 code, const QVariant &detail)
{
    // Written only with /DEBUG_ALL: one line per line event would swamp an ordinary log.
    g_Trace->BugTraceDisable();
    g_Trace->BugMessage(QStringLiteral("CommStatus event:%1->").arg(code) + detail.toString());
    g_Trace->BugTraceEnable();
    if (code == Platform::sscReplyComplete)
        m_LineQuietSince.start();
    // Between exchanges nobody waits: a fault counted now would make the next tick send a
    // frame nobody asked for.
    if (!m_TxRxInProgress)
        return;
    m_Rs232Manager.stop();
    if (IsLineFault(code)) {
        ++m_UARTErrors;
        g_Trace->BugMessage(QStringLiteral("Errore UART nr.%1").arg(m_UARTErrors));
        m_SendRequest = true;
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
        if (m_CommMode == 0)
            Q_EMIT EndTxRx();
        m_TxRxInProgress = false;
        Q_EMIT TxRxFinished();
        return;
    }
    ++m_CRCErrors;
    g_Trace->BugMessage(QStringLiteral("Errore di CRC nr.%1").arg(m_CRCErrors));
    m_SendRequest = true;
    m_TimeOut.start();
    m_Rs232Manager.start();
}

void CTapiComm::FinishTxRx(qint32 error, const QString &traceLine, void (CTapiComm::*notification)())
{
    g_Trace->BugMessage(traceLine);
    m_TimeOut.stop();
    m_Rs232Manager.stop();
    m_Pacing.stop();
    m_TxRxInProgress = false;
    m_Error = error;
    if (m_CommMode == 0)
        Q_EMIT(this->*notification)();
    Q_EMIT TxRxFinished();
}
