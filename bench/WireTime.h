#pragma once

#include "support/InstrumentSimulator.h"

// A real line's timing, which the benchmarks measure the program against: the bytes of request
// and reply on the wire at the program's rate plus the instrument's turnaround; between a reply
// and its next request a master keeps the silence of 3.5 characters.
inline constexpr int kWireTurnaroundMs = 5;

inline double ModelledExchangeMs(const InstrumentSimulator &line, int requestBytes, int replyBytes, int baud)
{
    return (requestBytes + replyBytes) * line.BitsPerCharacter() * 1000.0 / baud + kWireTurnaroundMs;
}

inline double RtuSilenceMs(const InstrumentSimulator &line, int baud)
{
    return baud > 19200 ? 1.75 : 3.5 * line.BitsPerCharacter() * 1000.0 / baud;
}

// The simulated instruments answer after the modelled time of each exchange.
inline void EmulateWireTime(InstrumentSimulator &line)
{
    line.ReplyDelayMs = [&line](const QByteArray &request, const QByteArray &reply, int baud) {
        return ModelledExchangeMs(line, int(request.size()), int(reply.size()), baud);
    };
}
