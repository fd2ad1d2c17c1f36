#pragma once

#include "programming/link/TapiComm.h"

#include <QByteArray>
#include <QString>

// Text commands of the instrument's auxiliary interface over an open link, one exchange each,
// waiting on a local event loop (window events run, so a Cancel button reaches CancelTxRx).
// Each call returns the link's Error (LinkErrors); the reply is kept only when it is leNone.
//   CAuxExchange aux(link);
//   if (aux.SendCommand("inP>rAnG=r3", "OK") == leNone && aux.Accepted()) ...
//   if (aux.ReadListing(5000) == leNone) parse(aux.Reply());
class CAuxExchange
{
public:
    static constexpr qint16 kListingTimeOutMs = 5000;

    explicit CAuxExchange(CTapiComm &link) : m_Link(link) {}

    // The command and a CR; the reply is complete as soon as it holds `expected`, else at the
    // reply time-out with whatever came. Accepted() then tells whether it held it; a refusal
    // is traced with the reply's bytes.
    qint32 SendCommand(const QString &command, const QString &expected);
    bool Accepted() const { return m_Accepted; }

    // "READ": the whole listing in one exchange, complete once it holds every item of one
    // module family (AuxListingComplete), else at its own reply time-out with whatever came;
    // the link's time-out is back to 3000 ms afterwards.
    qint32 ReadListing(qint16 timeOutMs = kListingTimeOutMs);

    const QByteArray &Reply() const { return m_Reply; }

private:
    qint32 Exchange(const QString &command, Platform::CSerialPortControl::ReplyTest complete);

    CTapiComm &m_Link;
    QByteArray m_Reply;
    bool m_Accepted = false;
};
