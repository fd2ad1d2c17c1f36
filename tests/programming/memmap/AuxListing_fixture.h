#pragma once

#include "programming/memmap/AuxCommandTable.h"

#include <QByteArray>
#include <QStringList>

// The instrument's answer to READ: every key the family reads, then `gap`, its entry, `mark`
// and CR LF.
inline QByteArray InstrumentListing(MemMap::EFamily family, const QStringList &entries,
                                    const QByteArray &gap = {}, const QByteArray &mark = {})
{
    QByteArray listing = "READ\r\n";
    for (const MemMap::CImageWord &w : MemMap::ImageLayout(family))
        listing +=
            MemMap::AuxKey(family, w.Index).toLatin1() + gap + entries.at(w.Index).toLatin1() + mark + "\r\n";
    return listing;
}
