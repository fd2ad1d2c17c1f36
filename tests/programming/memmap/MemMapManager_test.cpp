#include "common/Error.h"
#include "platform/UserPaths.h"
#include "programming/memmap/AuxListing_fixture.h"
#include "programming/memmap/GestioneQEMMemMap.h"
#include "programming/memmap/GestioneVABZOBMemMap.h"
#include "programming/memmap/MemMapArchive_fixture.h"
#include "programming/memmap/MemMapFactory.h"
#include "programming/memmap/ProgramFile.h"
#include "support/TraceCapture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace MemMap;

namespace {

class MemMapManagerTest : public ArchiveTest
{
protected:
    static QStringList Carried(qint32 id, EFamily family)
    {
        CConfiguration configuration;
        configuration.Load(id);
        return CarriedValues(configuration, family);
    }

    static QByteArray FileBytes(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString FilePath(const QString &name) const { return m_Files.filePath(name); }

    QTemporaryDir m_Files;
};

} // namespace

TEST_F(MemMapManagerTest, ExportAndImportBothFamilies)
{
    for (EFamily family : {EFamily::VABZOB, EFamily::QEM}) {
        const qint32 id = AddDistinct(family);
        CConfiguration original;
        original.Load(id);
        const QString path = FilePath(family == EFamily::QEM ? "qem.IXO" : "vab.IXO");

        ASSERT_TRUE(MakeMemMapManager(original.ModInstr().CodificaModuli())->Export(path, id));
        const QByteArray bytes = FileBytes(path);
        ASSERT_EQ(bytes.size(), family == EFamily::QEM ? 288 : 286);
        EXPECT_EQ(ProgramFileModuleCode(path), original.ModInstr().CodificaModuli());

        const qint32 newId = g_Connection->NewID();
        auto manager = MakeMemMapManager(*ProgramFileModuleCode(path));
        ASSERT_EQ(manager->Family(), family);
        ASSERT_TRUE(manager->Import(path, newId));

        CConfiguration imported;
        imported.Load(newId);
        EXPECT_EQ(imported.ModInstr().NomeProgramma(), original.ModInstr().NomeProgramma());
        EXPECT_EQ(imported.ModInstr().CodificaModuli(), original.ModInstr().CodificaModuli());
        EXPECT_EQ(CarriedValues(imported, family), CarriedValues(original, family));
        if (family == EFamily::QEM) {
            // The QEM image has no linearization: the import keeps the class defaults.
            EXPECT_EQ(imported.Linearize().NumSpezzate(), 2);
            EXPECT_EQ(imported.InOutScale().Linearizzazione(), 0);
        }
    }
}

TEST_F(MemMapManagerTest, ConversionsDumpTheImageIntoTheTrace)
{
    CGestioneQEMMemMap qem;
    qem.SetIDProgramma(AddDistinct(EFamily::QEM));
    qem.SetCodificaModuli(qint16(0xCC0F));
    TraceCapture trace;
    qem.ConvertUserSetupToMemoryMap();
    const QStringList lines = trace.Lines();
    const qsizetype dump = lines.indexOf("Instrument map memory dump:");
    ASSERT_GE(dump, 0);
    EXPECT_EQ(lines[dump - 1], "Dump della codifica interna della configurazione utente");
    EXPECT_EQ(lines[dump + 1], "Codifica moduli=CC0F");
    EXPECT_EQ(lines[dump + 2], "Add E000=10E1");
    EXPECT_EQ(lines.last(), "Add E06C=17");
}

TEST_F(MemMapManagerTest, ReadIntoRecordTwoUpdatesItsRows)
{
    CGestioneVABZOBMemMap source;
    source.SetIDProgramma(AddDistinct(EFamily::VABZOB));
    source.ConvertUserSetupToMemoryMap();

    CGestioneVABZOBMemMap reader;
    reader.SetIDProgramma(CArchive::kActualSettingID);
    reader.SetCodificaModuli(qint16(0x8901));
    for (int i = 0; i < reader.WordCount(); ++i)
        reader.SetVABZOBMemMap(i, source.VABZOBMemMap(i));
    reader.SaveMemoryDump(kMemoryMapDump);
    reader.ConvertMemoryMapToUserSetup();

    CConfiguration record;
    record.Load(CArchive::kActualSettingID);
    EXPECT_EQ(record.ModInstr().NomeProgramma(), "Actual instrument setting");
    EXPECT_EQ(record.ModInstr().ModelloStrumento(), 1);
    EXPECT_EQ(CarriedValues(record, EFamily::VABZOB), Carried(source.IDProgramma(), EFamily::VABZOB));

    const QByteArray dump = FileBytes(Platform::UserDataFile(kMemoryMapDump));
    ASSERT_EQ(dump.size(), 286);
    EXPECT_EQ(dump.mid(56, 12), "Without name");
}

TEST_F(MemMapManagerTest, RefusedFilesLeaveTheArchiveAlone)
{
    const qint32 id = AddDistinct(EFamily::QEM);
    const QString good = FilePath("good.IXO");
    CGestioneQEMMemMap exporter;
    ASSERT_TRUE(exporter.Export(good, id));
    const QByteArray bytes = FileBytes(good);

    auto withWord = [&](int index, qint16 value) {
        QByteArray b = bytes;
        b[kProgramFileHeaderSize + 2 * index] = char(value & 0xFF);
        b[kProgramFileHeaderSize + 2 * index + 1] = char((value >> 8) & 0xFF);
        return b;
    };
    QByteArray foreign = bytes;
    foreign.replace(0, 7, "ixoSoft");
    QByteArray vabCode = bytes;
    vabCode[kModuleCodeOffset + 1] = char(0x80);
    const std::pair<const char *, QByteArray> refused[] = {
        {"short", bytes.left(287)}, {"empty", QByteArray()},   {"foreign", foreign},
        {"other family", vabCode},  {"range", withWord(1, 6)}, {"address", withWord(86, 0)}};
    const QString before = ArchiveSnapshot();
    for (const auto &[what, content] : refused) {
        const QString path = FilePath(QString::fromLatin1(what) + ".IXO");
        ASSERT_TRUE(WriteWholeFile(path, content));
        CGestioneQEMMemMap importer;
        EXPECT_FALSE(importer.Import(path, g_Connection->NewID())) << what;
    }
    EXPECT_FALSE(CGestioneQEMMemMap().Import(FilePath("missing.IXO"), g_Connection->NewID()));
    EXPECT_EQ(ArchiveSnapshot(), before);

    const QString longer = FilePath("longer.IXO");
    ASSERT_TRUE(WriteWholeFile(longer, bytes + QByteArray(100, '\xff')));
    EXPECT_TRUE(CGestioneQEMMemMap().Import(longer, g_Connection->NewID()));
}

TEST_F(MemMapManagerTest, ExportReportsAFileThatCannotBeWritten)
{
    const qint32 id = AddDistinct(EFamily::VABZOB);
    EXPECT_FALSE(CGestioneVABZOBMemMap().Export(FilePath("no/folder/x.IXO"), id));
    // A dump that cannot be written only leaves a trace line.
    QDir().mkpath(Platform::UserDataFile(kMemoryUserDump));
    CGestioneVABZOBMemMap manager;
    manager.SetIDProgramma(id);
    manager.ConvertUserSetupToMemoryMap();
    EXPECT_NO_THROW(manager.SaveMemoryDump(kMemoryUserDump));
    EXPECT_NO_THROW(manager.SaveMemoryDumpAux(kMemoryUserDump));
}

namespace {

QByteArray ListingOf(const CMemMapManager &manager)
{
    QStringList entries;
    for (int i = 0; i < manager.WordCount(); ++i)
        entries.append(manager.AuxEntry(i));
    return InstrumentListing(manager.Family(), entries, " ");
}

} // namespace

TEST_F(MemMapManagerTest, AuxiliaryTextsBothWaysThroughRecordTwo)
{
    for (EFamily family : {EFamily::VABZOB, EFamily::QEM}) {
        const qint32 id = AddDistinct(family);
        CConfiguration stored;
        stored.Load(id);
        auto writer = MakeMemMapManager(stored.ModInstr().CodificaModuli());
        writer->SetIDProgramma(id);
        writer->SetCodificaModuli(stored.ModInstr().CodificaModuli());
        writer->ConvertUserSetupToMemoryMapAux();
        writer->SaveMemoryDumpAux(kMemoryUserAuxDump);
        EXPECT_EQ(writer->AuxEntry(9), "-0.999");

        auto reader = MakeMemMapManager(stored.ModInstr().CodificaModuli());
        reader->SetIDProgramma(CArchive::kActualSettingID);
        reader->SetCodificaModuli(stored.ModInstr().CodificaModuli());
        reader->ReadAuxListing(ListingOf(*writer));
        reader->ConvertMemoryMapAuxToUserSetup();
        EXPECT_EQ(Carried(CArchive::kActualSettingID, family), Carried(id, family));

        const QByteArray dump = FileBytes(Platform::UserDataFile(kMemoryUserAuxDump));
        EXPECT_TRUE(dump.startsWith('"' + QByteArray::number(stored.ModInstr().CodificaModuli()) + "\"\r\n"));
        auto rereader = MakeMemMapManager(stored.ModInstr().CodificaModuli());
        ASSERT_TRUE(rereader->ReadMemorySetupAux(Platform::UserDataFile(kMemoryUserAuxDump)));
        EXPECT_EQ(rereader->AuxEntry(9), writer->AuxEntry(9));
    }
}

TEST_F(MemMapManagerTest, AuxiliaryFaultsStoreNothing)
{
    const qint32 id = AddDistinct(EFamily::VABZOB);
    CGestioneVABZOBMemMap writer;
    writer.SetIDProgramma(id);
    writer.SetCodificaModuli(qint16(0xC90F));
    writer.ConvertUserSetupToMemoryMapAux();
    const QByteArray listing = ListingOf(writer);
    const QString before = ArchiveSnapshot();

    const std::pair<QByteArray, QByteArray> damages[] = {
        {"SP.1>ALr= uP\r", "SP.1>ALr= UP\r"}, // no such alarm type
        {"SCAL>Lo.d=", "SCAL>Lo.x="},         // key missing
        {"S.out>Add= 201", "S.out>Add= 2O1"}, // not a number
    };
    for (const auto &[from, to] : damages) {
        QByteArray damaged = listing;
        ASSERT_TRUE(damaged.contains(from)) << from.constData();
        damaged.replace(from, to);
        CGestioneVABZOBMemMap reader;
        reader.SetIDProgramma(CArchive::kActualSettingID);
        reader.SetCodificaModuli(qint16(0xC90F));
        EXPECT_THROW(
            {
                reader.ReadAuxListing(damaged);
                reader.ConvertMemoryMapAuxToUserSetup();
            },
            CError)
            << to.constData();
    }
    EXPECT_EQ(ArchiveSnapshot(), before);

    CConfiguration bad;
    bad.Load(id);
    bad.Display().SetDisplayColor(3);
    bad.Update(id);
    EXPECT_THROW(writer.ConvertUserSetupToMemoryMapAux(), CError);
}
