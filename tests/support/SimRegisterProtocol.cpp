#include "support/SimRegisterProtocol.h"

#include "programming/link/RegisterFrame.h"

namespace {

constexpr int kRequestLength = 8;

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
    const auto first = quint16(FrameWord(request, 2));
    const auto countOrValue = quint16(FrameWord(request, 4));
    if (instrument.IsSilentAt(first))
        return {};
    QByteArray reply(1, request[0]);
    if (function == rfReadRegisters) {
        reply.append(char(function)).append(char(2 * countOrValue));
        for (quint16 k = 0; k < countOrValue; ++k)
            AppendWord(reply, instrument.Register(quint16(first + k)));
        return {WithCRC16(reply), {}};
    }
    if (function == rfWriteRegister) {
        const auto value = qint16(countOrValue);
        instrument.RecordWrite(first, value);
        if (first == kNetworkAddressRegister && instrument.AnswersFromNewAddress()) {
            instrument.SetRegister(first, value);
            QByteArray echo = request.left(6);
            echo[0] = char(instrument.Address());
            return {WithCRC16(echo), {}};
        }
        if (first == kNetworkAddressRegister || first == kBaudRateRegister)
            return {request, [&instrument, first, value] { instrument.SetRegister(first, value); }};
        instrument.SetRegister(first, value);
        return {request, {}};
    }
    reply.append(char(function | 0x80)).append(char(1));
    return {WithCRC16(reply), {}};
}

QByteArray SimRegisterProtocol::Spoil(SimFault fault, const QByteArray &reply)
{
    QByteArray spoilt = reply;
    if (fault == SimFault::BadCrc && !spoilt.isEmpty()) {
        spoilt[spoilt.size() - 1] = char(spoilt[spoilt.size() - 1] ^ 0x5A);
    } else if (fault == SimFault::ForeignAddress && spoilt.size() > 2) {
        spoilt[0] = char(quint8(spoilt[0]) % 255 + 1);
        spoilt = WithCRC16(spoilt.left(spoilt.size() - 2));
    }
    return spoilt;
}
