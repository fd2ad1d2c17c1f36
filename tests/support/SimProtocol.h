#pragma once

#include "support/SimInstrument.h"

#include <QByteArray>
#include <QList>

#include <functional>

// Faults the simulated line plays on demand (InstrumentSimulator::InjectFault). Silence: the
// request is lost, the instrument neither acts nor answers. The others: the instrument acts
// and its reply is spoiled on the way.
enum class SimFault {
    Silence,
    BadCrc,         // the reply's CRC is wrong
    Late,           // the reply comes after the fault delay (or with the next reply)
    Split,          // the reply comes in two parts with the fault delay between them
    ForeignAddress, // the reply names another address, with a right CRC
    Garbage,        // noise of the reply's length instead of the reply
};

struct SimAnswer
{
    QByteArray reply; // empty: the instrument keeps quiet
    // What changes only once the reply has left (a new address or baud rate).
    std::function<void()> afterReply;
};

// What the instruments on the line understand. The register protocol is the one used now;
// the auxiliary text protocol plugs in the same way.
class SimProtocol
{
public:
    virtual ~SimProtocol() = default;
    // Takes one complete request off the front of input; false while none is complete.
    virtual bool TakeRequest(QByteArray &input, QByteArray &request) = 0;
    // The instrument the request is meant for, nullptr when none on the line is.
    virtual SimInstrument *Addressee(const QList<SimInstrument *> &instruments,
                                     const QByteArray &request) = 0;
    virtual SimAnswer Answer(SimInstrument &instrument, const QByteArray &request) = 0;
    // The reply as a fault of this protocol's own spoils it (bad CRC, foreign address).
    virtual QByteArray Spoil(SimFault fault, const QByteArray &reply) = 0;
};
