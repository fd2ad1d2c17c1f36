#include "programming/link/RegisterExchange.h"

CRegisterExchange::CRegisterExchange(CTapiComm &link) : m_Link(link)
{
    m_Verify = QObject::connect(&link, &CTapiComm::VerifyCRC, [this](bool &crcOk, const QByteArray &reply) {
        crcOk = m_AcceptAny || ReplyMatchesRequest(m_Request, reply) || IsExceptionReply(m_Request, reply);
    });
}

CRegisterExchange::~CRegisterExchange()
{
    QObject::disconnect(m_Verify);
}

qint32 CRegisterExchange::Exchange(const QByteArray &request)
{
    m_Request = request;
    m_Reply.clear();
    m_Link.SetCommMode(1);
    // The refusal is shorter than the reply asked for: whole at its own length, not at a time-out.
    m_Link.Rs232Control().SetReplyComplete(
        [request](const QByteArray &input) { return IsExceptionReply(request, input); });
    m_Link.SetFrameTx(request);
    m_Link.SetByteToReceive(ExpectedReplyLength(request));
    m_Link.StartTxRx();
    m_Link.WaitTxRx();
    if (m_Link.Error() != leNone)
        return m_Link.Error();
    m_Reply = m_Link.FrameRx();
    return IsExceptionReply(request, m_Reply) ? leRefused : leNone;
}

qint32 CRegisterExchange::ReadRegisters(quint8 address, quint16 firstRegister, quint16 count,
                                        QVector<qint16> &values)
{
    const qint32 error = Exchange(ReadRequest(address, firstRegister, count));
    if (error != leNone)
        return error;
    values.resize(count);
    for (int k = 0; k < count; ++k)
        values[k] = ReplyRegister(m_Reply, k);
    return error;
}

qint32 CRegisterExchange::ReadRegister(quint8 address, quint16 registerAddress, qint16 &value)
{
    QVector<qint16> values;
    const qint32 error = ReadRegisters(address, registerAddress, 1, values);
    if (error == leNone)
        value = values.front();
    return error;
}

qint32 CRegisterExchange::WriteRegister(quint8 address, quint16 registerAddress, qint16 value)
{
    return Exchange(WriteRequest(address, registerAddress, value));
}

qint32 CRegisterExchange::WriteRegisterOnce(quint8 address, quint16 registerAddress, qint16 value)
{
    const qint16 maxErrorTimeOut = m_Link.MaxErrorTimeOut();
    m_Link.SetMaxErrorTimeOut(1);
    m_AcceptAny = true;
    const qint32 error = WriteRegister(address, registerAddress, value);
    m_AcceptAny = false;
    m_Link.SetMaxErrorTimeOut(maxErrorTimeOut);
    return error;
}
