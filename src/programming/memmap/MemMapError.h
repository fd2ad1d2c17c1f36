#pragma once

#include <QString>

// Errors of the memory-map managers. Each is traced before it is raised, so the log tells
// which entry or value stopped a conversion even when the caller shows only the text.
//   RaiseMemMapError(kAuxKeyMissing, "Comando SCAL>Lo.d= non presente!!!")
//     -> trace line, then CError(13201 | 0x80040000, "IxoSoft.MemMap", that text)
namespace MemMap {

enum EMemMapError : qint32 {
    kAuxKeyMissing = 13201,   // the instrument's listing lacks the key of an entry to read
    kAuxValueInvalid = 13202, // an entry's text is no value of its setting
    kAuxNameMissing = 13203,  // a stored value has no text the instrument knows
};

[[noreturn]] void RaiseMemMapError(EMemMapError code, const QString &description);

} // namespace MemMap
