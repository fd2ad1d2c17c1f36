#include "app/LinkCommands.h"

#include "programming/link/InterfaceTypes.h"

ETransferWindow TransferWindowFor(qint16 interfaceType)
{
    return interfaceType == itAuxiliary ? ETransferWindow::Auxiliary : ETransferWindow::Serial;
}
