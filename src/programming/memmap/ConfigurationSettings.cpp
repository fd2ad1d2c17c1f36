#include "programming/memmap/ConfigurationSettings.h"

#include "programming/memmap/SettingTable.h"

using MemMap::ESetting;

CConfigurationSettings::CConfigurationSettings(CConfiguration &configuration, MemMap::EFamily family)
    : m_Configuration(configuration), m_Family(family)
{}

qint16 CConfigurationSettings::Value(ESetting setting, int item) const
{
    return MemMap::SettingRow(setting).AccessFor(m_Family).Get(m_Configuration, item);
}

void CConfigurationSettings::SetValue(ESetting setting, int item, qint16 value)
{
    MemMap::SettingRow(setting).AccessFor(m_Family).Set(m_Configuration, item, value);
}
