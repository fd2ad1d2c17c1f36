#pragma once

#include <QTemporaryDir>

// Points the user's data and config folders at a fresh temporary folder for one test, and
// back when the test ends: each test starts with no archive, settings or log.
class TempUserDirs
{
public:
    TempUserDirs();
    ~TempUserDirs();
    QString Path() const { return m_Dir.path(); }

private:
    QTemporaryDir m_Dir;
    QByteArray m_OldData;
    QByteArray m_OldConfig;
};
