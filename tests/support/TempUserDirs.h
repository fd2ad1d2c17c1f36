#pragma once

#include <QTemporaryDir>

// Points the user's data and config folders at a fresh temporary folder for one test, and
// back when the test ends: each test starts with no archive, settings or log.
class TempUserDirs
{
public:
    TempUserDirs() : m_OldData(qgetenv("XDG_DATA_HOME")), m_OldConfig(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_DATA_HOME", (m_Dir.path() + "/data").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (m_Dir.path() + "/config").toLocal8Bit());
    }
    ~TempUserDirs()
    {
        qputenv("XDG_DATA_HOME", m_OldData);
        qputenv("XDG_CONFIG_HOME", m_OldConfig);
    }
    QString Path() const { return m_Dir.path(); }

private:
    QTemporaryDir m_Dir;
    QByteArray m_OldData;
    QByteArray m_OldConfig;
};
