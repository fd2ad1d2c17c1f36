#include "programming/link/LinkProcedure.h"

#include "common/ResString.h"
#include "common/TraceCode.h"
#include "platform/SerialPortNames.h"
#include "programming/link/InstrumentSearch.h"
#include "programming/link/LinkError.h"

namespace {

constexpr int kSearchingId = 229;
constexpr int kNoInstrumentFoundId = 228;
constexpr int kBadNetworkSettingsId = 212;
constexpr int kPortNotOpenedId = 213; // "The communication port |1 (device |2 ...) cannot be opened."
constexpr int kPortLostId = 890;      // "The communication port |1 (device |2 ...) has been lost."
constexpr int kInstrumentChangedId = 891;
constexpr int kInstrumentUnchangedId = 892;
constexpr int kWriteCancelledId = 903;
constexpr int kNetworkInstrumentUnchangedId = 904; // "... in the instrument at network address |1."
constexpr int kNetworkInstrumentChangedId = 905;
constexpr int kNetworkUnchangedId = 906; // before any instrument of the network is addressed

// The reason the user reads for a port that is not open; the system's own words when the
// table has none for it.
QString PortFailureReason(const Platform::CSerialPortControl &port)
{
    switch (port.PortFailure()) {
    case Platform::EPortFailure::Missing:
        return LoadResString(216);
    case Platform::EPortFailure::Denied:
        return LoadResString(217);
    case Platform::EPortFailure::Busy:
        return LoadResString(218);
    default:
        return port.PortFailureText();
    }
}

} // namespace

void CLinkProcedure::ShowSearchLine(const QString &text) const
{
    if (m_Report.SearchLine)
        m_Report.SearchLine(text);
}

void CLinkProcedure::ShowOperation(int stringId) const
{
    if (m_Report.OperationLine)
        m_Report.OperationLine(LoadResString(stringId));
}

void CLinkProcedure::ShowProgress(int minimum, int maximum, int value)
{
    m_ProgressMinimum = minimum;
    m_ProgressMaximum = maximum;
    m_ProgressValue = value;
    if (m_Report.Progress)
        m_Report.Progress(minimum, maximum, value);
}

QString CLinkProcedure::LinesBelow(EStateLine stateLine) const
{
    const QString state =
        stateLine == EStateLine::InText ? QString() : InstrumentStateLine(stateLine == EStateLine::Always);
    QString lines;
    for (const QString &line : {state, m_MessageEnd})
        if (!line.isEmpty())
            lines += QStringLiteral("\n\r") + line;
    return lines;
}

void CLinkProcedure::Tell(int stringId, const QVariantList &args, EStateLine stateLine) const
{
    if (m_Report.Message)
        m_Report.Message(stringId, LoadResStringArgs(stringId, args) + LinesBelow(stateLine));
}

void CLinkProcedure::SetWriteState(EWriteState state)
{
    m_WriteState = state;
    m_AnyWritten = m_AnyWritten || state == EWriteState::Changed;
}

void CLinkProcedure::NoteWriteRequest(bool refused)
{
    // A request held back for the line's silence when the cancel came never reached the line.
    if (!refused && m_Link.RequestSent())
        SetWriteState(EWriteState::Changed);
}

QVariantList CLinkProcedure::PortFailureArgs() const
{
    const Platform::CSerialPortControl &port = m_Link.Rs232Control();
    const QString name = Platform::SerialPortName(port.PortNumber());
    const QString device = Platform::SerialDeviceName(port.PortNumber());
    g_Trace->BugMessage(QStringLiteral("%1 (%2): %3").arg(name, device, port.PortFailureText()));
    return {name, device, PortFailureReason(port)};
}

void CLinkProcedure::TellPortNotOpened() const
{
    Tell(kPortNotOpenedId, PortFailureArgs());
}

QString CLinkProcedure::InstrumentStateLine(bool always) const
{
    // A read or a search changes nothing, and says so only where the user may wonder.
    if (m_WriteState == EWriteState::None && !always)
        return {};
    const bool changed = m_WriteState == EWriteState::Changed;
    // On a network, "the instrument" alone could be read as every one of them, those written
    // whole included.
    if (!m_NamedInstrument)
        return LoadResString(changed ? kInstrumentChangedId : kInstrumentUnchangedId);
    if (*m_NamedInstrument == 0)
        return LoadResString(kNetworkUnchangedId);
    return LoadResStringArgs(changed ? kNetworkInstrumentChangedId : kNetworkInstrumentUnchangedId,
                             {*m_NamedInstrument});
}

void CLinkProcedure::TellPortLost() const
{
    Tell(kPortLostId, PortFailureArgs() << InstrumentStateLine(true), EStateLine::InText);
}

CLinkMessage CLinkProcedure::TraceRefusal() const
{
    const QByteArray &reply = m_Link.FrameRx();
    const CLinkMessage refusal = InstrumentRefusal(m_Link.FrameTx(), reply);
    g_Trace->BugMessage(
        QStringLiteral("Richiesta rifiutata dallo strumento all'indirizzo %1: %2 (%3)")
            .arg(int(quint8(reply.at(0))))
            .arg(LoadResStringArgs(refusal.id, refusal.args), QString::fromLatin1(reply.toHex(' '))));
    return refusal;
}

void CLinkProcedure::TellLinkError(qint32 error) const
{
    if (error == leRefused) {
        const CLinkMessage refusal = TraceRefusal();
        Tell(refusal.id, refusal.args, EStateLine::Always);
    } else if (error == leUART && m_Link.Rs232Control().LineLost()) {
        TellPortLost();
    } else if (error == leCancelled) {
        // The user asked for the stop and knows of it; what is new to him is that it came
        // after the instruments had begun to change.
        if (m_AnyWritten)
            Tell(kWriteCancelledId);
    } else if (const int id = LinkErrorMessageId(error); id != 0) {
        // A write cut by silence or a spoilt answer leaves the instrument as a refusal or a lost
        // port would: the user must know whether to transmit again.
        Tell(id);
    }
}

bool CLinkProcedure::CheckCommError(qint32 error)
{
    if (error == leNone)
        return false;
    m_Link.CloseRs232();
    TellLinkError(error);
    return true;
}

bool CLinkProcedure::Connect(CInstrumentSearch &search)
{
    ShowSearchLine(LoadResString(kSearchingId));
    search.SetProgressDisplay(
        [this](int minimum, int maximum, int value) { ShowProgress(minimum, maximum, value); });
    switch (search.AutoDetectBaudRate()) {
    case CInstrumentSearch::soConnected:
        return true;
    case CInstrumentSearch::soNoAnswer:
        Tell(kNoInstrumentFoundId);
        break;
    case CInstrumentSearch::soPortNotOpened:
        TellPortNotOpened();
        break;
    case CInstrumentSearch::soPortLost:
        TellPortLost();
        break;
    case CInstrumentSearch::soBadNetworkSettings:
        Tell(kBadNetworkSettingsId);
        break;
    case CInstrumentSearch::soCancelled:
        break;
    }
    return false;
}
