#include "common/ResString.h"
#include "platform/UserPaths.h"
#include "programming/memmap/GestioneQEMMemMap.h"
#include "programming/memmap/GestioneVABZOBMemMap.h"
#include "programming/memmap/ProgramFile.h"
#include "support/MemMapArchive_fixture.h"
#include "support/TraceCapture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace MemMap;

namespace {

constexpr qint16 kQEMCode = IxoCode(SlotAModule::QEM),
                 kVABCode = IxoCode(SlotAModule::ZOB, ModuleCodeBits::SlotBZQ);

class MemMapManagerTest : public ArchiveTest
{
protected:
    static QByteArray FileBytes(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_Files;
};

} // namespace

TEST_F(MemMapManagerTest, ExportAndImportBothFamilies)
{
    for (EFamily family : {EFamily::VABZOB, EFamily::QEM}) {
        const qint32 id = AddDistinct(family);
        const QString path = m_Files.filePath("p.IXO");
        ASSERT_TRUE(ManagerFor(family == EFamily::QEM ? kQEMCode : kVABCode, id)->Export(path, id));

        const qint32 newId = g_Connection->NewID();
        ASSERT_TRUE(MakeMemMapManager(*ProgramFileModuleCode(path))->Import(path, newId));
        CConfiguration original, imported;
        original.Load(id);
        imported.Load(newId);
        EXPECT_EQ(std::tuple(imported.ModInstr().NomeProgramma(), imported.ModInstr().CodificaModuli(),
                             CarriedValues(imported, family)),
                  std::tuple(original.ModInstr().NomeProgramma(), original.ModInstr().CodificaModuli(),
                             CarriedValues(original, family)));
        // The QEM image has no linearization: the import keeps the class default.
        EXPECT_EQ(imported.Linearize().NumSpezzate(), family == EFamily::QEM ? 2 : 16);
    }
}

TEST_F(MemMapManagerTest, ConversionsDumpTheImageIntoTheTrace)
{
    TraceCapture trace;
    ManagerFor(kQEMCode, AddDistinct(EFamily::QEM))->ConvertUserSetupToMemoryMap();
    const QStringList lines = trace.Lines();
    const qsizetype dump = lines.indexOf("Instrument map memory dump:");
    ASSERT_GE(dump, 1);
    EXPECT_EQ(lines.mid(dump - 1, 4),
              QStringList({"Dump della codifica interna della configurazione utente",
                           "Instrument map memory dump:", "Codifica moduli=CC0F", "Add E000=10E1"}));
    EXPECT_EQ(lines.last(), "Add E06C=17");
}

// Every refused file leaves the archive as it was and says why in the trace; a pipe is refused
// before it is opened, which would wait for a writer for ever.
TEST_F(MemMapManagerTest, RefusedFilesLeaveTheArchiveAloneAndSayWhy)
{
    const QString qem = m_Files.filePath("qem.IXO"), vab = m_Files.filePath("vab.IXO");
    ASSERT_TRUE(CGestioneQEMMemMap().Export(qem, AddDistinct(EFamily::QEM)));
    ASSERT_TRUE(CGestioneVABZOBMemMap().Export(vab, AddDistinct(EFamily::VABZOB)));
    const QByteArray qemBytes = FileBytes(qem), vabBytes = FileBytes(vab);
    auto with = [](QByteArray bytes, qsizetype at, QByteArray part) {
        return bytes.replace(at, part.size(), part);
    };
    const qsizetype image = kProgramFileHeaderSize;
    const struct
    {
        EFamily family;
        QByteArray content;
        const char *why;
    } refused[] = {
        {EFamily::QEM, qemBytes.left(287), "287 byte invece di almeno 288"},
        {EFamily::QEM, with(qemBytes, 0, "ixoSoft"), "programma \"ixoSoft\" invece di \"IxoSoft\""},
        {EFamily::QEM, with(qemBytes, kModuleCodeOffset, "\x0f\x80"),
         "codifica moduli 800F dell'altra famiglia"},
        {EFamily::QEM, with(qemBytes, image + 2, QByteArray("\x06\x00", 2)), "valore non ammesso Range=6"},
        {EFamily::QEM, with(qemBytes, image + 2 * 86, QByteArray(2, '\0')),
         "valore non ammesso NetworkAdd=0"},
        {EFamily::VABZOB, with(vabBytes, image + 2 * 12, "\xff\xff"), "valore non ammesso NumSpezzate=-1"},
    };
    const QString path = m_Files.filePath("bad.IXO"), pipe = m_Files.filePath("pipe.IXO");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString before = ArchiveSnapshot();
    TraceCapture trace;
    auto refuses = [&](EFamily family, const QString &file, const QString &why) {
        EXPECT_FALSE(MakeMemMapManager(family == EFamily::QEM ? kQEMCode : kVABCode)
                         ->Import(file, g_Connection->NewID()))
            << why.toStdString();
        EXPECT_TRUE(trace.Lines().contains("File " + file + " rifiutato: " + why)) << why.toStdString();
    };
    for (const auto &r : refused) {
        ASSERT_TRUE(WriteWholeFile(path, r.content));
        refuses(r.family, path, r.why);
    }
    refuses(EFamily::QEM, m_Files.filePath("missing.IXO"), "file non trovato");
    refuses(EFamily::QEM, m_Files.path(), "non è un file regolare");
    refuses(EFamily::VABZOB, pipe, "non è un file regolare");
    EXPECT_EQ(ArchiveSnapshot(), before);

    ASSERT_TRUE(WriteWholeFile(path, qemBytes + QByteArray(100, '\xff')));
    EXPECT_TRUE(CGestioneQEMMemMap().Import(path, g_Connection->NewID()));
}

// A name of blanks only is no name: the import keeps the default one.
TEST_F(MemMapManagerTest, ANameOfBlanksKeepsTheDefaultName)
{
    const QString path = m_Files.filePath("p.IXO");
    ASSERT_TRUE(CGestioneVABZOBMemMap().Export(path, AddDistinct(EFamily::VABZOB)));
    ASSERT_TRUE(WriteWholeFile(path, FileBytes(path).replace(kNomeProgrammaOffset, kNomeProgrammaSize,
                                                             QByteArray(kNomeProgrammaSize, ' '))));
    const qint32 id = g_Connection->NewID();
    ASSERT_TRUE(CGestioneVABZOBMemMap().Import(path, id));
    CConfiguration imported;
    imported.Load(id);
    EXPECT_EQ(imported.ModInstr().NomeProgramma(), LoadResString(383));
}

TEST_F(MemMapManagerTest, ExportReportsAFileThatCannotBeWritten)
{
    const qint32 id = AddDistinct(EFamily::VABZOB);
    EXPECT_FALSE(CGestioneVABZOBMemMap().Export(m_Files.filePath("no/folder/x.IXO"), id));
    // A dump that cannot be written only leaves a trace line.
    QDir().mkpath(Platform::UserDataFile(kMemoryUserDump));
    auto manager = ManagerFor(kVABCode, id);
    manager->ConvertUserSetupToMemoryMap();
    EXPECT_NO_THROW(manager->SaveMemoryDump(kMemoryUserDump));
    EXPECT_NO_THROW(manager->SaveMemoryDumpAux(kMemoryUserDump));
}

// The auxiliary round trip through an instrument is the transfer's (AuxTransfer_test); the dump
// written before a write reads back as it was.
TEST_F(MemMapManagerTest, TheAuxiliaryDumpReadsBack)
{
    for (const auto &[family, code] : {std::pair{EFamily::VABZOB, kVABCode}, {EFamily::QEM, kQEMCode}}) {
        auto writer = ManagerFor(code, AddDistinct(family));
        writer->ConvertUserSetupToMemoryMapAux();
        writer->SaveMemoryDumpAux(kMemoryUserAuxDump);
        auto rereader = MakeMemMapManager(code);
        ASSERT_TRUE(rereader->ReadMemorySetupAux(Platform::UserDataFile(kMemoryUserAuxDump)));
        EXPECT_EQ(AuxEntries(*rereader), AuxEntries(*writer));
    }
}

// The VAB/ZOB manager writes electrical values in the range of the signal module its code
// names: range 4 is volts in thousandths on a VAB or VAK/VAM, in tenths on a ZOB.
TEST_F(MemMapManagerTest, ElectricalTextsFollowTheSignalModuleOfTheCode)
{
    const qint32 id = AddDistinct(EFamily::VABZOB); // range 4, MinElectricScale -150, model IXO
    const std::pair<qint16, const char *> cases[] = {
        {SlotAModule::VAB, "-0.150"}, {SlotAModule::VAKVAM, "-0.150"}, {SlotAModule::ZOB, "-15.0"}};
    for (const auto &[slotA, text] : cases) {
        auto manager = ManagerFor(IxoCode(slotA), id);
        manager->ConvertUserSetupToMemoryMapAux();
        EXPECT_EQ(manager->AuxEntry(6), text) << slotA;
    }
}
