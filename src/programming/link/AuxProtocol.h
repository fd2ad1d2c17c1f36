#pragma once

#include <QByteArray>
#include <QString>

// The instrument's auxiliary RS232 interface speaks text: each command is its characters and
// a CR, and the instrument answers with text that is accepted when it holds the expected word
// anywhere in it.
//   "WRITE"          -> the ready prompt          opens the write mode
//   "inP>rAnG=r3"    -> "OK"                      one setting
//   "END"            -> "EXT"                     closes the write mode
//   "READ"           -> the configuration listing ("inP>rAnG=r3\r" ...)

inline const QString kAuxWriteCommand = QStringLiteral("WRITE");
inline const QString kAuxEndCommand = QStringLiteral("END");
inline const QString kAuxReadCommand = QStringLiteral("READ");
inline const QString kAuxSettingAccepted = QStringLiteral("OK");
inline const QString kAuxWriteClosed = QStringLiteral("EXT");

// The prompt the instrument shows once it is ready to take settings after "WRITE": ">>".
inline constexpr char kAuxReadyPromptCodes[2] = {62, 62};
QString AuxReadyPrompt();

// The bytes of a command on the line: one Windows-1252 byte per character, then CR.
//   AuxCommandFrame("END") -> "END\r"
QByteArray AuxCommandFrame(const QString &command);

// The index just past the first occurrence of text in the reply, compared byte for byte and
// case-sensitively; -1 when the reply does not hold it.
//   FindInAnswer("\r\nOK\r\n", "OK") -> 4     FindInAnswer("ok", "OK") -> -1
qint16 FindInAnswer(const QByteArray &reply, const QString &text);

// Every reply byte as "&h" and its upper-case hexadecimal digits, each followed by a blank.
//   AuxReplyBytesText("ok\r") -> "&h6F &h6B &hD "
QString AuxReplyBytesText(const QByteArray &reply);
