#include "programming/memmap/AuxListing.h"

#include "common/TraceCode.h"
#include "programming/memmap/AuxCommandTable.h"
#include "programming/memmap/MemMapError.h"

namespace MemMap {
namespace {

constexpr int kQEMFamilyEntry = 3;

QString ValueAfter(const QByteArray &listing, qsizetype from)
{
    QString value;
    for (qsizetype i = from; i < listing.size() && listing.at(i) != '\r'; ++i) {
        const char c = listing.at(i);
        if (c >= '-' && c <= 'z')
            value.append(QLatin1Char(c));
    }
    return value;
}

} // namespace

bool ListingIsQEM(const QByteArray &listing)
{
    return listing.contains(AuxKey(EFamily::QEM, kQEMFamilyEntry).toLatin1());
}

bool AuxListingComplete(const QByteArray &listing)
{
    const auto holdsFamily = [&listing](EFamily family) {
        for (const CImageWord &word : ImageLayout(family)) {
            const QByteArray key = AuxKey(family, word.Index).toLatin1();
            const qsizetype at = listing.indexOf(key);
            if (at < 0 || listing.indexOf('\r', at + key.size()) < 0)
                return false;
        }
        return true;
    };
    return holdsFamily(EFamily::VABZOB) || holdsFamily(EFamily::QEM);
}

QStringList ParseAuxListing(const QByteArray &listing, EFamily family)
{
    QStringList entries(WordCount(family));
    for (const CImageWord &word : ImageLayout(family)) {
        const QString key = AuxKey(family, word.Index);
        const qsizetype at = listing.indexOf(key.toLatin1());
        if (at < 0)
            RaiseMemMapError(kAuxKeyMissing,
                             QStringLiteral("Comando ") + key + QStringLiteral(" non presente!!!"));
        entries[word.Index] = ValueAfter(listing, at + key.size());
        g_Trace->BugMessage(QStringLiteral("Parsing comando ") + key + entries.at(word.Index));
    }
    return entries;
}

} // namespace MemMap
