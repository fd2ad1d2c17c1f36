#include "platform/SerialPortNames.h"

#include "platform/SettingsStore.h"

namespace Platform {

QString SerialDeviceName(qint32 portNumber)
{
    if (portNumber < 0 || portNumber >= kSerialPortCount)
        return {};
    const QString key = SerialPortName(portNumber);
    const QString fallback = QStringLiteral("/dev/ttyS%1").arg(portNumber);
    // A key left empty by hand would otherwise open nothing with no hint why.
    const QString device = ReadSetting(QStringLiteral("Ports"), key, fallback).trimmed();
    return device.isEmpty() ? fallback : device;
}

QString SerialPortName(qint32 portNumber)
{
    return QStringLiteral("COM%1").arg(portNumber + 1);
}

} // namespace Platform
