#include "programming/memmap/MemMapManager.h"

#include "common/Error.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "model/ModuleCodes.h"
#include "model/ScaleTables.h"
#include "platform/FileAccess.h"
#include "platform/UserPaths.h"
#include "programming/memmap/AuxConversion.h"
#include "programming/memmap/AuxDumpFile.h"
#include "programming/memmap/AuxListing.h"
#include "programming/memmap/AuxText.h"
#include "programming/memmap/ConfigurationSettings.h"
#include "programming/memmap/ImageConversion.h"
#include "programming/memmap/ImageTrace.h"
#include "programming/memmap/MemMapError.h"
#include "programming/memmap/ProgramFile.h"

using namespace MemMap;

namespace {

// An auxiliary dump holds at most 90 short entries; anything far larger is not one.
constexpr qint64 kAuxDumpLimit = 64 * 1024;

void Trace(const char *line)
{
    g_Trace->BugMessage(QString::fromLatin1(line));
}

} // namespace

CMemMapManager::CMemMapManager(EFamily family)
    : m_Family(family), m_MemoryMap(MemMap::WordCount(family), 0), m_MemoryMapAux(MemMap::WordCount(family))
{}

CMemMapManager::~CMemMapManager() = default;

void CMemMapManager::CheckIndex(int index) const
{
    if (index < 0 || index >= WordCount())
        RaiseRunTimeError(9); // subscript out of range
}

qint16 CMemMapManager::Word(int index) const
{
    CheckIndex(index);
    return m_MemoryMap.at(index);
}

void CMemMapManager::SetWord(int index, qint16 word)
{
    CheckIndex(index);
    m_MemoryMap[index] = word;
}

QString CMemMapManager::AuxEntry(int index) const
{
    CheckIndex(index);
    return m_MemoryMapAux.at(index);
}

void CMemMapManager::SetAuxEntry(int index, const QString &text)
{
    CheckIndex(index);
    m_MemoryMapAux[index] = text;
}

void CMemMapManager::TakeUserSetup(const CConfiguration *held)
{
    if (held == nullptr) {
        m_Configuration.Load(m_IDProgramma);
        return;
    }
    Trace("Configurazione in memoria");
    const QList<const CConfigClass *> from = held->Objects();
    const QList<CConfigClass *> to = m_Configuration.Objects();
    for (qsizetype i = 0; i < to.size(); ++i) {
        // SetData leaves an object of another name as it was: the image would then carry the
        // defaults of that object, a wrong write nobody would see.
        g_Trace->BugAssert(from[i]->ClassName() == to[i]->ClassName(),
                           QStringLiteral("Oggetto ") + from[i]->ClassName() +
                               QStringLiteral(" al posto di ") + to[i]->ClassName());
        to[i]->SetData(*from[i]);
    }
}

qint16 CMemMapManager::ConvertUserSetupToMemoryMap(const CConfiguration *held)
{
    Trace("Inizio ConvertUserSetupToMemoryMap()");
    TakeUserSetup(held);
    Trace("Conversione delle impostazioni utente nella codifica interna dello strumento.");
    m_MemoryMap = BuildImage(CConfigurationSettings(m_Configuration, m_Family), m_Family, m_MemoryMap);
    Trace("Fine ConvertUserSetupToMemoryMap()");
    Trace("Dump della codifica interna della configurazione utente");
    TraceMemoryMap();
    return 0;
}

qint16 CMemMapManager::ConvertMemoryMapToUserSetup()
{
    Trace("Inizio ConvertMemoryMapToUserSetup()");
    Trace("Conversione della codifica interna dello strumento in impostazioni utente per il wizard.");
    Trace("Dump della codifica interna dello strumento.");
    TraceMemoryMap();
    SetNameAndModules();
    CConfigurationSettings settings(m_Configuration, m_Family);
    ApplyImage(m_MemoryMap, m_Family, settings);
    SaveSetupToArchive();
    Trace("Fine ConvertMemoryMapToUserSetup()");
    return 0;
}

void CMemMapManager::ConvertUserSetupToMemoryMapAux(const CConfiguration *held)
{
    Trace("Inizio ConvertUserSetupToMemoryMapAux()");
    TakeUserSetup(held);
    Trace("Conversione delle impostazioni utente nella codifica interna dello strumento.");
    m_MemoryMapAux = BuildAuxImage(CConfigurationSettings(m_Configuration, m_Family), m_Family, AuxContext());
    Trace("Fine ConvertUserSetupToMemoryMapAux()");
    Trace("Dump della codifica interna della configurazione utente");
    TraceMemoryMapAux();
}

void CMemMapManager::ConvertMemoryMapAuxToUserSetup()
{
    Trace("Inizio ConvertMemoryMapAuxToUserSetup()");
    TraceMemoryMapAux();
    StripAuxMark(m_MemoryMapAux);
    SetNameAndModules();
    CConfigurationSettings settings(m_Configuration, m_Family);
    ApplyAuxImage(m_MemoryMapAux, m_Family, AuxContext(), settings);
    SaveSetupToArchive();
    Trace("Fine ConvertMemoryMapAuxToUserSetup()");
}

void CMemMapManager::ReadAuxListing(const QByteArray &listing)
{
    m_MemoryMapAux = ParseAuxListing(listing, m_Family);
}

void CMemMapManager::SetNameAndModules()
{
    // An import keeps the name the file carries; a read names what the instrument holds.
    if (!m_Imported)
        m_Configuration.ModInstr().SetNomeProgramma(LoadResString(617));
    m_Configuration.ModInstr().SetCodificaModuli(m_CodificaModuli);
}

