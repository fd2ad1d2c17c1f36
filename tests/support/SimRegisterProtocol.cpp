#include "support/SimRegisterProtocol.h"

#include "programming/link/RegisterFrame.h"

namespace {

constexpr int kRequestLength = 8;

quint16 Word(const QByteArray &frame, int high)
{
    return quint16(quint8(frame[high]) << 8 | quint8(frame[high + 1]));
}

QByteArray WithCrc(QByteArray frame)
{
    const quint16 crc = Crc16(frame);
    return frame.append(char(crc & 0xFF)).append(char(crc >> 8));
}

} // namespace

bool SimRegisterProtocol::TakeRequest(QByteArray &input, QByteArray &request)
{
    while (input.size() >= kRequestLength) {
        if (CheckReplyCRC(QByteArrayView(input).first(kRequestLength))) {
            request = input.left(kRequestLength);
            input.remove(0, kRequestLength);
            return true;
        }
        input.remove(0, 1);
    }
    return false;
}

SimInstrument *SimRegisterProtocol::Addressee(const QList<SimInstrument *> &instruments,
                                              const QByteArray &request)
{
    for (SimInstrument *instrument : instruments)
        if (instrument->Address() == quint8(request[0]))
            return instrument;
    return nullptr;
}

SimAnswer SimRegisterProtocol::Answer(SimInstrument &instrument, const QByteArray &request)
{
    const quint8 function = quint8(request[1]);
    const quint16 first = Word(request, 2);
    const quint16 countOrValue = Word(request, 4);
    QByteArray reply(1, request[0]);
    if (function == rfReadRegisters) {
        reply.append(char(function)).append(char(2 * countOrValue));
        for (quint16 k = 0; k < countOrValue; ++k) {
            const auto word = quint16(instrument.Register(quint16(first + k)));
            reply.append(char(word >> 8)).append(char(word & 0xFF));
        }
        return {WithCrc(reply), {}};
    }
    if (function == rfWriteRegister) {
        const auto value = qint16(countOrValue);
        instrument.RecordWrite(first, value);
        if (first == kNetworkAddressRegister || first == kBaudRateRegister)
            return {request, [&instrument, first, value] { instrument.SetRegister(first, value); }};
        instrument.SetRegister(first, value);
        return {request, {}};
    }
    reply.append(char(function | 0x80)).append(char(1));
    return {WithCrc(reply), {}};
}

QByteArray SimRegisterProtocol::Spoil(SimFault fault, const QByteArray &reply)
{
    QByteArray spoilt = reply;
    if (fault == SimFault::BadCrc && !spoilt.isEmpty()) {
        spoilt[spoilt.size() - 1] = char(spoilt[spoilt.size() - 1] ^ 0x5A);
    } else if (fault == SimFault::ForeignAddress && spoilt.size() > 2) {
        spoilt[0] = char(quint8(spoilt[0]) % 255 + 1);
        spoilt = WithCrc(spoilt.left(spoilt.size() - 2));
    }
    return spoilt;
}
