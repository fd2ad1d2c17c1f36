#include "programming/link/AuxProtocol.h"

#include "platform/Cp1252.h"

QString AuxReadyPrompt()
{
    return QString(QLatin1Char(kAuxReadyPromptCodes[0])) + QLatin1Char(kAuxReadyPromptCodes[1]);
}

QByteArray AuxCommandFrame(const QString &command)
{
    return ToCp1252(command) + '\r';
}

qint16 FindInAnswer(const QByteArray &reply, const QString &text)
{
    const QByteArray bytes = ToCp1252(text);
    const qsizetype at = reply.indexOf(bytes);
    return at < 0 ? qint16(-1) : qint16(at + bytes.size());
}

QString AuxReplyBytesText(const QByteArray &reply)
{
    QString text;
    for (const char byte : reply)
        text += QStringLiteral("&h") + QString::number(quint8(byte), 16).toUpper() + QLatin1Char(' ');
    return text;
}
