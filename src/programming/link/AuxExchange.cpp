#include "programming/link/AuxExchange.h"

#include "common/TraceCode.h"
#include "platform/Cp1252.h"
#include "programming/link/AuxProtocol.h"
#include "programming/memmap/AuxListing.h"

qint32 CAuxExchange::Exchange(const QString &command, Platform::CSerialPortControl::ReplyTest complete)
{
    m_Reply.clear();
    m_Accepted = false;
    m_Link.SetCommMode(1);
    m_Link.Rs232Control().SetReplyComplete(std::move(complete));
    m_Link.SetFrameTx(AuxCommandFrame(command));
    m_Link.SetByteToReceive(0);
    m_Link.StartTxRx();
    m_Link.WaitTxRx();
    if (m_Link.Error() == leNone)
        m_Reply = m_Link.FrameRx();
    return m_Link.Error();
}

qint32 CAuxExchange::SendCommand(const QString &command, const QString &expected)
{
    const QByteArray expectedBytes = ToCp1252(expected);
    const qint32 error =
        Exchange(command, [expectedBytes](const QByteArray &reply) { return reply.contains(expectedBytes); });
    if (error != leNone)
        return error;
    m_Accepted = FindInAnswer(m_Reply, expected) >= 0;
    if (!m_Accepted) {
        g_Trace->BugMessage(QStringLiteral("Comando ") + command +
                            QStringLiteral(" non accettato dallo strumento !!!."));
        g_Trace->BugMessage(QStringLiteral("Risposta dello strumento:") + AuxReplyBytesText(m_Reply));
    }
    return error;
}

qint32 CAuxExchange::ReadListing(qint16 timeOutMs)
{
    m_Link.SetTimeOutRx(timeOutMs);
    const qint32 error = Exchange(kAuxReadCommand, &MemMap::AuxListingComplete);
    m_Link.SetTimeOutRx(CTapiComm::kDefaultTimeOutRxMs);
    return error;
}
