#pragma once

#include "support/SimProtocol.h"

// Register frames as an instrument answers them: function 4 (read a run of registers) and
// function 6 (write one, answered with the echo); any other function gets the exception reply
// (function + 0x80, code 1). A run of bytes that is no valid request is skipped byte by byte.
class SimRegisterProtocol : public SimProtocol
{
public:
    bool TakeRequest(QByteArray &input, QByteArray &request) override;
    SimInstrument *Addressee(const QList<SimInstrument *> &instruments, const QByteArray &request) override;
    SimAnswer Answer(SimInstrument &instrument, const QByteArray &request) override;
    QByteArray Spoil(SimFault fault, const QByteArray &reply) override;
};
