#include "model/CommConfig.h"

#include "common/TraceCode.h"
#include "model/SettingsClass.h"

CCommConfig::CCommConfig()
{
    g_Trace->BugMessage(QStringLiteral("Class_Initialize() CCommConfig"));
}

void CCommConfig::Copy(const CCommConfig &from, CCommConfig &to)
{
    to.SetComPort(from.ComPort());
    to.SetInterfaceType(from.InterfaceType());
}

void CCommConfig::LoadData(const QString &nomeFile)
{
    ICopyClass::LoadData(nomeFile);
    LoadRangedSetting(*this, QStringLiteral("m_ComPort"), m_ComPort, 0, 3, kDefaultComPort);
    LoadRangedSetting(*this, QStringLiteral("m_InterfaceType"), m_InterfaceType, 0, 2, kDefaultInterfaceType);
}

void CCommConfig::SaveData(const QString &nomeFile)
{
    ICopyClass::SaveData(nomeFile);
    SaveVariable(QStringLiteral("m_ComPort"), m_ComPort, ClassName());
    SaveVariable(QStringLiteral("m_InterfaceType"), m_InterfaceType, ClassName());
}
