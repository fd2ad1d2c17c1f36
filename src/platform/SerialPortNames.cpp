#include "platform/SerialPortNames.h"

#include "platform/SettingsStore.h"

namespace Platform {
namespace {

const QString kPortsSection = QStringLiteral("Ports");

bool IsPort(qint32 portNumber)
{
    return portNumber >= 0 && portNumber < kSerialPortCount;
}

// A key left empty by hand would otherwise open nothing with no hint why.
QString DefaultDevice(qint32 portNumber)
{
    return QStringLiteral("/dev/ttyS%1").arg(portNumber);
}

} // namespace

QString SerialDeviceName(qint32 portNumber)
{
    if (!IsPort(portNumber))
        return {};
    const QString device = ReadSetting(kPortsSection, SerialPortName(portNumber), QString()).trimmed();
    return device.isEmpty() ? DefaultDevice(portNumber) : device;
}

QByteArray SerialDevicePath(qint32 portNumber)
{
    if (!IsPort(portNumber))
        return {};
    const QByteArray device = ReadSettingBytes(kPortsSection, SerialPortName(portNumber), {}).trimmed();
    return device.isEmpty() ? DefaultDevice(portNumber).toLatin1() : device;
}

QString SerialPortName(qint32 portNumber)
{
    return QStringLiteral("COM%1").arg(portNumber + 1);
}

} // namespace Platform
