#include "model/NetworkAddMsgSetup.h"

#include "common/TraceCode.h"
#include "model/SettingsClass.h"

CNetworkAddMsgSetup::CNetworkAddMsgSetup()
{
    g_Trace->BugMessage(QStringLiteral("Class_Initialize() CNetworkAddMsgSetup"));
}

void CNetworkAddMsgSetup::Copy(const CNetworkAddMsgSetup &from, CNetworkAddMsgSetup &to)
{
    to.SetNetworkAdd(from.NetworkAdd());
    to.SetModeConfig(from.ModeConfig());
    to.SetSelNetworkAdd(from.SelNetworkAdd());
    to.SetTotalInstrNetwork(from.TotalInstrNetwork());
    to.SetInterfaceType(from.InterfaceType());
}

void CNetworkAddMsgSetup::LoadData(const QString &nomeFile)
{
    ICopyClass::LoadData(nomeFile);
    LoadRangedSetting(*this, QStringLiteral("m_NetworkAdd"), m_NetworkAdd, 1, 255, kDefaultNetworkAdd);
    LoadRangedSetting(*this, QStringLiteral("m_ModeConfig"), m_ModeConfig, 0, 1, kDefaultModeConfig);
    LoadRangedSetting(*this, QStringLiteral("m_SelNetworkAdd"), m_SelNetworkAdd, 0, 1, kDefaultSelNetworkAdd);
    LoadRangedSetting(*this, QStringLiteral("m_TotalInstrNetwork"), m_TotalInstrNetwork, 1, 255,
                      kDefaultTotalInstrNetwork);
}

void CNetworkAddMsgSetup::SaveData(const QString &nomeFile)
{
    ICopyClass::SaveData(nomeFile);
    SaveVariable(QStringLiteral("m_NetworkAdd"), m_NetworkAdd, ClassName());
    SaveVariable(QStringLiteral("m_ModeConfig"), m_ModeConfig, ClassName());
    SaveVariable(QStringLiteral("m_SelNetworkAdd"), m_SelNetworkAdd, ClassName());
    SaveVariable(QStringLiteral("m_TotalInstrNetwork"), m_TotalInstrNetwork, ClassName());
}
