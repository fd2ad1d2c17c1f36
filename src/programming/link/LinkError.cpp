#include "programming/link/LinkError.h"

#include "common/ResString.h"
#include "programming/link/RegisterFrame.h"

namespace {

constexpr int kWriteRefusedId = 893;   // "... refused the value |2 for register |1: |3."
constexpr int kReadRefusedId = 894;    // "... refused to read register |1: |2."
constexpr int kRunRefusedId = 895;     // "... refused to read registers |1 to |2: |3."
constexpr int kFirstMeaningId = 896;   // exception codes 1 to 4, in order
constexpr int kOtherExceptionId = 900; // "exception code |1"
constexpr quint8 kKnownExceptionCodes = 4;

QString RegisterText(quint16 registerAddress)
{
    return QStringLiteral("0x") +
           QStringLiteral("%1").arg(registerAddress, 4, 16, QLatin1Char('0')).toUpper();
}

QString ExceptionMeaning(quint8 code)
{
    if (code >= 1 && code <= kKnownExceptionCodes)
        return LoadResString(kFirstMeaningId + code - 1);
    return LoadResStringArgs(kOtherExceptionId, {int(code)});
}

} // namespace

int LinkErrorMessageId(qint32 linkError)
{
    switch (linkError) {
    case leUART:
        return 206;
    case leTimeOut:
        return 207;
    case leCRC:
        return 215;
    default:
        return 0;
    }
}

CLinkMessage InstrumentRefusal(QByteArrayView request, QByteArrayView exceptionReply)
{
    const auto first = quint16(FrameWord(request, 2));
    const qint16 countOrValue = FrameWord(request, 4);
    const QString meaning = ExceptionMeaning(ExceptionCode(exceptionReply));
    if (quint8(request[1]) == rfWriteRegister)
        return {kWriteRefusedId, {RegisterText(first), countOrValue, meaning}};
    if (countOrValue <= 1)
        return {kReadRefusedId, {RegisterText(first), meaning}};
    return {kRunRefusedId, {RegisterText(first), RegisterText(quint16(first + countOrValue - 1)), meaning}};
}
