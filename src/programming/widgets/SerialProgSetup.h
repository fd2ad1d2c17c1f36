#pragma once

#include "programming/widgets/TransferWindow.h"

// The window of a transfer over register frames (CSerialTransfer): RS 232 to one instrument,
// RS 485 to one instrument or to every instrument of a network. A read stores the
// instrument's configuration in record IDProgramma; a write sends that record, or the
// configuration the caller holds for it (SetConfiguration).
//   FSerialProgSetup window;
//   window.SetAction(1); window.SetIDProgramma(id);
//   window.Create(commConfig, nullptr, networkAdd);   // a read passes a CModInstr, ignored
//   window.exec();
//   bool done = window.ReturnValue();
class FSerialProgSetup : public CTransferWindow
{
    Q_OBJECT

public:
    explicit FSerialProgSetup(QWidget *parent = nullptr);
    ~FSerialProgSetup() override;

protected:
    void RunLink() override;
};
