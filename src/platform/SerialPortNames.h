#pragma once

#include <QString>

// Which device stands behind a port number of the user interface. The settings section
// "Ports" names them (keys "COM1" to "COM4"), so a USB adapter or a test pseudo-terminal can
// take the place of a built-in port:
//   SerialDeviceName(0) -> "/dev/ttyS0"    (nothing stored)
//   SerialDeviceName(0) -> "/dev/ttyUSB0"  ([Ports] COM1=/dev/ttyUSB0)
//   SerialDeviceName(7) -> ""              (no such port)
namespace Platform {

inline constexpr qint32 kSerialPortCount = 4;

// portNumber is 0-based: 0 = COM1.
QString SerialDeviceName(qint32 portNumber);
// The port's name in the user interface and its key in "Ports": SerialPortName(0) -> "COM1".
QString SerialPortName(qint32 portNumber);

} // namespace Platform
