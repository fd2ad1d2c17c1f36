#include "programming/widgets/SerialProgSetup.h"

#include "programming/memmap/MemMapLayout.h"

#include "common/ResString.h"
#include "common/TraceCode.h"
#include "model/CommConfig.h"
#include "model/Configuration.h"
#include "model/ModInstr.h"
#include "model/NetworkAddMsgSetup.h"
#include "programming/link/InstrumentSearch.h"
#include "programming/link/InterfaceTypes.h"
#include "programming/memmap/GestioneQEMMemMap.h"
#include "programming/memmap/GestioneVABZOBMemMap.h"

#include <QLabel>
#include <QProgressBar>

namespace {

constexpr int kDetectingModulesId = 200;
constexpr int kWritingId = 201;
constexpr int kReadingId = 203;
constexpr int kNetworkAddressId = 222; // "Network address |1"
constexpr int kSearchingId = 229;
constexpr int kOtherModuleFamilyId = 211;
constexpr int kOtherModelId = 230;
constexpr int kBadAddressId = 212;

constexpr qint16 kSignalModuleBits = 0x0800;
constexpr qint16 kTemperatureModuleBits = 0x0C00;
constexpr qint16 kRS232ModuleBits = 0x0100;
constexpr qint16 kRS485ModuleBits = 0x0200;

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

} // namespace

FSerialProgSetup::FSerialProgSetup(QWidget *parent) : CTransferWindow(parent) {}

FSerialProgSetup::~FSerialProgSetup() = default;

void FSerialProgSetup::RunLink()
{
    g_Trace->BugAssert(m_pCommConfig != nullptr && m_pNetworkAdd != nullptr, {});
    g_Trace->BugAssert(Action() == kActionRead || Action() == kActionWrite, {});
    const bool write = Action() == kActionWrite;
    if (write && !PrepareImage()) {
        SetReturnValue(false);
        return;
    }
    Label1()->setText(LoadResString(kSearchingId));
    CInstrumentSearch search(Rs232(), *m_pCommConfig, *m_pNetworkAdd);
    // Only a network write goes on to the other instruments; a read asks instrument 1 alone.
    search.SetNetworkSizeUsed(write && m_pNetworkAdd->ModeConfig() != 0);
    if (!AutoDetectBaudRate(search))
        return;
    m_Exchange.emplace(Rs232());
    const bool done = write ? WriteSetupToInstrument() : ReadSetupFromInstrument();
    m_Exchange.reset();
    if (!done)
        SetReturnValue(false);
}

bool FSerialProgSetup::ReadSetupFromInstrument()
{
    m_NetworkAdd = m_pNetworkAdd->NetworkAdd();
    m_CodificaModuli = 0;
    ShowNetworkAddress(false);
    if (!DetectModules())
        return false;
    ShowNetworkAddress(true);
    if (!ReadMemoryMap())
        return false;
    AssertIDProgramma();
    CMemMapManager &manager = Manager(m_CodificaModuli);
    manager.SetIDProgramma(IDProgramma());
    manager.SetCodificaModuli(m_CodificaModuli);
    manager.SaveMemoryDump(kMemoryMapDump);
    manager.ConvertMemoryMapToUserSetup();
    return true;
}

bool FSerialProgSetup::PrepareImage()
{
    AssertIDProgramma();
    m_StoredCode = StoredModuleCode();
    CMemMapManager &image = Manager(m_StoredCode);
    image.SetIDProgramma(IDProgramma());
    image.SetCodificaModuli(m_StoredCode);
    image.ConvertUserSetupToMemoryMap();
    image.SaveMemoryDump(kMemoryUserDump);
    // Over RS 232 the address word goes to the instrument, which would answer at it from then
    // on; a read stores whatever the instrument reported, so it is checked here.
    const qint16 address = image.Word(kNetworkAddressWord);
    if (m_pCommConfig->InterfaceType() != itRS232 ||
        (address >= CInstrumentSearch::kLowestAddress && address <= CInstrumentSearch::kHighestAddress))
        return true;
    g_Trace->BugMessage(QStringLiteral("Indirizzo di rete del programma non valido: %1").arg(address));
    ShowMessage(kBadAddressId);
    return false;
}

bool FSerialProgSetup::WriteSetupToInstrument()
{
    const qint16 storedCode = m_StoredCode;
    CMemMapManager &image = Manager(storedCode);
    const bool network = m_pNetworkAdd->ModeConfig() != 0;
    const qint16 first = network ? CInstrumentSearch::kLowestAddress : m_pNetworkAdd->NetworkAdd();
    m_LastNetworkAdd = network ? m_pNetworkAdd->TotalInstrNetwork() : first;
    for (qint16 address = first; address <= m_LastNetworkAdd; ++address) {
        m_NetworkAdd = address;
        ShowNetworkAddress(true);
        if (!DetectModules() || !InstrumentMatches(storedCode) || !WriteMemoryMap(image))
            return false;
        if (m_pCommConfig->InterfaceType() == itRS232)
            break;
    }
    return true;
}

bool FSerialProgSetup::InstrumentMatches(qint16 storedCode)
{
    const QString codes = QStringLiteral("m_CodificaModuli=&h%1 ProgCodificaModuli=0x%2")
                              .arg(Hex(m_CodificaModuli), Hex(storedCode));
    if ((m_CodificaModuli ^ storedCode) & kModelBits) {
        g_Trace->BugMessage(codes);
        ShowMessage(kOtherModelId);
        return false;
    }
    // The image was built by the manager of the stored module family; the other family's
    // instrument would take its words for different settings.
    if (CModInstr::IsQEM(m_CodificaModuli) != CModInstr::IsQEM(storedCode)) {
        g_Trace->BugMessage(QStringLiteral("Modulo di misura diverso da quello del programma: ") + codes);
        ShowMessage(kOtherModuleFamilyId);
        return false;
    }
    return true;
}

