#pragma once

#include <QtGlobal>

// CCommConfig::InterfaceType: how the PC reaches the instruments.
enum InterfaceTypes : qint16 {
    itAuxiliary = 0, // the instrument's auxiliary RS 232 text interface
    itRS232 = 1,     // one instrument, register frames
    itRS485 = 2,     // a network of addressed instruments, register frames
};
