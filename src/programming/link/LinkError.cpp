#include "programming/link/LinkError.h"

int LinkErrorMessageId(qint32 linkError)
{
    switch (linkError) {
    case leUART:
        return 206;
    case leTimeOut:
        return 207;
    case leCRC:
        return 215;
    default:
        return 0;
    }
}
