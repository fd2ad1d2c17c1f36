#include "common/Error.h"
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
        EXPECT_EQ(imported.ModInstr().NomeProgramma(), original.ModInstr().NomeProgramma());
        EXPECT_EQ(imported.ModInstr().CodificaModuli(), original.ModInstr().CodificaModuli());
        EXPECT_EQ(CarriedValues(imported, family), CarriedValues(original, family));
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

TEST_F(MemMapManagerTest, ReadIntoRecordTwoUpdatesItsRows)
{
    const qint32 id = AddDistinct(EFamily::VABZOB);
    auto source = ManagerFor(kVABCode, id);
    source->ConvertUserSetupToMemoryMap();
    CGestioneVABZOBMemMap reader;
    reader.SetIDProgramma(CArchive::kActualSettingID);
    reader.SetCodificaModuli(qint16(0x8901));
    for (int i = 0; i < reader.WordCount(); ++i)
        reader.SetVABZOBMemMap(i, source->Word(i));
    reader.SaveMemoryDump(kMemoryMapDump);
    reader.ConvertMemoryMapToUserSetup();

    CConfiguration record;
    record.Load(CArchive::kActualSettingID);
    EXPECT_EQ(record.ModInstr().NomeProgramma(), "Actual instrument setting");
    EXPECT_EQ(record.ModInstr().ModelloStrumento(), 1);
    EXPECT_EQ(CarriedValues(record, EFamily::VABZOB), CarriedValues(id, EFamily::VABZOB));
    EXPECT_EQ(FileBytes(Platform::UserDataFile(kMemoryMapDump)).mid(56, 13), "Without name ");
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
        {"empty", QByteArray()},
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
        EXPECT_EQ(CarriedValues(CArchive::kActualSettingID, family), CarriedValues(id, family));

        auto rereader = MakeMemMapManager(code);
        ASSERT_TRUE(rereader->ReadMemorySetupAux(Platform::UserDataFile(kMemoryUserAuxDump)));
        EXPECT_EQ(AuxEntries(*rereader), AuxEntries(*writer));
    }
}

TEST_F(MemMapManagerTest, AuxiliaryFaultsStoreNothing)
{
    const qint32 id = AddDistinct(EFamily::VABZOB);
    auto writer = ManagerFor(kVABCode, id);
    writer->ConvertUserSetupToMemoryMapAux();
    const QByteArray listing = InstrumentListing(EFamily::VABZOB, AuxEntries(*writer), " ");
    const QString before = ArchiveSnapshot();
    const std::pair<QByteArray, QByteArray> damages[] = {
        {"SP.1>ALr= uP\r", "SP.1>ALr= UP\r"}, // no such alarm type
        {"SCAL>Lo.d=", "SCAL>Lo.x="},         // key missing
        {"S.out>Add= 201", "S.out>Add= 2O1"}, // not a number
    };
    for (const auto &[from, to] : damages) {
        ASSERT_TRUE(listing.contains(from)) << from.constData();
        auto reader = ManagerFor(kVABCode, CArchive::kActualSettingID);
        EXPECT_THROW(
            {
                reader->ReadAuxListing(QByteArray(listing).replace(from, to));
                reader->ConvertMemoryMapAuxToUserSetup();
            },
            CError)
            << to.constData();
    }
    EXPECT_EQ(ArchiveSnapshot(), before);

    CConfiguration bad;
    bad.Load(id);
    bad.Display().SetDisplayColor(3);
    bad.Update(id);
    EXPECT_THROW(writer->ConvertUserSetupToMemoryMapAux(), CError);
}
