#pragma once

#include "programming/link/AuxExchange.h"
#include "programming/widgets/TransferWindow.h"

class CCommConfig;
class CMemMapManager;
class CModInstr;
class CNetworkAddMsgSetup;

// The link window of the instrument's auxiliary RS232 interface: it writes one archived
// configuration to the instrument as one text command per setting, or reads the instrument's
// configuration listing into the archive. The port runs at 9600 baud; there is no search.
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
    static constexpr qint16 kInBufferSize = 2024;

    explicit FAuxProgSetup(QWidget *parent = nullptr);
    ~FAuxProgSetup() override;

protected:
    void RunLink() override;

private:
    bool OpenAuxLink();
    qint16 LoadModInstr();
    bool SendAuxCommand(const QString &command, const QString &expected);
    void WriteSetupToInstrumentAux();
    bool SendSetupCommands(const CMemMapManager &manager);
    void ReadSetupFromInstrumentAux();
    bool ParseInstrumentSetup(CMemMapManager &manager, qint16 codificaModuli);

    CAuxExchange m_Aux;
};
