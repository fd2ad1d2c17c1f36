#pragma once

#include <QByteArrayView>
#include <QVariantList>
#include <QtGlobal>

// Result of one link exchange (CTapiComm::Error, and what the exchanges return).
enum LinkErrors : qint32 {
    leNone = 0,      // reply accepted
    leUART = 1,      // line fault reported by the serial port, three times, or the port gone
    leTimeOut = 2,   // no complete reply within MaxErrorTimeOut reply time-outs
    leCancelled = 3, // CancelTxRx; the user is not told
    leCRC = 4,       // reply refused three times
    // The instrument refused the request with its exception reply (CRegisterExchange; the link
    // itself took the reply and ended with 0): never re-sent.
    leRefused = 5,
};

// The string-table message the user sees for a link error: 1 -> 206, 2 -> 207, 4 -> 215;
// 0 for no error, a cancel and a refusal (InstrumentRefusal). Shown with the exclamation
// icon under title 208.
int LinkErrorMessageId(qint32 linkError);

// A string-table message and the arguments of its placeholders.
struct CLinkMessage
{
    int id = 0;
    QVariantList args;
};

// What the user reads of the instrument's refusal of a register request: the register (the
// first and last of a read run), the value a write sent, and the meaning of the exception code.
//   write of 1234 to 0xE010 refused with code 3 ->
//   "The instrument refused the value 1234 for register 0xE010: illegal data value."
CLinkMessage InstrumentRefusal(QByteArrayView request, QByteArrayView exceptionReply);

inline constexpr int kLinkErrorTitleId = 208;
