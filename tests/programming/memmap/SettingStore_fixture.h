#pragma once

#include "programming/memmap/SettingStore.h"

#include <QHash>
#include <QPair>

// A configuration reduced to its settings, so the conversions can be checked without an archive.
class CMapSettingStore : public ISettingStore
{
public:
    qint16 Value(MemMap::ESetting setting, int item) const override
    {
        return m_Values.value({int(setting), item}, 0);
    }
    void SetValue(MemMap::ESetting setting, int item, qint16 value) override
    {
        m_Values.insert({int(setting), item}, value);
    }

private:
    QHash<QPair<int, int>, qint16> m_Values;
};
