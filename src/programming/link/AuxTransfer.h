#pragma once

#include "programming/link/AuxExchange.h"
#include "programming/link/LinkProcedure.h"

class CCommConfig;
class CConfiguration;
class CMemMapManager;

// One transfer through the instrument's auxiliary RS232 interface, at 9600 baud with no
// search: a write sends one text command per setting of a configuration (archived, or held
// by the caller) between "WRITE" and "END", and every message that ends it says whether the
// instrument may now hold part of it (891) or was not changed (892); a read takes the
// instrument's listing into an archive record, read as the module family the user declared.
// The port is opened here and left for the window to close.
//   CAuxTransfer transfer(link, commConfig, report);
//   bool done = transfer.Write(id);           // or Write(2, &edited), or Read(2, declaredModuleCode)
class CAuxTransfer : public CLinkProcedure
{
public:
    static constexpr qint16 kInBufferSize = 2024;

    CAuxTransfer(CTapiComm &link, const CCommConfig &commConfig, CLinkReport report);

    // Archive record id, or the configuration held for it by the caller, which reads nothing
    // from the archive (another program may hold it meanwhile). A refused setting ends the
    // write with message 210, the instrument left in its write mode: no "END" follows it.
    bool Write(qint64 id, const CConfiguration *held = nullptr);
    // Into archive record id, whose rows must exist. A listing of the other module family
    // ends it with 211; one that lacks an item raises CError. Nothing is stored unless the
    // whole listing converts.
    bool Read(qint64 id, qint16 declaredCode);

private:
    bool OpenAuxLink();
    // A setting's command changes the instrument once it has gone out.
    bool SendAuxCommand(const QString &command, const QString &expected, bool setting = false);
    bool SendSetupCommands(const CMemMapManager &manager);
    bool ParseInstrumentSetup(CMemMapManager &manager, qint16 codificaModuli);

    const CCommConfig &m_CommConfig;
    CAuxExchange m_Aux;
};