void CMemMapManager::SaveSetupToArchive()
{
    if (m_Imported)
        m_Configuration.Add(m_IDProgramma);
    else
        m_Configuration.Update(m_IDProgramma);
}

CAuxContext CMemMapManager::AuxContext()
{
    CAuxContext context;
    const qint16 model = m_Configuration.ModInstr().ModelloStrumento();
    const CRangeQEM &qem = m_Configuration.RangeQEM();
    // The VAB/ZOB manager tells the two signal modules apart by the ZOB bit of its own code.
    constexpr quint16 kZOBBit = quint16(SlotAModule::ZOB) << ModuleCodeBits::SlotAShift;
    const qint16 signalModule = (quint16(m_CodificaModuli) & kZOBBit) ? SlotAModule::ZOB : SlotAModule::VAB;
    const std::optional<ScaleRangeInfo> range =
        m_Family == EFamily::QEM
            ? FindScaleRange(model, SlotAModule::QEM, qem.ProbeSelect(), qem.Range())
            : FindScaleRange(model, signalModule, 0, m_Configuration.RangeVABZOB().Range());
    if (range)
        context.Electrical = CScaleStep{range->Step, range->Format};
    for (int dp = 0; dp < int(g_DecPointFormat.size()); ++dp) {
        context.DecimalPoints.append({g_DecPointFactor[dp], g_DecPointFormat[dp]});
        context.DecPointSamples.append(g_DecPointSample[dp]);
    }
    return context;
}

bool CMemMapManager::Export(const QString &fileName, qint64 id, QString *fault)
{
    m_IDProgramma = id;
    ConvertUserSetupToMemoryMap();
    m_CodificaModuli = m_Configuration.ModInstr().CodificaModuli();
    return SaveMemorySetup(fileName, fault);
}

bool CMemMapManager::Import(const QString &fileName, qint64 id)
{
    m_Imported = true;
    m_IDProgramma = id;
    if (!ReadMemorySetup(fileName))
        return false;
    if (FamilyOfCode(m_CodificaModuli) != m_Family) {
        TraceRefusal(fileName, QStringLiteral("codifica moduli ") + HexWord(m_CodificaModuli) +
                                   QStringLiteral(" dell'altra famiglia"));
        return false;
    }
    if (const std::optional<QString> fault = ImageFault(m_MemoryMap, m_Family)) {
        TraceRefusal(fileName, QStringLiteral("valore non ammesso ") + *fault);
        return false;
    }
    ConvertMemoryMapToUserSetup();
    return true;
}

bool CMemMapManager::SaveMemorySetup(const QString &fileName, QString *fault)
{
    CProgramFile file;
    file.Version = WritingProgramVersion();
    file.NomeProgramma = m_Configuration.ModInstr().NomeProgramma();
    file.CodificaModuli = m_CodificaModuli;
    file.Words = m_MemoryMap;
    QString reason;
    if (Platform::WriteWholeFile(fileName, EncodeProgramFile(file), &reason))
        return true;
    g_Trace->BugMessage(QStringLiteral("Impossibile scrivere il file ") + fileName + QStringLiteral(": ") +
                        reason);
    if (fault)
        *fault = reason;
    return false;
}

bool CMemMapManager::ReadMemorySetup(const QString &fileName)
{
    const Platform::CFileRead bytes = Platform::ReadRegularFile(fileName, ProgramFileSize(m_Family));
    QString fault = bytes.Fault();
    const std::optional<CProgramFile> file =
        bytes.IsRead() ? DecodeProgramFile(bytes.Bytes, WordCount(), &fault) : std::nullopt;
    if (!file) {
        TraceRefusal(fileName, fault);
        return false;
    }
    // A name of blanks only is no name: the configuration keeps its default, as it does for
    // every other value the file does not give.
    if (!file->NomeProgramma.isEmpty())
        m_Configuration.ModInstr().SetNomeProgramma(file->NomeProgramma);
    m_CodificaModuli = file->CodificaModuli;
    m_MemoryMap = file->Words;
    return true;
}

bool CMemMapManager::SaveMemorySetupAux(const QString &fileName)
{
    if (Platform::WriteWholeFile(fileName, EncodeAuxDump(m_CodificaModuli, m_MemoryMapAux)))
        return true;
    g_Trace->BugMessage(QStringLiteral("Impossibile scrivere il file ") + fileName);
    return false;
}

bool CMemMapManager::ReadMemorySetupAux(const QString &fileName)
{
    const Platform::CFileRead bytes = Platform::ReadRegularFile(fileName, kAuxDumpLimit);
    const std::optional<CAuxDump> dump =
        bytes.IsRead() ? DecodeAuxDump(bytes.Bytes, WordCount()) : std::nullopt;
    if (!dump)
        return false;
    m_CodificaModuli = dump->CodificaModuli;
    m_MemoryMapAux = dump->Entries;
    return true;
}

void CMemMapManager::SaveMemoryDump(const QString &dumpName)
{
    SaveMemorySetup(Platform::UserDataFile(dumpName));
}

void CMemMapManager::SaveMemoryDumpAux(const QString &dumpName)
{
    SaveMemorySetupAux(Platform::UserDataFile(dumpName));
}

void CMemMapManager::TraceMemoryMap() const
{
    TraceLines(MemoryMapDumpLines(m_Family, m_CodificaModuli, m_MemoryMap));
}

void CMemMapManager::TraceMemoryMapAux() const
{
    TraceLines(MemoryMapAuxDumpLines(m_Family, m_CodificaModuli, m_MemoryMapAux));
}
