#include "programming/memmap/AuxCommandTable.h"

#include "common/ResString.h"

namespace MemMap {

int AuxTemplateId(EFamily family, int index)
{
    return (family == EFamily::QEM ? 1600 : 1500) + index;
}

QString AuxCommand(EFamily family, int index, const QString &text)
{
    return LoadResStringArgs(AuxTemplateId(family, index), {text});
}

QString AuxKey(EFamily family, int index)
{
    return LoadResString(AuxTemplateId(family, index)).chopped(2);
}

} // namespace MemMap
