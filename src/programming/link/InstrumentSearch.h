#pragma once

#include "programming/link/TapiComm.h"

#include <functional>

class CCommConfig;
class CNetworkAddMsgSetup;

// Finds the baud rate and the address at which an instrument answers, for the serial transfer
// and the live view. The baud indexes 4, 5, 3, 2 (38400, 19200, 9600, 4800) are tried in
// turn; at each the port is opened and the probe register read at the addresses the network
// settings give: address 1 in network mode, NetworkAdd with a manual address, else 255 down
// to 1. Each silent address costs one 500 ms time-out. The address that answered goes into
// NetworkAdd, and the port is opened again at the rate found:
//   CInstrumentSearch search(link, commConfig, networkAdd);
//   search.SetProgressDisplay([&](int min, int max, int value) { ... });
//   if (search.AutoDetectBaudRate() == CInstrumentSearch::soConnected) ...   // port open
class CInstrumentSearch
{
public:
    enum Outcomes : qint32 {
        soConnected,          // the port is open at the rate found
        soNoAnswer,           // no rate gave an answer
        soCancelled,          // the user cancelled; the network settings are untouched
        soPortNotOpened,      // the port would not open (at the first rate, or again at the one found)
        soBadNetworkSettings, // an address or network size outside 1-255: nothing was tried
        soPortLost,           // the port went away during the search (an adapter unplugged)
    };

    static constexpr qint16 kProbeTimeOutRxMs = 500;
    static constexpr qint16 kProbeMaxErrorTimeOut = 1;
    static constexpr qint32 kBaudIndexes[] = {4, 5, 3, 2};
    static constexpr qint16 kLowestAddress = 1;
    static constexpr qint16 kHighestAddress = 255;

    using ProgressDisplay = std::function<void(int minimum, int maximum, int value)>;

    CInstrumentSearch(CTapiComm &link, const CCommConfig &commConfig, CNetworkAddMsgSetup &networkAdd);

    void SetProgressDisplay(ProgressDisplay display) { m_ShowProgress = std::move(display); }
    // Whether the run goes on to use TotalInstrNetwork (a network write, an RS 485 live
    // view), so that it must be a network size; by default in network mode only.
    void SetNetworkSizeUsed(bool used) { m_NetworkSizeUsed = used; }

    Outcomes AutoDetectBaudRate();
    // The rate found (an index of CTapiComm::OpenRs232).
    qint32 BaudIndex() const { return m_BaudIndex; }

private:
    // The settings the run will use are addresses: false, with a trace line, when not.
    bool NetworkSettingsUsable() const;
    // One rate: soConnected when an instrument answered there (the port is closed again),
    // soNoAnswer, soCancelled, soPortLost, or soPortNotOpened: a port that does not open at
    // one rate opens at none, so the search ends there. The auxiliary interface needs no search: 9600
    // baud, found at once.
    Outcomes TryBaudRate(qint32 &baudIndex);
    // Probes the addresses at the rate the port is open at; only an answer changes
    // NetworkAdd.
    Outcomes SearchInstrument();
    qint16 FirstAddress() const;
    qint16 LastAddress() const;
    void ShowProgress(int minimum, int maximum, int value) const;
    bool OpenPort(qint32 baudIndex);

    CTapiComm &m_Link;
    const CCommConfig &m_CommConfig;
    CNetworkAddMsgSetup &m_NetworkAdd;
    ProgressDisplay m_ShowProgress;
    bool m_NetworkSizeUsed;
    qint32 m_BaudIndex = 3;
};

// Bits per second of a baud index the search tries: 4 -> 38400, 5 -> 19200, 3 -> 9600, 2 -> 4800.
qint32 BaudRateOfIndex(qint32 baudIndex);
