#include "programming/link/LinkProcedure.h"

#include "common/ResString.h"
#include "common/TraceCode.h"
#include "platform/SerialPortNames.h"
#include "programming/link/InstrumentSearch.h"
#include "programming/link/LinkError.h"

namespace {

constexpr int kSearchingId = 229;
constexpr int kNoInstrumentFoundId = 228;
constexpr int kPortNotAvailableId = 209;
constexpr int kBadNetworkSettingsId = 212;
constexpr int kPortNotOpenedId = 213; // "The communication port |1 (device |2 ...) cannot be opened."

// The reason the user reads for a port that did not open; the system's own words when the
// table has none for it.
QString OpenFailureReason(const Platform::CSerialPortControl &port)
{
    switch (port.OpenFailure()) {
    case Platform::EOpenFailure::Missing:
        return LoadResString(216);
    case Platform::EOpenFailure::Denied:
        return LoadResString(217);
    case Platform::EOpenFailure::Busy:
        return LoadResString(218);
    default:
        return port.OpenFailureText();
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

void CLinkProcedure::Tell(int stringId, const QVariantList &args) const
{
    if (m_Report.Message)
        m_Report.Message(stringId, LoadResStringArgs(stringId, args));
}

void CLinkProcedure::TellPortNotOpened()
{
    const Platform::CSerialPortControl &port = m_Link.Rs232Control();
    const QString name = Platform::SerialPortName(port.PortNumber());
    const QString device = Platform::SerialDeviceName(port.PortNumber());
    g_Trace->BugMessage(QStringLiteral("%1 (%2): %3").arg(name, device, port.OpenFailureText()));
    Tell(kPortNotOpenedId, {name, device, OpenFailureReason(port)});
}

bool CLinkProcedure::CheckCommError()
{
    const qint32 error = m_Link.Error();
    if (error == leNone)
        return false;
    m_Link.CloseRs232();
    if (const int id = LinkErrorMessageId(error); id != 0)
        Tell(id);
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
        Tell(kPortNotAvailableId);
        break;
    case CInstrumentSearch::soBadNetworkSettings:
        Tell(kBadNetworkSettingsId);
        break;
    case CInstrumentSearch::soCancelled:
        break;
    }
    return false;
}
