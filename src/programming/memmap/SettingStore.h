#pragma once

#include "programming/memmap/MemMapLayout.h"

// The configuration as the image conversions see it: one 16-bit value per setting and item.
// The conversions know the instrument's layout and texts, the store knows which object and
// property hold each setting, so the two can be checked apart.
class ISettingStore
{
public:
    virtual ~ISettingStore() = default;
    virtual qint16 Value(MemMap::ESetting setting, int item) const = 0;
    virtual void SetValue(MemMap::ESetting setting, int item, qint16 value) = 0;
};
