#pragma once

#include <QtGlobal>

// The codes of a configuration's model, modules and probe, as the archive, the program files
// and the instrument keep them (16-bit numbers). Rules, pages, reports and the memory images
// read them through these names only.

// CModInstr.ModelloStrumento
namespace Modello {
enum : qint16 { EKA35 = 0, EKA40 = 1, IXO = 2 };
}

// CModInstr.SlotA: the measuring module.
namespace SlotAModule {
enum : qint16 { VAB = 0, VAKVAM = 1, ZOB = 2, QEM = 3 };
}

// CModInstr.SlotB: serial module or KQ.
namespace SlotBModule {
enum : qint16 { None = 0, QZ = 1, ZQ = 2, KQ = 3 };
}

// CModInstr.SlotC: relay module or KQ.
namespace SlotCModule {
enum : qint16 { None = 0, Z3 = 1, Z5 = 2, Z8Z9 = 3, KQ = 4 };
}

// CModInstr.SlotD: KQ only.
namespace SlotDModule {
enum : qint16 { None = 0, KQ = 1 };
}

// CRangeQEM.ProbeSelect
namespace Probe {
enum : qint16 { Thermocouple = 0, RTD = 1, Resistance = 2 };
}

// CDisplay.DisplayDigit: 3½ digits, or 3 digits and a fixed 0.
namespace DisplayDigits {
enum : qint16 { Digits1999 = 0, Digits9990 = 1 };
}

// How many alarms the relay module of slot C drives: Z3 one, Z5 two, Z8/Z9 four; none for no
// module, KQ, or a stored code outside the table.
inline int RelayModuleAlarms(qint16 slotC)
{
    switch (slotC) {
    case SlotCModule::Z3:
        return 1;
    case SlotCModule::Z5:
        return 2;
    case SlotCModule::Z8Z9:
        return 4;
    default:
        return 0;
    }
}

// The module code word CodificaModuli, bit by bit.
namespace ModuleCodeBits {
enum : quint16 {
    ModelMask = 0xE000,
    ModelEKA40 = 0x8000,
    ModelIXO = 0xC000,
    SlotAMask = 0x0C00,
    SlotAShift = 10,
    SlotBMask = 0x0300,
    SlotBQZ = 0x0200,
    SlotBZQ = 0x0100,
    KQFitted = 0x0010,
    RelayMask = 0x000F,
    RelayZ3 = 0x0001,
    RelayZ5 = 0x0003,
    RelayZ8Z9 = 0x000F,
};
}
