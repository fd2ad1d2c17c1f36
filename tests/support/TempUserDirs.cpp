#include "support/TempUserDirs.h"

TempUserDirs::TempUserDirs() : m_OldData(qgetenv("XDG_DATA_HOME")), m_OldConfig(qgetenv("XDG_CONFIG_HOME"))
{
    qputenv("XDG_DATA_HOME", (m_Dir.path() + "/data").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (m_Dir.path() + "/config").toLocal8Bit());
}

TempUserDirs::~TempUserDirs()
{
    qputenv("XDG_DATA_HOME", m_OldData);
    qputenv("XDG_CONFIG_HOME", m_OldConfig);
}
