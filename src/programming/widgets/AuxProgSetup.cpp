#include "programming/widgets/AuxProgSetup.h"

#include "common/Cp1252.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/widgets/MessageBox.h"
#include "model/CommConfig.h"
#include "model/ModInstr.h"
#include "programming/link/AuxProtocol.h"
#include "programming/memmap/AuxCommandTable.h"
#include "programming/memmap/AuxListing.h"
#include "programming/memmap/AuxText.h"
#include "programming/memmap/MemMapFactory.h"

#include <QLabel>
#include <QProgressBar>

namespace {

constexpr qint32 kBaud9600 = 3;
constexpr qint32 kNoParity = 0;
constexpr float kLineSettleSeconds = 1.0F;

constexpr int kTransferringId = 201;
constexpr int kReadingId = 203;
constexpr int kPortNotAvailableId = 209;
constexpr int kCommandRefusedId = 210;
constexpr int kOtherMeasuringModuleId = 211;

// Entries 0 to 88 go one command each; the QEM image's entry 89 follows on its own.
constexpr int kLastCommonEntry = MemMap::kVABZOBWordCount - 1;
constexpr int kTempCJCEntry = MemMap::kQEMWordCount - 1;

} // namespace

FAuxProgSetup::FAuxProgSetup(QWidget *parent) : CTransferWindow(parent), m_Aux(Rs232())
{
    setObjectName(QStringLiteral("FAuxProgSetup"));
    // No search here: the address line of the serial transfer stays empty.
    Label1()->hide();
}

FAuxProgSetup::~FAuxProgSetup() = default;

void FAuxProgSetup::RunLink()
{
    if (!OpenAuxLink())
        return;
    if (Action() == kActionRead)
        ReadSetupFromInstrumentAux();
    else
        WriteSetupToInstrumentAux();
}

bool FAuxProgSetup::OpenAuxLink()
{
    CreateLink();
    Rs232().SetInBufferSize(kInBufferSize);
    SetReturnValue(true);
    if (!Rs232().OpenRs232(m_pCommConfig->ComPort() + 1, kBaud9600, kNoParity)) {
        g_Trace->BugMessage(QStringLiteral("Errore nell'apertura della porta seriale"));
        ShowMessage(kPortNotAvailableId);
        SetReturnValue(false);
        return false;
    }
    Rs232().SetDTR(true);
    Rs232().SetRTS(true);
    Pause(kLineSettleSeconds);
    return true;
}

qint16 FAuxProgSetup::LoadModInstr()
{
    if (Action() == kActionRead) {
        g_Trace->BugAssert(m_pModInstr != nullptr, QStringLiteral("Errore m_pModInstr nullo"));
        return m_pModInstr->CodificaModuli();
    }
    return StoredModuleCode();
}

bool FAuxProgSetup::SendAuxCommand(const QString &command, const QString &expected)
{
    m_Aux.SendCommand(command, expected);
    if (CheckCommError())
        return false;
    if (m_Aux.Accepted())
        return true;
    ::ShowMessage(this, {QMessageBox::Warning, LoadResString(kLinkErrorTitleId),
                         LoadResStringArgs(kCommandRefusedId, {command})});
    return false;
}

void FAuxProgSetup::WriteSetupToInstrumentAux()
{
    AssertIDProgramma();
    const qint16 codificaModuli = LoadModInstr();
    const std::unique_ptr<CMemMapManager> manager = MakeMemMapManager(codificaModuli);
    manager->SetIDProgramma(IDProgramma());
    manager->SetCodificaModuli(codificaModuli);
    manager->ConvertUserSetupToMemoryMapAux();
    manager->SaveMemoryDumpAux(kMemoryUserAuxDump);
    // A refused setting leaves the instrument in its write mode: no "END" follows it.
    const bool written = SendAuxCommand(kAuxWriteCommand, AuxReadyPrompt()) && SendSetupCommands(*manager) &&
                         SendAuxCommand(kAuxEndCommand, kAuxWriteClosed);
    if (!written)
        SetReturnValue(false);
}

bool FAuxProgSetup::SendSetupCommands(const CMemMapManager &manager)
{
    ProgBarTransfer()->setRange(0, kLastCommonEntry);
    ProgBarTransfer()->setValue(0);
    Label5()->setText(LoadResString(kTransferringId));
    for (int i = 0; i <= kLastCommonEntry; ++i) {
        const QString entry = manager.AuxEntry(i);
        if (entry != MemMap::kNoSend &&
            !SendAuxCommand(MemMap::AuxCommand(manager.Family(), i, entry), kAuxSettingAccepted))
            return false;
        ProgBarTransfer()->setValue(i);
    }
    if (manager.Family() != MemMap::EFamily::QEM)
        return true;
    return SendAuxCommand(
        MemMap::AuxCommand(manager.Family(), kTempCJCEntry, manager.AuxEntry(kTempCJCEntry)),
        kAuxSettingAccepted);
}

void FAuxProgSetup::ReadSetupFromInstrumentAux()
{
    const qint16 codificaModuli = LoadModInstr();
    const std::unique_ptr<CMemMapManager> manager = MakeMemMapManager(codificaModuli);
    if (!ParseInstrumentSetup(*manager, codificaModuli)) {
        SetReturnValue(false);
        return;
    }
    AssertIDProgramma();
    manager->SetIDProgramma(IDProgramma());
    manager->SetCodificaModuli(codificaModuli);
    manager->SaveMemoryDumpAux(kMemoryMapAuxDump);
    manager->ConvertMemoryMapAuxToUserSetup();
}

bool FAuxProgSetup::ParseInstrumentSetup(CMemMapManager &manager, qint16 codificaModuli)
{
    Label5()->setText(LoadResString(kReadingId));
    m_Aux.ReadListing();
    if (CheckCommError())
        return false;
    ProgBarTransfer()->setRange(0, kTempCJCEntry);
    ProgBarTransfer()->setValue(0);
    const QByteArray &listing = m_Aux.Reply();
    g_Trace->BugMessage(FromCp1252(listing));
    if (MemMap::ListingIsQEM(listing) != CModInstr::IsQEM(codificaModuli)) {
        ShowMessage(kOtherMeasuringModuleId);
        return false;
    }
    // A key the listing lacks raises CError: the read ends with its message and the archive
    // stays as it was.
    manager.ReadAuxListing(listing);
    ProgBarTransfer()->setValue(kTempCJCEntry);
    return true;
}
