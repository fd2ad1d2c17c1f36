#include "programming/link/LivePoll.h"

#include "common/ResString.h"
#include "common/TraceCode.h"
#include "model/CommConfig.h"
#include "model/NetworkAddMsgSetup.h"
#include "programming/link/InstrumentSearch.h"
#include "programming/link/InterfaceTypes.h"
#include "programming/link/LinkError.h"
#include "programming/link/RegisterExchange.h"

namespace {

constexpr int kAddressCaptionId = 222; // "Network address |1"

} // namespace

CLivePoll::CLivePoll(CTapiComm &link, const CCommConfig &commConfig, CNetworkAddMsgSetup &networkAdd,
                     CLinkReport report, CLivePollDisplay display)
    : CLinkProcedure(link, std::move(report)), m_CommConfig(commConfig), m_NetworkAddSetup(networkAdd),
      m_Display(std::move(display))
{}

bool CLivePoll::IsRS485() const
{
    return m_CommConfig.InterfaceType() == itRS485;
}

void CLivePoll::Run()
{
    CInstrumentSearch search(m_Link, m_CommConfig, m_NetworkAddSetup);
    search.SetNetworkSizeUsed(IsRS485());
    if (!Connect(search))
        return;
    if (m_Display.PollingStarts)
        m_Display.PollingStarts();
    const qint16 networkSize = m_NetworkAddSetup.TotalInstrNetwork();
    qint16 address = m_NetworkAddSetup.NetworkAdd();
    for (;;) {
        ShowSearchLine(LoadResStringArgs(kAddressCaptionId, {address}));
        CLiveValue live;
        if (!ReadInstrVariable(address, live))
            break;
        if (m_Display.Polled)
            m_Display.Polled(address, live);
        if (IsRS485())
            address =
                (address == networkSize || address == CInstrumentSearch::kHighestAddress) ? 1 : address + 1;
    }
}

bool CLivePoll::ReadInstrVariable(qint16 address, CLiveValue &live)
{
    g_Trace->BugMessage(QStringLiteral("Start ReadInstrVariable()"));
    CRegisterExchange exchange(m_Link);
    bool goOn = false;
    QVector<qint16> block;
    qint16 decimalPoint = 0;
    // Either read failing leaves this instrument's row at "Error": showing what the previous
    // instrument of the network read would put its value under the wrong address.
    qint32 error =
        exchange.ReadRegisters(quint8(address), kLiveValueBlockRegister, kLiveValueBlockCount, block);
    if (error == leNone)
        error = exchange.ReadRegister(quint8(address), kDecimalPointRegister, decimalPoint);
    if (CheckCommError(error, goOn)) {
        live = CLiveValue::Error();
        return goOn;
    }
    const qint16 value = block.at(0);
    const qint16 status = block.at(kLiveStatusRegister - kLiveValueBlockRegister);
    live = DecodeLiveValue(value, status, decimalPoint);
    g_Trace->BugMessage(
        ReplaceArgs(QStringLiteral("m_NetworkAdd=|1 dp=|2 Value=|3 AlarmStatus=|4 m_VariableValue=|5"),
                    {address, decimalPoint, value, status, live.VariableValue}));
    return true;
}

bool CLivePoll::CheckCommError(qint32 error, bool &goOn)
{
    if (error == leNone)
        return false;
    // On a network one instrument that gives no value, silent or refusing the read, must not
    // end the view of the others: its row reads Error and the refusal goes to the trace only.
    goOn = IsRS485() && (error == leTimeOut || error == leRefused);
    if (error == leCancelled)
        m_Link.CloseRs232();
    else if (!goOn)
        TellLinkError(error);
    else if (error == leRefused)
        TraceRefusal();
    return true;
}
