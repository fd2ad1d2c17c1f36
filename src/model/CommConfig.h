#pragma once

#include "model/SettingsClass.h"

// How the PC reaches the instruments: the serial port and the kind of interface. Kept in the
// per-user settings store, section "CCommConfig"; the main window owns one for the run.
// GetData/SetData copy both values to and from another CCommConfig.
class CCommConfig : public CSettingsClass<CCommConfig>
{
public:
    static constexpr qint16 kDefaultComPort = 1;
    static constexpr qint16 kDefaultInterfaceType = 0;

    CCommConfig();

    QString ClassName() const override { return QStringLiteral("CCommConfig"); }

    // 0-3: COM1 to COM4.
    qint16 ComPort() const { return m_ComPort; }
    // 0 auxiliary RS 232 interface, 1 RS 232 single instrument, 2 RS 485 network.
    qint16 InterfaceType() const { return m_InterfaceType; }
    void SetComPort(qint16 value) { m_ComPort = value; }
    void SetInterfaceType(qint16 value) { m_InterfaceType = value; }

    void LoadData(const QString &nomeFile) override;
    void SaveData(const QString &nomeFile) override;

private:
    friend class CSettingsClass<CCommConfig>;
    static void Copy(const CCommConfig &from, CCommConfig &to);

    qint16 m_ComPort = kDefaultComPort;
    qint16 m_InterfaceType = kDefaultInterfaceType;
};
