#pragma once

#include "support/SimInstrument.h"

#include <QByteArray>

#include <functional>

// Faults the simulated line plays on demand (InstrumentSimulator::InjectFault). Silence: the
// request is lost, the instrument neither acts nor answers. The others: the instrument acts
// and its reply is spoiled on the way.
enum class SimFault {
    Silence,
    BadCrc,         // the reply's last byte is wrong (a register reply fails its CRC)
    Late,           // the reply comes after the fault delay (or with the next reply)
    Split,          // the reply comes in two parts with the fault delay between them
    ForeignAddress, // a register reply names another address, with a right CRC
};

struct SimAnswer
{
    QByteArray reply; // empty: the instrument keeps quiet
    // What changes only once the reply has left (a new address or baud rate).
    std::function<void()> afterReply;
};

// What the instruments on the line understand: register frames unless the line is given
// another protocol (the auxiliary text interface, SimAuxLine.h).
class SimProtocol
{
public:
    virtual ~SimProtocol() = default;
    // Takes one complete request off the front of input; false while none is complete.
    virtual bool TakeRequest(QByteArray &input, QByteArray &request) = 0;
    virtual bool IsFor(const SimInstrument &instrument, const QByteArray &request) = 0;
    virtual SimAnswer Answer(SimInstrument &instrument, const QByteArray &request) = 0;
};
