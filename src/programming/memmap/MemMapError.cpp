#include "programming/memmap/MemMapError.h"

#include "common/Error.h"
#include "common/TraceCode.h"

namespace MemMap {

void RaiseMemMapError(EMemMapError code, const QString &description)
{
    g_Trace->BugMessage(description);
    throw CError(MakeUserError(code), ExecutableBaseName() + QStringLiteral(".MemMap"), description);
}

} // namespace MemMap
