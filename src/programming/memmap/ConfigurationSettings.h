#pragma once

#include "programming/memmap/SettingStore.h"

class CConfiguration;

// The settings of a whole configuration, each read and written through the property the
// setting table names. Range and DigitalInFunction are those of the family's range object; the
// other family's range object is never touched.
class CConfigurationSettings : public ISettingStore
{
public:
    CConfigurationSettings(CConfiguration &configuration, MemMap::EFamily family);

    qint16 Value(MemMap::ESetting setting, int item) const override;
    void SetValue(MemMap::ESetting setting, int item, qint16 value) override;

private:
    CConfiguration &m_Configuration;
    MemMap::EFamily m_Family;
};
