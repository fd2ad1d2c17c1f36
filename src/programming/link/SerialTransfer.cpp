#include "programming/link/SerialTransfer.h"

#include "common/ResString.h"
#include "common/TraceCode.h"
#include "model/CommConfig.h"
#include "model/Configuration.h"
#include "model/ModInstr.h"
#include "model/ModuleCodes.h"
#include "model/NetworkAddMsgSetup.h"
#include "programming/link/InstrumentSearch.h"
#include "programming/link/InterfaceTypes.h"
#include "programming/link/LinkError.h"
#include "programming/memmap/MemMapFactory.h"

namespace {

constexpr int kDetectingModulesId = 200;
constexpr int kWritingId = 201;
constexpr int kReadingId = 203;
constexpr int kNetworkAddressId = 222; // "Network address |1"
constexpr int kOtherModuleFamilyId = 211;
constexpr int kBadAddressId = 212;
constexpr int kOtherModelId = 230;
constexpr int kWrittenBeforeId = 901; // "Instruments written completely before network address |1: |2."
constexpr int kNoneWrittenId = 902;

// The model guard compares the top four bits: the model's three and bit 12, which no word
// built here sets.
constexpr quint16 kModelGuardBits = 0xF000;

// Image words as the instrument holds them: every word has its register at 0xE000 + i but
// these two, which the write sends last; 89 (QEM only) lives at 0xE06C.
constexpr int kImageWords = MemMap::kVABZOBWordCount;
constexpr int kNetworkAddressWord = 86;
constexpr int kBaudRateWord = 87;
constexpr int kColdJunctionWord = MemMap::kVABZOBWordCount; // the QEM image's extra word
constexpr int kImageBlockStep = 10;
constexpr int kImageBlocks = 9;

QString Hex(qint16 word)
{
    return QString::number(quint16(word), 16).toUpper();
}

qint16 SlotABits(qint16 slotA)
{
    return qint16(slotA << ModuleCodeBits::SlotAShift);
}

bool IsAddress(qint16 value)
{
    return value >= CInstrumentSearch::kLowestAddress && value <= CInstrumentSearch::kHighestAddress;
}

} // namespace

CSerialTransfer::CSerialTransfer(CTapiComm &link, const CCommConfig &commConfig,
                                 CNetworkAddMsgSetup &networkAdd, CLinkReport report)
    : CLinkProcedure(link, std::move(report)), m_CommConfig(commConfig), m_NetworkAddSetup(networkAdd)
{}

CSerialTransfer::~CSerialTransfer() = default;

bool CSerialTransfer::Search(bool networkSizeUsed)
{
    CInstrumentSearch search(m_Link, m_CommConfig, m_NetworkAddSetup);
    search.SetNetworkSizeUsed(networkSizeUsed);
    if (!Connect(search))
        return false;
    m_Exchange.emplace(m_Link);
    return true;
}

bool CSerialTransfer::Read(qint64 id)
{
    // A read asks one instrument, 1 in network mode: the network size is not used.
    if (!Search(false))
        return false;
    m_NetworkAdd = m_NetworkAddSetup.NetworkAdd();
    m_CodificaModuli = 0;
    ShowNetworkAddress(false);
    if (!DetectModules())
        return false;
    ShowNetworkAddress(true);
    m_Image = MakeMemMapManager(m_CodificaModuli);
    if (!ReadMemoryMap())
        return false;
    m_Image->SetIDProgramma(id);
    m_Image->SetCodificaModuli(m_CodificaModuli);
    m_Image->SaveMemoryDump(kMemoryMapDump);
    m_Image->ConvertMemoryMapToUserSetup();
    return true;
}

bool CSerialTransfer::PrepareImage(qint64 id, const CConfiguration *held)
{
    m_Image = BuildWriteImage(EWriteImage::Words, id, held);
    m_StoredCode = m_Image->CodificaModuli();
    // Over RS 232 the address word goes to the instrument, which answers at it from then on;
    // a read stores whatever the instrument reported, so it is checked here.
    const qint16 address = m_Image->Word(kNetworkAddressWord);
    if (m_CommConfig.InterfaceType() != itRS232 || IsAddress(address))
        return true;
    g_Trace->BugMessage(QStringLiteral("Indirizzo di rete del programma non valido: %1").arg(address));
    Tell(kBadAddressId);
    return false;
}

