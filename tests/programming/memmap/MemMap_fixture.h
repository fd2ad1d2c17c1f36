#pragma once

#include "programming/memmap/AuxCommandTable.h"

#include <QByteArray>
#include <QStringList>

#include <iterator>
#include <random>

// Seeded random damage to an input: flipped bits, bytes overwritten, inserted, removed or
// repeated, cut ends, numbers in a text and little-endian words set to edge values. The same seed gives the
// same inputs, so a failure can be replayed.
class CMutator
{
public:
    explicit CMutator(unsigned seed) : m_Random(seed) {}

    QByteArray Mutate(QByteArray bytes)
    {
        for (int edits = Below(4) + 1; edits > 0; --edits)
            Edit(bytes);
        return bytes;
    }

private:
    int Below(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(m_Random); }
    void Edit(QByteArray &bytes)
    {
        const int at = Below(int(bytes.size()) + 1);
        switch (Below(8)) {
        case 0:
            if (at < bytes.size())
                bytes[at] = char(bytes[at] ^ (1 << Below(8)));
            break;
        case 1:
            if (at < bytes.size())
                bytes[at] = char(Below(256));
            break;
        case 2:
            bytes.insert(at, QByteArray(Below(8) + 1, char(Below(256))));
            break;
        case 3:
            bytes.remove(at, Below(16) + 1);
            break;
        case 4:
            bytes.insert(at, bytes.mid(Below(int(bytes.size())), Below(32) + 1));
            break;
        case 5:
            bytes.truncate(at);
            break;
        case 6: {
            // A number in a text set to the edge of some table, as an instrument's listing
            // could hold it.
            static const char *const kEdges[] = {"-1", "0", "1", "17", "256", "-32768", "32767"};
            qsizetype from = at;
            while (from < bytes.size() && !IsDigit(bytes[from]))
                ++from;
            qsizetype to = from;
            while (to < bytes.size() && (IsDigit(bytes[to]) || bytes[to] == '.'))
                ++to;
            if (from > 0 && bytes[from - 1] == '-')
                --from;
            if (from < bytes.size())
                bytes.replace(from, to - from, kEdges[Below(int(std::size(kEdges)))]);
            break;
        }
        default: {
            // A word at the edge of some table: where the bounds of a value are checked, an
            // off-by-one or a missing sign test shows.
            static constexpr quint16 kEdges[] = {0x0000, 0x0001, 0xFFFF, 0x8000,
                                                 0x7FFF, 0x0100, 0x0011, 0x0006};
            const quint16 word = kEdges[Below(int(std::size(kEdges)))];
            const int even = at & ~1;
            if (even + 1 < bytes.size()) {
                bytes[even] = char(word & 0xFF);
                bytes[even + 1] = char(word >> 8);
            }
            break;
        }
        }
    }

    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    std::mt19937 m_Random;
};

// The instrument's answer to READ: every key the family reads, then its entry, `mark` and CR LF.
inline QByteArray InstrumentListing(MemMap::EFamily family, const QStringList &entries,
                                    const QByteArray &mark = {})
{
    QByteArray listing = "READ\r\n";
    for (const MemMap::CImageWord &w : MemMap::ImageLayout(family))
        listing +=
            MemMap::AuxKey(family, w.Index).toLatin1() + entries.at(w.Index).toLatin1() + mark + "\r\n";
    return listing;
}
