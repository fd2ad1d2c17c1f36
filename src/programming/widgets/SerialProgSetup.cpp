#include "programming/widgets/SerialProgSetup.h"

#include "programming/link/SerialTransfer.h"

FSerialProgSetup::FSerialProgSetup(QWidget *parent) : CTransferWindow(parent) {}

FSerialProgSetup::~FSerialProgSetup() = default;

void FSerialProgSetup::RunLink()
{
    // A read detects the modules on the instrument: the ones declared are not used.
    AssertArguments(false);
    CSerialTransfer transfer(CreateLink(), *m_pCommConfig, *m_pNetworkAdd, Report());
    const qint64 id = IDProgramma();
    const bool done = RunProcedure(transfer, [&] {
        return Action() == kActionRead ? transfer.Read(id) : transfer.Write(id, m_pConfiguration);
    });
    if (!done)
        SetReturnValue(false);
}
