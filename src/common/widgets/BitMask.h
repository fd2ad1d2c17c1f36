#pragma once

#include <QtGlobal>

// Bit n (0 to 31) of a 32-bit mask, bit 31 being the sign bit. Worked on the unsigned
// pattern, so bit 31 never overflows.
//   BitMask::IsSet(-1, 31) -> true      BitMask::With(0, 31, true) -> qint32(0x80000000)
namespace BitMask {

inline bool IsSet(qint32 mask, int bit)
{
    return (quint32(mask) >> bit) & 1u;
}

inline qint32 With(qint32 mask, int bit, bool state)
{
    const quint32 flag = 1u << bit;
    return qint32(state ? quint32(mask) | flag : quint32(mask) & ~flag);
}

} // namespace BitMask
