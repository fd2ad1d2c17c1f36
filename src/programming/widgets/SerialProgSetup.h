#pragma once

#include "programming/link/RegisterExchange.h"
#include "programming/widgets/TransferWindow.h"

#include <memory>
#include <optional>

class CCommConfig;
class CGestioneQEMMemMap;
class CGestioneVABZOBMemMap;
class CMemMapManager;
class CModInstr;
class CNetworkAddMsgSetup;

// The transfer over register frames: RS 232 to one instrument, RS 485 to one instrument or
// to every instrument of a network. It finds baud rate and address first; a read then detects
// the instrument's modules, reads its memory image and stores it as the configuration of
// record IDProgramma; a write builds the image of record IDProgramma and writes it into each
// instrument whose model and measuring-module family match the configuration, the network
// address word (RS 232 only) and the baud-rate word last.
//   FSerialProgSetup window;
//   window.SetAction(1); window.SetIDProgramma(id);
//   window.Create(commConfig, nullptr, networkAdd);   // a read passes a CModInstr, ignored
//   window.exec();
//   bool done = window.ReturnValue();
class FSerialProgSetup : public CTransferWindow
{
    Q_OBJECT

public:
    static constexpr qint16 kModelBits = qint16(0xF000);
    static constexpr qint16 kSlotABits = 0x0C00;

    explicit FSerialProgSetup(QWidget *parent = nullptr);
    ~FSerialProgSetup() override;

protected:
    void RunLink() override;

private:
    // A write's image, built before anything is sent; false (told) for an address word
    // that the instrument cannot take.
    bool PrepareImage();
    bool ReadSetupFromInstrument();
    bool WriteSetupToInstrument();
    // The detected module code fits the stored one: same model, same measuring-module family.
    bool InstrumentMatches(qint16 storedCode);
    bool DetectModules();
    bool ReadMemoryMap();
    bool WriteMemoryMap(const CMemMapManager &image);
    bool ReadRegisters(quint16 firstRegister, quint16 count, QVector<qint16> &values);
    bool ReadRegister(quint16 registerAddress, qint16 &value);
    bool WriteRegister(quint16 registerAddress, qint16 value);
    void ShowNetworkAddress(bool traced);
    CMemMapManager &Manager(qint16 codificaModuli);

    qint16 m_NetworkAdd = 0;
    qint16 m_LastNetworkAdd = 0;
    qint16 m_CodificaModuli = 0;
    qint16 m_StoredCode = 0;
    std::unique_ptr<CGestioneVABZOBMemMap> m_GestioneVABZOB;
    std::unique_ptr<CGestioneQEMMemMap> m_GestioneQEM;
    std::optional<CRegisterExchange> m_Exchange;
};