bool CSerialTransfer::Write(qint64 id, const CConfiguration *held)
{
    const bool network = m_NetworkAddSetup.ModeConfig() != 0;
    // From here every message that ends the write says what the instrument holds: nothing
    // new, until a word has gone.
    SetWriteState(EWriteState::Begun);
    if (network)
        AtNetworkAddress(0);
    if (!PrepareImage(id, held) || !Search(network))
        return false;
    const qint16 first = network ? CInstrumentSearch::kLowestAddress : m_NetworkAddSetup.NetworkAdd();
    const qint16 last = network ? m_NetworkAddSetup.TotalInstrNetwork() : first;
    for (qint16 address = first; address <= last; ++address) {
        m_NetworkAdd = address;
        ShowNetworkAddress(true);
        SetWriteState(EWriteState::Begun);
        if (network)
            AtNetworkAddress(address);
        if (!DetectModules() || !InstrumentMatches() || !WriteMemoryMap(*m_Image))
            return false;
        if (m_CommConfig.InterfaceType() == itRS232)
            break;
    }
    return true;
}

void CSerialTransfer::AtNetworkAddress(qint16 address)
{
    NameInstrument(address);
    SetMessageEnd(WrittenBefore(address));
}

QString CSerialTransfer::WrittenBefore(qint16 address)
{
    // The network is written in ascending order and stops at the first failure.
    const qint16 lastWritten = address - 1;
    if (lastWritten < CInstrumentSearch::kLowestAddress)
        return LoadResString(kNoneWrittenId);
    const QString written =
        lastWritten == CInstrumentSearch::kLowestAddress
            ? QString::number(lastWritten)
            : QStringLiteral("%1-%2").arg(CInstrumentSearch::kLowestAddress).arg(lastWritten);
    return LoadResStringArgs(kWrittenBeforeId, {address, written});
}

bool CSerialTransfer::InstrumentMatches()
{
    const QString codes = QStringLiteral("m_CodificaModuli=&h%1 ProgCodificaModuli=0x%2")
                              .arg(Hex(m_CodificaModuli), Hex(m_StoredCode));
    if ((quint16(m_CodificaModuli) ^ quint16(m_StoredCode)) & kModelGuardBits) {
        g_Trace->BugMessage(codes);
        Tell(kOtherModelId);
        return false;
    }
    // The image was built by the manager of the stored module family; the other family's
    // instrument would take its words for different settings.
    if (CModInstr::IsQEM(m_CodificaModuli) != CModInstr::IsQEM(m_StoredCode)) {
        g_Trace->BugMessage(QStringLiteral("Modulo di misura diverso da quello del programma: ") + codes);
        Tell(kOtherModuleFamilyId);
        return false;
    }
    return true;
}

bool CSerialTransfer::DetectModules()
{
    ShowOperation(kDetectingModulesId);
    QVector<qint16> moduleBlock;
    if (!ReadRegisters(kModuleBlockRegister, kModuleBlockCount, moduleBlock))
        return false;
    m_CodificaModuli = moduleBlock.at(kModuleCodeRegister - kModuleBlockRegister);
    qint16 probe = 0;
    if (!ReadRegister(kProbeRegister, probe))
        return false;
    if (probe == kProbeSignalModule)
        m_CodificaModuli |= SlotABits(SlotAModule::ZOB);
    else if (probe == kProbeTemperatureModule)
        m_CodificaModuli |= SlotABits(SlotAModule::QEM);
    if (m_CommConfig.InterfaceType() == itRS232)
        m_CodificaModuli |= qint16(ModuleCodeBits::SlotBZQ);
    else if (m_CommConfig.InterfaceType() == itRS485)
        m_CodificaModuli |= qint16(ModuleCodeBits::SlotBQZ);
    return true;
}

