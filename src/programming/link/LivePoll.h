#pragma once

#include "programming/link/LinkProcedure.h"
#include "programming/link/LiveValue.h"

class CCommConfig;
class CNetworkAddMsgSetup;

// What the live polling shows beyond the status lines: the start of the polling once the
// instrument is found, and each instrument's reading as it comes.
struct CLivePollDisplay
{
    std::function<void()> PollingStarts;
    std::function<void(qint16 address, const CLiveValue &live)> Polled;
};

// The live view's work: finds the instrument as the serial transfer does, then polls its
// measured value and alarm states (over RS 232 one instrument, over RS 485 every address of
// the network in turn) until the user cancels or the link fails. Over RS 485 an instrument
// that does not answer or refuses a read reads "Error" and polling goes on with the next (a
// refusal is traced); any other failure, and any failure over RS 232, ends it with its
// message. Nothing is archived. The first status line shows the address polled ("Network
// address 3").
//   CLivePoll poll(link, commConfig, networkAdd, report, display);
//   poll.Run();                               // returns when polling has ended
class CLivePoll : public CLinkProcedure
{
public:
    CLivePoll(CTapiComm &link, const CCommConfig &commConfig, CNetworkAddMsgSetup &networkAdd,
              CLinkReport report, CLivePollDisplay display);

    void Run();

private:
    // One poll of the instrument at address; the result tells whether polling goes on.
    bool ReadInstrVariable(qint16 address, CLiveValue &live);
    // Live-view variant, on the exchange's result: true when it failed; goOn tells whether
    // polling goes on (only after a time-out or a refusal on a network, where that instrument
    // is skipped).
    bool CheckCommError(qint32 error, bool &goOn);
    bool IsRS485() const;

    const CCommConfig &m_CommConfig;
    CNetworkAddMsgSetup &m_NetworkAddSetup;
    CLivePollDisplay m_Display;
};
