#include "app/LinkCommands.h"

#include "programming/link/InterfaceTypes.h"

#include <array>

const CLinkWizardForm &LinkWizardForm(ELinkCommand command)
{
    // The module page asks the modules only of a read, which has to know them over the
    // auxiliary interface; the live view polls register frames, so its PC link page leaves
    // the auxiliary interface out and its network page lets RS 485 poll the whole network.
    static const std::array<CLinkWizardForm, 3> forms = {{
        {793, ELinkWizard::SendSetup, false, 0, 0, 0, 1},
        {792, ELinkWizard::SendSetupRxTx, true, 0, 1, 0, 1},
        {794, ELinkWizard::SendSetup, false, 1, 0, 1, 1},
    }};
    return forms[std::size_t(command)];
}

ETransferWindow TransferWindowFor(qint16 interfaceType)
{
    return interfaceType == itAuxiliary ? ETransferWindow::Auxiliary : ETransferWindow::Serial;
}