bool CSerialTransfer::ReadMemoryMap()
{
    ShowProgress(0, kImageBlocks, 0);
    ShowOperation(kReadingId);
    std::optional<qint16> joint; // the eleventh register of the block before
    for (int start = 0; start < kImageBlocks * kImageBlockStep; start += kImageBlockStep) {
        StepProgress();
        QVector<qint16> block;
        if (!ReadRegisters(quint16(kMemoryMapBaseAddress + start), kImageReadBlockCount, block))
            return false;
        // Every block starts at the register that closed the one before: an answer owed to
        // another read of the same shape shows there, and must never be stored.
        if (joint && *joint != block.front()) {
            g_Trace->BugMessage(QStringLiteral("Blocchi di memoria non coerenti al registro &h%1: %2 <> %3")
                                    .arg(Hex(qint16(kMemoryMapBaseAddress + start)))
                                    .arg(*joint)
                                    .arg(block.front()));
            m_Link.CloseRs232();
            Tell(LinkErrorMessageId(leUART));
            return false;
        }
        joint = block.back();
        for (int j = 0; j < kImageBlockStep && start + j < kImageWords; ++j)
            m_Image->SetWord(start + j, block.at(j));
    }
    if (!CModInstr::IsQEM(m_CodificaModuli))
        return true;
    qint16 coldJunction = 0;
    if (!ReadRegister(kColdJunctionRegister, coldJunction))
        return false;
    m_Image->SetWord(kColdJunctionWord, coldJunction);
    return true;
}

bool CSerialTransfer::WriteMemoryMap(const CMemMapManager &image)
{
    ShowProgress(0, kImageWords - 1, 0);
    ShowOperation(kWritingId);
    for (int i = 0; i < kImageWords; ++i) {
        if (i != kNetworkAddressWord && i != kBaudRateWord &&
            !WriteRegister(quint16(kMemoryMapBaseAddress + i), image.Word(i)))
            return false;
        ShowProgress(0, kImageWords - 1, i);
    }
    if (image.WordCount() > kColdJunctionWord &&
        !WriteRegister(kColdJunctionRegister, image.Word(kColdJunctionWord)))
        return false;
    if (m_CommConfig.InterfaceType() == itRS232) {
        g_Trace->BugMessage(QStringLiteral("Programmazione indirizzo di rete"));
        if (!WriteRegister(kNetworkAddressRegister, image.Word(kNetworkAddressWord)))
            return false;
        // The instrument answers at its new address from now on.
        m_NetworkAdd = image.Word(kNetworkAddressWord);
    }
    g_Trace->BugMessage(QStringLiteral("Programmazione baud rate"));
    // The instrument may take its new rate before it answers, so whatever comes back (or
    // nothing) ends this write: it is done once sent. Only its plain refusal, at the old rate,
    // says the word was not taken, as does a cancel that kept it from the line.
    const qint32 error =
        m_Exchange->WriteRegisterOnce(quint8(m_NetworkAdd), kBaudRateRegister, image.Word(kBaudRateWord));
    const bool taken = error != leRefused && (error != leCancelled || m_Link.RequestSent());
    return taken || !CheckCommError(error);
}

bool CSerialTransfer::ReadRegisters(quint16 firstRegister, quint16 count, QVector<qint16> &values)
{
    return !CheckCommError(m_Exchange->ReadRegisters(quint8(m_NetworkAdd), firstRegister, count, values));
}

bool CSerialTransfer::ReadRegister(quint16 registerAddress, qint16 &value)
{
    return !CheckCommError(m_Exchange->ReadRegister(quint8(m_NetworkAdd), registerAddress, value));
}

bool CSerialTransfer::WriteRegister(quint16 registerAddress, qint16 value)
{
    const qint32 error = m_Exchange->WriteRegister(quint8(m_NetworkAdd), registerAddress, value);
    // Only a refusal says the word was not taken: an answer that never came or came spoilt may
    // follow a word the instrument has stored.
    NoteWriteRequest(error == leRefused);
    return !CheckCommError(error);
}

void CSerialTransfer::ShowNetworkAddress(bool traced)
{
    if (m_CommConfig.InterfaceType() == itAuxiliary)
        return;
    const QString text = LoadResStringArgs(kNetworkAddressId, {m_NetworkAdd});
    ShowSearchLine(text);
    if (traced)
        g_Trace->BugMessage(text);
}
