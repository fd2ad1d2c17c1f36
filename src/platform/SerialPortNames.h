#pragma once

#include <QByteArray>
#include <QString>

// Which device stands behind a port number of the user interface. The settings section
// "Ports" names them (keys "COM1" to "COM4"), so a USB adapter or a test pseudo-terminal can
// take the place of a built-in port:
//   SerialDeviceName(0) -> "/dev/ttyS0"    (nothing stored)
//   SerialDeviceName(0) -> "/dev/ttyUSB0"  ([Ports] COM1=/dev/ttyUSB0)
//   SerialDeviceName(7) -> ""              (no such port)
namespace Platform {

inline constexpr qint32 kSerialPortCount = 4;

// portNumber is 0-based: 0 = COM1. The name as the user reads it in a message.
QString SerialDeviceName(qint32 portNumber);
// The same device as the bytes the settings file holds, which is what the system opens: a
// Windows-1252 file's "COM1=/dev/serial/by-id/usb-caf\xE9-if00" keeps its byte 0xE9.
QByteArray SerialDevicePath(qint32 portNumber);
// The port's name in the user interface and its key in "Ports": SerialPortName(0) -> "COM1".
QString SerialPortName(qint32 portNumber);

} // namespace Platform
