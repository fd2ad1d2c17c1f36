#include "programming/link/AuxTransfer.h"

#include "common/ResString.h"
#include "common/TraceCode.h"
#include "model/CommConfig.h"
#include "model/Configuration.h"
#include "model/ModInstr.h"
#include "platform/Cp1252.h"
#include "programming/link/AuxProtocol.h"
#include "programming/memmap/AuxCommandTable.h"
#include "programming/memmap/AuxListing.h"
#include "programming/memmap/AuxText.h"
#include "programming/memmap/MemMapFactory.h"

namespace {

constexpr qint32 kBaud9600 = 3;
constexpr qint32 kNoParity = 0;
constexpr float kLineSettleSeconds = 1.0F;

constexpr int kTransferringId = 201;
constexpr int kReadingId = 203;
constexpr int kCommandRefusedId = 210;
constexpr int kOtherMeasuringModuleId = 211;

// Entries 0 to 88 go one command each; the QEM image's entry 89 follows on its own.
constexpr int kLastCommonEntry = MemMap::kVABZOBWordCount - 1;
constexpr int kTempCJCEntry = MemMap::kQEMWordCount - 1;

} // namespace

CAuxTransfer::CAuxTransfer(CTapiComm &link, const CCommConfig &commConfig, CLinkReport report)
    : CLinkProcedure(link, std::move(report)), m_CommConfig(commConfig), m_Aux(link)
{}

bool CAuxTransfer::OpenAuxLink()
{
    m_Link.SetInBufferSize(kInBufferSize);
    if (!m_Link.OpenRs232(m_CommConfig.ComPort() + 1, kBaud9600, kNoParity)) {
        g_Trace->BugMessage(QStringLiteral("Errore nell'apertura della porta seriale"));
        TellPortNotOpened();
        return false;
    }
    m_Link.SetDTR(true);
    m_Link.SetRTS(true);
    Pause(kLineSettleSeconds);
    return true;
}

bool CAuxTransfer::SendAuxCommand(const QString &command, const QString &expected, bool setting)
{
    const qint32 error = m_Aux.SendCommand(command, expected);
    // A setting that went out may have been stored, whatever came back: nothing tells a refusal
    // from a spoilt acknowledgement.
    if (setting)
        NoteWriteRequest(false);
    if (CheckCommError(error))
        return false;
    if (m_Aux.Accepted())
        return true;
    Tell(kCommandRefusedId, {command});
    return false;
}

bool CAuxTransfer::Write(qint64 id, const CConfiguration *held)
{
    // From here every message that ends the write says what the instrument holds: nothing
    // new, until the first setting has gone.
    SetWriteState(EWriteState::Begun);
    if (!OpenAuxLink())
        return false;
    const std::unique_ptr<CMemMapManager> manager = BuildWriteImage(EWriteImage::AuxEntries, id, held);
    return SendAuxCommand(kAuxWriteCommand, AuxReadyPrompt()) && SendSetupCommands(*manager) &&
           SendAuxCommand(kAuxEndCommand, kAuxWriteClosed);
}

bool CAuxTransfer::SendSetupCommands(const CMemMapManager &manager)
{
    ShowProgress(0, kLastCommonEntry, 0);
    ShowOperation(kTransferringId);
    for (int i = 0; i <= kLastCommonEntry; ++i) {
        const QString entry = manager.AuxEntry(i);
        if (entry != MemMap::kNoSend &&
            !SendAuxCommand(MemMap::AuxCommand(manager.Family(), i, entry), kAuxSettingAccepted, true))
            return false;
        ShowProgress(0, kLastCommonEntry, i);
    }
    if (manager.Family() != MemMap::EFamily::QEM)
        return true;
    return SendAuxCommand(
        MemMap::AuxCommand(manager.Family(), kTempCJCEntry, manager.AuxEntry(kTempCJCEntry)),
        kAuxSettingAccepted, true);
}

bool CAuxTransfer::Read(qint64 id, qint16 declaredCode)
{
    if (!OpenAuxLink())
        return false;
    const std::unique_ptr<CMemMapManager> manager = MakeMemMapManager(declaredCode);
    if (!ParseInstrumentSetup(*manager, declaredCode))
        return false;
    manager->SetIDProgramma(id);
    manager->SetCodificaModuli(declaredCode);
    manager->SaveMemoryDumpAux(kMemoryMapAuxDump);
    manager->ConvertMemoryMapAuxToUserSetup();
    return true;
}

bool CAuxTransfer::ParseInstrumentSetup(CMemMapManager &manager, qint16 codificaModuli)
{
    ShowOperation(kReadingId);
    if (CheckCommError(m_Aux.ReadListing()))
        return false;
    ShowProgress(0, kTempCJCEntry, 0);
    const QByteArray &listing = m_Aux.Reply();
    g_Trace->BugMessage(FromCp1252(listing));
    if (MemMap::ListingIsQEM(listing) != CModInstr::IsQEM(codificaModuli)) {
        Tell(kOtherMeasuringModuleId);
        return false;
    }
    // A key the listing lacks raises CError: the read ends with its message and the archive
    // stays as it was.
    manager.ReadAuxListing(listing);
    ShowProgress(0, kTempCJCEntry, kTempCJCEntry);
    return true;
}
