#pragma once

#include <QtGlobal>

// The instrument's registers as the program reads and writes them, shared by the memory image
// (which word lives where) and the link (what each exchange asks for). Image word i lives at
// kMemoryMapBaseAddress + i, but for the QEM image's word 89 at kColdJunctionRegister.

inline constexpr quint16 kProbeRegister = 0x000B; // 27 = ZOB module, 28 = QEM module
inline constexpr qint16 kProbeSignalModule = 27;
inline constexpr qint16 kProbeTemperatureModule = 28;
inline constexpr quint16 kModuleBlockRegister = 0x3000; // ModuleBlock, 7 registers
inline constexpr quint16 kModuleBlockCount = 7;
inline constexpr quint16 kModuleCodeRegister = 0x3004;     // CodificaModuli inside ModuleBlock
inline constexpr quint16 kLiveValueBlockRegister = 0x3001; // LiveValueBlock, 6 registers
inline constexpr quint16 kLiveValueBlockCount = 6;
inline constexpr quint16 kLiveStatusRegister = 0x3005;     // status word inside LiveValueBlock
inline constexpr quint16 kMemoryMapBaseAddress = 0xE000;   // image word i at 0xE000 + i ...
inline constexpr quint16 kColdJunctionRegister = 0xE06C;   // ... but QEM word 89 (TempCJC) here
inline constexpr quint16 kDecimalPointRegister = 0xE008;   // image word 8
inline constexpr quint16 kNetworkAddressRegister = 0xE056; // image word 86
inline constexpr quint16 kBaudRateRegister = 0xE057;       // image word 87
inline constexpr quint16 kImageReadBlockCount = 11;        // registers per image read block

// Bits of the live status word.
inline constexpr qint16 kStatusAlarmBits = 0x000F; // bit k-1 = alarm k active
inline constexpr qint16 kStatusStateFlag = 0x0010;
inline constexpr qint16 kStatusOverRange = 0x0020;
inline constexpr qint16 kStatusOverRangeNegative = 0x0040;
