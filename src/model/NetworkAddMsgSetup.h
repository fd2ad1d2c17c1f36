#pragma once

#include "model/SettingsClass.h"

// How a transfer or a live view finds its instruments: one or all of the network, an address
// found or typed in, and how many instruments the network holds. Kept in the per-user
// settings store, section "CNetworkAddMsgSetup"; InterfaceType is context and never stored.
// GetData/SetData copy all five values, InterfaceType included.
class CNetworkAddMsgSetup : public CSettingsClass<CNetworkAddMsgSetup>
{
public:
    static constexpr qint16 kDefaultNetworkAdd = 1;
    static constexpr qint16 kDefaultModeConfig = 0;
    static constexpr qint16 kDefaultSelNetworkAdd = 0;
    static constexpr qint16 kDefaultTotalInstrNetwork = 255;

    CNetworkAddMsgSetup();

    QString ClassName() const override { return QStringLiteral("CNetworkAddMsgSetup"); }

    // 1-255: the address used with a manual address; the address search stores its find here.
    qint16 NetworkAdd() const { return m_NetworkAdd; }
    // 0 one instrument, 1 every instrument of the network.
    qint16 ModeConfig() const { return m_ModeConfig; }
    // 0 address found automatically, 1 manual address.
    qint16 SelNetworkAdd() const { return m_SelNetworkAdd; }
    // 1-255: the network holds the addresses 1 to this number.
    qint16 TotalInstrNetwork() const { return m_TotalInstrNetwork; }
    // Context: CCommConfig.InterfaceType, plus 3 in the receive-edit-transmit wizard.
    qint16 InterfaceType() const { return m_InterfaceType; }
    void SetNetworkAdd(qint16 value) { m_NetworkAdd = value; }
    void SetModeConfig(qint16 value) { m_ModeConfig = value; }
    void SetSelNetworkAdd(qint16 value) { m_SelNetworkAdd = value; }
    void SetTotalInstrNetwork(qint16 value) { m_TotalInstrNetwork = value; }
    void SetInterfaceType(qint16 value) { m_InterfaceType = value; }

    void LoadData(const QString &nomeFile) override;
    void SaveData(const QString &nomeFile) override;

private:
    friend class CSettingsClass<CNetworkAddMsgSetup>;
    static void Copy(const CNetworkAddMsgSetup &from, CNetworkAddMsgSetup &to);

    qint16 m_NetworkAdd = kDefaultNetworkAdd;
    qint16 m_ModeConfig = kDefaultModeConfig;
    qint16 m_SelNetworkAdd = kDefaultSelNetworkAdd;
    qint16 m_TotalInstrNetwork = kDefaultTotalInstrNetwork;
    qint16 m_InterfaceType = 0;
};
