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
    if (!(Action() == kActionRead ? transfer.Read(IDProgramma(), m_pModInstr->CodificaModuli())
                                  : transfer.Write(IDProgramma())))
        SetReturnValue(false);
}
