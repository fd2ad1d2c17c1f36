#pragma once

#include "programming/widgets/TransferWindow.h"

// The window of a transfer through the instrument's auxiliary RS232 interface (CAuxTransfer):
// a write of record IDProgramma (or of the configuration the caller holds for it,
// SetConfiguration) as one text command per setting, or a read of the instrument's listing
// into that record, as the module family the user declared.
//   FAuxProgSetup window;                 // write record id
//   window.SetAction(1); window.SetIDProgramma(id);
//   window.Create(commConfig, nullptr, networkAdd);
//   window.exec();
//   FAuxProgSetup reader;                 // read into record 2, with the modules the user named
//   reader.SetAction(0); reader.SetIDProgramma(2);
//   reader.Create(commConfig, &modInstr, networkAdd);
//   reader.exec(); if (reader.ReturnValue()) ...
class FAuxProgSetup : public CTransferWindow
{
    Q_OBJECT

public:
    explicit FAuxProgSetup(QWidget *parent = nullptr);
    ~FAuxProgSetup() override;

protected:
    void RunLink() override;
};