bool FSerialProgSetup::DetectModules()
{
    Label5()->setText(LoadResString(kDetectingModulesId));
    QVector<qint16> moduleBlock;
    if (!ReadRegisters(kModuleBlockRegister, kModuleBlockCount, moduleBlock))
        return false;
    m_CodificaModuli = moduleBlock.at(kModuleCodeRegister - kModuleBlockRegister);
    qint16 probe = 0;
    if (!ReadRegister(kProbeRegister, probe))
        return false;
    if (probe == kProbeSignalModule)
        m_CodificaModuli |= kSignalModuleBits;
    else if (probe == kProbeTemperatureModule)
        m_CodificaModuli |= kTemperatureModuleBits;
    if (m_pCommConfig->InterfaceType() == itRS232)
        m_CodificaModuli |= kRS232ModuleBits;
    else if (m_pCommConfig->InterfaceType() == itRS485)
        m_CodificaModuli |= kRS485ModuleBits;
    return true;
}

bool FSerialProgSetup::ReadMemoryMap()
{
    ProgBarTransfer()->setRange(0, kImageBlocks);
    ProgBarTransfer()->setValue(0);
    Label5()->setText(LoadResString(kReadingId));
    CMemMapManager &manager = Manager(m_CodificaModuli);
    std::optional<qint16> joint; // the eleventh register of the block before
    for (int start = 0; start < kImageBlocks * kImageBlockStep; start += kImageBlockStep) {
        ProgBarTransfer()->setValue(ProgBarTransfer()->value() + 1);
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
            ShowCommErrorMessage(leUART);
            return false;
        }
        joint = block.back();
        for (int j = 0; j < kImageBlockStep && start + j < kImageWords; ++j)
            manager.SetWord(start + j, block.at(j));
    }
    if (!CModInstr::IsQEM(m_CodificaModuli))
        return true;
    qint16 coldJunction = 0;
    if (!ReadRegister(kColdJunctionRegister, coldJunction))
        return false;
    manager.SetWord(kColdJunctionWord, coldJunction);
    return true;
}

bool FSerialProgSetup::WriteMemoryMap(const CMemMapManager &image)
{
    ProgBarTransfer()->setRange(0, kImageWords - 1);
    ProgBarTransfer()->setValue(0);
    Label5()->setText(LoadResString(kWritingId));
    for (int i = 0; i < kImageWords; ++i) {
        if (i != kNetworkAddressWord && i != kBaudRateWord &&
            !WriteRegister(quint16(kMemoryMapBaseAddress + i), image.Word(i)))
            return false;
        ProgBarTransfer()->setValue(i);
    }
    if (image.WordCount() > kColdJunctionWord &&
        !WriteRegister(kColdJunctionRegister, image.Word(kColdJunctionWord)))
        return false;
    if (m_pCommConfig->InterfaceType() == itRS232) {
        g_Trace->BugMessage(QStringLiteral("Programmazione indirizzo di rete"));
        if (!WriteRegister(kNetworkAddressRegister, image.Word(kNetworkAddressWord)))
            return false;
        // The instrument answers at its new address from now on.
        m_NetworkAdd = image.Word(kNetworkAddressWord);
    }
    g_Trace->BugMessage(QStringLiteral("Programmazione baud rate"));
    // The instrument may take its new rate before it answers, so whatever comes back (or
    // nothing) ends this write: it is done once sent.
    m_Exchange->WriteRegisterOnce(quint8(m_NetworkAdd), kBaudRateRegister, image.Word(kBaudRateWord));
    return true;
}

bool FSerialProgSetup::ReadRegisters(quint16 firstRegister, quint16 count, QVector<qint16> &values)
{
    m_Exchange->ReadRegisters(quint8(m_NetworkAdd), firstRegister, count, values);
    return !CheckCommError();
}

bool FSerialProgSetup::ReadRegister(quint16 registerAddress, qint16 &value)
{
    m_Exchange->ReadRegister(quint8(m_NetworkAdd), registerAddress, value);
    return !CheckCommError();
}

bool FSerialProgSetup::WriteRegister(quint16 registerAddress, qint16 value)
{
    m_Exchange->WriteRegister(quint8(m_NetworkAdd), registerAddress, value);
    return !CheckCommError();
}

void FSerialProgSetup::ShowNetworkAddress(bool traced)
{
    if (m_pCommConfig->InterfaceType() == itAuxiliary)
        return;
    const QString text = LoadResStringArgs(kNetworkAddressId, {m_NetworkAdd});
    Label1()->setText(text);
    if (traced)
        g_Trace->BugMessage(text);
}

CMemMapManager &FSerialProgSetup::Manager(qint16 codificaModuli)
{
    if (CModInstr::IsQEM(codificaModuli)) {
        if (!m_GestioneQEM)
            m_GestioneQEM = std::make_unique<CGestioneQEMMemMap>();
        return *m_GestioneQEM;
    }
    if (!m_GestioneVABZOB)
        m_GestioneVABZOB = std::make_unique<CGestioneVABZOBMemMap>();
    return *m_GestioneVABZOB;
}
