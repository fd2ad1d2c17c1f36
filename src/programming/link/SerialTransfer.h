#pragma once

#include "programming/link/LinkProcedure.h"
#include "programming/link/RegisterExchange.h"

#include <memory>
#include <optional>

class CCommConfig;
class CConfiguration;
class CMemMapManager;
class CNetworkAddMsgSetup;

// One transfer over register frames: RS 232 to one instrument, RS 485 to one instrument or to
// every instrument of a network. It finds baud rate and address first (CInstrumentSearch; the
// address found goes into the network settings). A read then detects the instrument's
// modules, reads its memory image in nine blocks and stores it as the configuration of an
// archive record; a write builds the image of a configuration (archived, or held by the
// caller) and writes it into each instrument whose model and measuring-module family match
// it, the network-address word (RS 232 only) and the baud-rate word last. Every message that
// ends a write says below it whether the instrument may now hold part of the image (891) or
// was not changed (892), on a network naming it by its address (904, 905; 906 before any), and
// which instruments were written whole (901, 902).
// The port is left closed or open; the window closes it.
//   CSerialTransfer transfer(link, commConfig, networkAdd, report);
//   bool done = transfer.Write(id);           // or Write(2, &edited), or Read(2)
class CSerialTransfer : public CLinkProcedure
{
public:
    CSerialTransfer(CTapiComm &link, const CCommConfig &commConfig, CNetworkAddMsgSetup &networkAdd,
                    CLinkReport report);
    ~CSerialTransfer();

    // Into archive record id, whose rows must exist (record 2 always does). Nothing is
    // stored unless the whole image came.
    bool Read(qint64 id);
    // Archive record id to the instrument or the network, or the configuration held for it by
    // the caller, which reads nothing from the archive (another program may hold it meanwhile);
    // instruments already written keep their new image when a later one fails.
    bool Write(qint64 id, const CConfiguration *held = nullptr);

private:
    // The write's image, built before anything is sent; false (told) for an address word
    // that the instrument cannot take.
    bool PrepareImage(qint64 id, const CConfiguration *held);
    bool Search(bool networkSizeUsed);
    // The detected module code fits the stored one: same model, same measuring-module family.
    bool InstrumentMatches();
    bool DetectModules();
    bool ReadMemoryMap();
    bool WriteMemoryMap(const CMemMapManager &image);
    bool ReadRegisters(quint16 firstRegister, quint16 count, QVector<qint16> &values);
    bool ReadRegister(quint16 registerAddress, qint16 &value);
    bool WriteRegister(quint16 registerAddress, qint16 value);
    void ShowNetworkAddress(bool traced);
    // Where a network write stands: its messages speak of the instrument at address (0: none
    // addressed yet) and end with the addresses written completely before it.
    void AtNetworkAddress(qint16 address);
    static QString WrittenBefore(qint16 address);

    const CCommConfig &m_CommConfig;
    CNetworkAddMsgSetup &m_NetworkAddSetup;
    qint16 m_NetworkAdd = 0;
    qint16 m_CodificaModuli = 0;
    qint16 m_StoredCode = 0;
    // The image of the transfer, by the manager of its module code: built from the
    // configuration for a write (its code), read from the instrument for a read (the detected
    // one).
    std::unique_ptr<CMemMapManager> m_Image;
    std::optional<CRegisterExchange> m_Exchange;
};
