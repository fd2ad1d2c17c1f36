#pragma once

#include "programming/link/RegisterFrame.h"
#include "programming/link/TapiComm.h"

#include <QVector>

// Register reads and writes over an open link, one exchange each, waiting on a local event
// loop (window events run, so a Cancel button reaches CancelTxRx). While it lives it answers
// the link's VerifyCRC: a reply is taken only when it is the answer to the request just sent
// (ReplyMatchesRequest), or the instrument's refusal of it (its exception reply, whole at its
// five bytes), which ends the exchange at once with leRefused. Each call returns the link's
// Error (LinkErrors) or leRefused; the values are set only when it is leNone.
//   CRegisterExchange exchange(link);
//   qint16 code;
//   if (exchange.ReadRegister(1, kModuleCodeRegister, code) == leNone) ...
//   exchange.WriteRegister(1, kMemoryMapBaseAddress + 5, word);
class CRegisterExchange
{
public:
    explicit CRegisterExchange(CTapiComm &link);
    ~CRegisterExchange();
    CRegisterExchange(const CRegisterExchange &) = delete;
    CRegisterExchange &operator=(const CRegisterExchange &) = delete;

    qint32 ReadRegisters(quint8 address, quint16 firstRegister, quint16 count, QVector<qint16> &values);
    qint32 ReadRegister(quint8 address, quint16 registerAddress, qint16 &value);
    qint32 WriteRegister(quint8 address, quint16 registerAddress, qint16 value);
    // One send, never repeated: any answer ends it, even one that is no valid echo (an
    // instrument that answers at a new baud rate), else one reply time-out.
    qint32 WriteRegisterOnce(quint8 address, quint16 registerAddress, qint16 value);
    // Any request frame; the accepted reply (or the exception reply) is in Reply().
    qint32 Exchange(const QByteArray &request);
    const QByteArray &Reply() const { return m_Reply; }

private:
    CTapiComm &m_Link;
    QByteArray m_Request;
    QByteArray m_Reply;
    bool m_AcceptAny = false;
    QMetaObject::Connection m_Verify;
};
