#include "platform/UserPaths.h"
#include "programming/memmap/AuxListing_fixture.h"
#include "programming/memmap/GestioneQEMMemMap.h"
#include "programming/memmap/GestioneVABZOBMemMap.h"
#include "programming/memmap/MemMapArchive_fixture.h"
#include "programming/memmap/ProgramFile.h"
#include "support/TraceCapture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace MemMap;

namespace {

constexpr qint16 kQEMCode = qint16(0xCC0F), kVABCode = qint16(0xC90F);

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

TEST_F(MemMapManagerTest, RefusedFilesLeaveTheArchiveAlone)
{
    const QString good = m_Files.filePath("good.IXO"), path = m_Files.filePath("bad.IXO");
    ASSERT_TRUE(CGestioneQEMMemMap().Export(good, AddDistinct(EFamily::QEM)));
    const QByteArray bytes = FileBytes(good);
    auto with = [&](qsizetype at, QByteArray part) {
        return QByteArray(bytes).replace(at, part.size(), part);
    };
    const qsizetype image = kProgramFileHeaderSize;
    const std::pair<const char *, QByteArray> refused[] = {
        {"short", bytes.left(287)},
        {"foreign", with(0, "ixoSoft")},
        {"other family", with(kModuleCodeOffset + 1, "\x80")},
        {"range", with(image + 2, QByteArray("\x06\x00", 2))},
        {"address", with(image + 2 * 86, QByteArray(2, '\0'))}};
    const QString before = ArchiveSnapshot();
    for (const auto &[what, content] : refused) {
        ASSERT_TRUE(WriteWholeFile(path, content));
        EXPECT_FALSE(CGestioneQEMMemMap().Import(path, g_Connection->NewID())) << what;
    }
    EXPECT_FALSE(CGestioneQEMMemMap().Import(m_Files.filePath("missing.IXO"), g_Connection->NewID()));
    EXPECT_EQ(ArchiveSnapshot(), before);

    ASSERT_TRUE(WriteWholeFile(path, bytes + QByteArray(100, '\xff')));
    EXPECT_TRUE(CGestioneQEMMemMap().Import(path, g_Connection->NewID()));
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

TEST_F(MemMapManagerTest, AuxiliaryTextsBothWaysThroughRecordTwo)
{
    for (const auto &[family, code] : {std::pair{EFamily::VABZOB, kVABCode}, {EFamily::QEM, kQEMCode}}) {
        const qint32 id = AddDistinct(family);
        auto writer = ManagerFor(code, id);
        writer->ConvertUserSetupToMemoryMapAux();
        writer->SaveMemoryDumpAux(kMemoryUserAuxDump);

        auto reader = ManagerFor(code, CArchive::kActualSettingID);
        reader->ReadAuxListing(InstrumentListing(family, AuxEntries(*writer), " "));
        reader->ConvertMemoryMapAuxToUserSetup();
        CConfiguration read, written;
        read.Load(CArchive::kActualSettingID);
        written.Load(id);
        EXPECT_EQ(CarriedValues(read, family), CarriedValues(written, family));

        auto rereader = MakeMemMapManager(code);
        ASSERT_TRUE(rereader->ReadMemorySetupAux(Platform::UserDataFile(kMemoryUserAuxDump)));
        EXPECT_EQ(AuxEntries(*rereader), AuxEntries(*writer));
    }
}
