#include "programming/link/InstrumentSearch.h"

#include "common/ResString.h"
#include "common/TraceCode.h"
#include "model/CommConfig.h"
#include "model/NetworkAddMsgSetup.h"
#include "programming/link/InterfaceTypes.h"
#include "programming/link/RegisterExchange.h"

namespace {

constexpr qint32 kBaudIndex9600 = 3;
constexpr qint32 kNoParity = 0;

bool IsAddress(qint16 value)
{
    return value >= CInstrumentSearch::kLowestAddress && value <= CInstrumentSearch::kHighestAddress;
}

// Puts the link's reply time-out and retry limit back when the search ends, however it ends.
class CLinkTimingGuard
{
public:
    explicit CLinkTimingGuard(CTapiComm &link)
        : m_Link(link), m_TimeOutRx(link.TimeOutRx()), m_MaxErrorTimeOut(link.MaxErrorTimeOut())
    {}
    ~CLinkTimingGuard()
    {
        m_Link.SetTimeOutRx(m_TimeOutRx);
        m_Link.SetMaxErrorTimeOut(m_MaxErrorTimeOut);
    }
    CLinkTimingGuard(const CLinkTimingGuard &) = delete;
    CLinkTimingGuard &operator=(const CLinkTimingGuard &) = delete;

private:
    CTapiComm &m_Link;
    qint16 m_TimeOutRx;
    qint16 m_MaxErrorTimeOut;
};

} // namespace

qint32 BaudRateOfIndex(qint32 baudIndex)
{
    switch (baudIndex) {
    case 2:
        return 4800;
    case 3:
        return 9600;
    case 4:
        return 38400;
    case 5:
        return 19200;
    default:
        return 0;
    }
}

CInstrumentSearch::CInstrumentSearch(CTapiComm &link, const CCommConfig &commConfig,
                                     CNetworkAddMsgSetup &networkAdd)
    : m_Link(link), m_CommConfig(commConfig), m_NetworkAdd(networkAdd),
      m_NetworkSizeUsed(networkAdd.ModeConfig() != 0)
{}

bool CInstrumentSearch::NetworkSettingsUsable() const
{
    const bool manualAddress = m_NetworkAdd.ModeConfig() == 0 && m_NetworkAdd.SelNetworkAdd() != 0;
    if ((!manualAddress || IsAddress(m_NetworkAdd.NetworkAdd())) &&
        (!m_NetworkSizeUsed || IsAddress(m_NetworkAdd.TotalInstrNetwork())))
        return true;
    g_Trace->BugMessage(ReplaceArgs(QStringLiteral("Impostazioni di rete non valide: NetworkAdd=|1 "
                                                   "TotalInstrNetwork=|2"),
                                    {m_NetworkAdd.NetworkAdd(), m_NetworkAdd.TotalInstrNetwork()}));
    return false;
}

CInstrumentSearch::Outcomes CInstrumentSearch::AutoDetectBaudRate()
{
    if (!NetworkSettingsUsable())
        return soBadNetworkSettings;
    Outcomes outcome = soNoAnswer;
    qint32 baudIndex = kBaudIndex9600;
    for (const qint32 tried : kBaudIndexes) {
        baudIndex = tried;
        g_Trace->BugMessage(
            QStringLiteral("Tentativo connessione con RS232 a %1 baud...").arg(BaudRateOfIndex(tried)));
        outcome = TryBaudRate(baudIndex);
        if (outcome != soNoAnswer)
            break;
    }
    if (outcome == soConnected) {
        m_BaudIndex = baudIndex;
        if (OpenPort(baudIndex))
            return soConnected;
        outcome = soPortNotOpened;
    }
    switch (outcome) {
    case soNoAnswer:
        g_Trace->BugMessage(QStringLiteral("Errore nell'autorilevamento del baudrate"));
        break;
    case soCancelled:
        g_Trace->BugMessage(QStringLiteral("Operazione annullata !!!"));
        break;
    case soPortLost:
        g_Trace->BugMessage(QStringLiteral("Porta seriale persa durante la ricerca dello strumento"));
        break;
    case soPortNotOpened:
        g_Trace->BugMessage(QStringLiteral("Errore nell'apertura della porta seriale"));
        break;
    default:
        break;
    }
    return outcome;
}

CInstrumentSearch::Outcomes CInstrumentSearch::TryBaudRate(qint32 &baudIndex)
{
    if (m_CommConfig.InterfaceType() == itAuxiliary) {
        baudIndex = kBaudIndex9600;
        return soConnected;
    }
    if (!OpenPort(baudIndex))
        return soPortNotOpened;
    const Outcomes outcome = SearchInstrument();
    m_Link.CloseRs232();
    return outcome;
}

CInstrumentSearch::Outcomes CInstrumentSearch::SearchInstrument()
{
    const qint16 first = FirstAddress();
    const qint16 last = LastAddress();
    CLinkTimingGuard timing(m_Link);
    m_Link.SetTimeOutRx(kProbeTimeOutRxMs);
    m_Link.SetMaxErrorTimeOut(kProbeMaxErrorTimeOut);
    ShowProgress(first == last ? last - 1 : last, first, last);

    CRegisterExchange exchange(m_Link);
    for (qint16 address = first; address >= last; --address) {
        ShowProgress(first == last ? last - 1 : last, first, (first - address) + last);
        qint16 probe = 0;
        switch (exchange.ReadRegister(quint8(address), kProbeRegister, probe)) {
        case leNone:
        case leRefused: // a refusal is an answer too: the instrument is there, at this rate
            m_NetworkAdd.SetNetworkAdd(address);
            return soConnected;
        case leCancelled:
            return soCancelled;
        default:
            // Every further probe would go to a port that is no more.
            if (!m_Link.PortOpen())
                return soPortLost;
        }
    }
    return soNoAnswer;
}

qint16 CInstrumentSearch::FirstAddress() const
{
    if (m_NetworkAdd.ModeConfig() != 0)
        return kLowestAddress;
    if (m_NetworkAdd.SelNetworkAdd() != 0)
        return m_NetworkAdd.NetworkAdd();
    return kHighestAddress;
}

qint16 CInstrumentSearch::LastAddress() const
{
    return m_NetworkAdd.ModeConfig() == 0 && m_NetworkAdd.SelNetworkAdd() != 0 ? m_NetworkAdd.NetworkAdd()
                                                                               : kLowestAddress;
}

void CInstrumentSearch::ShowProgress(int minimum, int maximum, int value) const
{
    if (m_ShowProgress)
        m_ShowProgress(minimum, maximum, value);
}

bool CInstrumentSearch::OpenPort(qint32 baudIndex)
{
    return m_Link.OpenRs232(m_CommConfig.ComPort() + 1, baudIndex, kNoParity);
}
