#pragma once

#include <QtGlobal>

// Result of one link exchange (CTapiComm::Error).
enum LinkErrors : qint32 {
    leNone = 0,      // reply accepted
    leUART = 1,      // line fault reported by the serial port, three times
    leTimeOut = 2,   // no complete reply within MaxErrorTimeOut reply time-outs
    leCancelled = 3, // CancelTxRx; the user is not told
    leCRC = 4,       // reply refused three times
};

// The string-table message the user sees for a link error: 1 -> 206, 2 -> 207, 4 -> 215;
// 0 for no error and for a cancel. Shown with the exclamation icon under title 208.
int LinkErrorMessageId(qint32 linkError);

inline constexpr int kLinkErrorTitleId = 208;
