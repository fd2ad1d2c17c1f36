#include "programming/widgets/AuxProgSetup.h"

#include "model/ModInstr.h"
#include "programming/link/AuxTransfer.h"

#include <QLabel>

FAuxProgSetup::FAuxProgSetup(QWidget *parent) : CTransferWindow(parent)
{
    setObjectName(QStringLiteral("FAuxProgSetup"));
    // No search here: the address line of the serial transfer stays empty.
    Label1()->hide();
}

FAuxProgSetup::~FAuxProgSetup() = default;

void FAuxProgSetup::RunLink()
{
    AssertArguments(true);
    CAuxTransfer transfer(CreateLink(), *m_pCommConfig, Report());
    const qint64 id = IDProgramma();
    const bool done = RunProcedure(transfer, [&] {
        return Action() == kActionRead ? transfer.Read(id, m_pModInstr->CodificaModuli())
                                       : transfer.Write(id, m_pConfiguration);
    });
    if (!done)
        SetReturnValue(false);
}
