#include "common/ResString.h"
#include "platform/FileAccess.h"
#include "platform/UserPaths.h"
#include "programming/memmap/GestioneQEMMemMap.h"
#include "programming/memmap/GestioneVABZOBMemMap.h"
#include "programming/memmap/ProgramFile.h"
#include "support/DataTable.h"
#include "support/MemMapArchive_fixture.h"
#include "support/TraceCapture.h"

#include <QDir>

#include <sys/stat.h>

using namespace MemMap;

namespace {

constexpr qint16 kQEMCode = IxoCode(SlotAModule::QEM),
                 kVABCode = IxoCode(SlotAModule::ZOB, ModuleCodeBits::SlotBZQ);

class MemMapManagerTest : public ArchiveTest
{
protected:
    // Name, module code and the carried values of archived configuration id.
    static auto Carried(qint32 id, EFamily family)
    {
        CConfiguration configuration;
        configuration.Load(id);
        return std::tuple(configuration.ModInstr().NomeProgramma(), configuration.ModInstr().CodificaModuli(),
                          CarriedValues(id, family));
    }

    QTemporaryDir m_Files;
};

} // namespace

TEST_F(MemMapManagerTest, ExportAndImportBothFamilies)
{
    const QString path = m_Files.filePath("p.IXO");
    for (EFamily family : {EFamily::VABZOB, EFamily::QEM}) {
        const qint32 id = AddDistinct(family), newId = g_Connection->NewID();
        ASSERT_TRUE(ManagerFor(family == EFamily::QEM ? kQEMCode : kVABCode, id)->Export(path, id));
        ASSERT_TRUE(MakeMemMapManager(*ProgramFileModuleCode(path))->Import(path, newId));
        EXPECT_EQ(Carried(newId, family), Carried(id, family));
        CConfiguration imported;
        imported.Load(newId);
        // The QEM image has no linearization: the import keeps the class default.
        EXPECT_EQ(imported.Linearize().NumSpezzate(), family == EFamily::QEM ? 2 : 16);
    }
}

// A name ends at its first NUL, the rest being padding; a name that is then blank is no name, so
// the import keeps the default one.
TEST_F(MemMapManagerTest, ANameEndsAtItsFirstNulAndABlankOneKeepsTheDefault)
{
    const QString path = m_Files.filePath("p.IXO");
    ASSERT_TRUE(CGestioneQEMMemMap().Export(path, AddDistinct(EFamily::QEM)));
    const QString none = LoadResString(383);
    const std::pair<QByteArray, QString> names[] = {
        {QByteArray(kNomeProgrammaSize, ' '), none},
        {QByteArray(kNomeProgrammaSize, '\0'), none},
        {QByteArray("  \0Forno", 8), none},
        {QByteArray("Forno 2\0resto", 13), "Forno 2"},
    };
    for (const auto &[field, name] : names) {
        const QByteArray padded = field.leftJustified(kNomeProgrammaSize, '\0');
        ASSERT_TRUE(Platform::WriteWholeFile(
            path, ReadFile(path).replace(kNomeProgrammaOffset, kNomeProgrammaSize, padded)));
        const qint32 id = g_Connection->NewID();
        ASSERT_TRUE(CGestioneQEMMemMap().Import(path, id));
        EXPECT_EQ(std::get<0>(Carried(id, EFamily::QEM)), name);
    }
}

TEST_F(MemMapManagerTest, ConversionsDumpTheImageIntoTheTrace)
{
    TraceCapture trace;
    ManagerFor(kQEMCode, AddDistinct(EFamily::QEM))->ConvertUserSetupToMemoryMap();
    const QStringList lines = trace.Lines();
    const qsizetype dump = lines.indexOf("Instrument map memory dump:");
    ASSERT_GE(dump, 1);
    EXPECT_EQ(
        lines.mid(dump - 1, 4) << lines.last(),
        QStringList({"Dump della codifica interna della configurazione utente",
                     "Instrument map memory dump:", "Codifica moduli=CC0F", "Add E000=10E1", "Add E06C=17"}));
}

// Every refused file leaves the archive as it was and says why in the trace; a pipe is refused
// before it is opened, which would wait for a writer for ever. A longer file is taken. (Which
// words an image refuses is ImageSettings_test's; both families import alike.)
TEST_F(MemMapManagerTest, RefusedFilesLeaveTheArchiveAloneAndSayWhy)
{
    const QString bad = m_Files.filePath("bad.IXO"), pipe = m_Files.filePath("pipe.IXO");
    ASSERT_TRUE(CGestioneQEMMemMap().Export(bad, AddDistinct(EFamily::QEM)));
    const QByteArray qemBytes = ReadFile(bad);
    const auto with = [](QByteArray bytes, qsizetype at, QByteArray part) {
        return bytes.replace(at, part.size(), part);
    };
    const std::pair<QByteArray, const char *> refused[] = {
        {qemBytes.left(287), "287 byte invece di almeno 288"},
        {with(qemBytes, 0, "ixoSoft"), "programma \"ixoSoft\" invece di \"IxoSoft\""},
        {with(qemBytes, kModuleCodeOffset, "\x0f\x80"), "codifica moduli 800F dell'altra famiglia"},
        {with(qemBytes, kProgramFileHeaderSize + 2, QByteArray("\x06\x00", 2)), "valore non ammesso Range=6"},
        {{}, "file non trovato"}, // each of these two at its own path below
        {{}, "non è un file regolare"}};
    const QString elsewhere[] = {m_Files.filePath("missing.IXO"), pipe};
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QStringList before = ArchiveRows();
    TraceCapture trace;
    for (qsizetype i = 0; i < std::ssize(refused); ++i) {
        const auto &[content, why] = refused[i];
        const QString file = i < 4 ? bad : elsewhere[i - 4];
        ASSERT_TRUE(i >= 4 || Platform::WriteWholeFile(file, content));
        EXPECT_FALSE(CGestioneQEMMemMap().Import(file, g_Connection->NewID()));
        EXPECT_TRUE(trace.Lines().contains("File " + file + " rifiutato: " + why)) << why;
    }
    EXPECT_EQ(ArchiveRows(), before);
    ASSERT_TRUE(Platform::WriteWholeFile(bad, qemBytes + QByteArray(100, '\xff')));
    EXPECT_TRUE(CGestioneQEMMemMap().Import(bad, g_Connection->NewID()));
}

// A dump that cannot be written stops nothing (a program file that cannot be written fails the
// export: ImportExport_test).
TEST_F(MemMapManagerTest, ADumpThatCannotBeWrittenFailsNothing)
{
    QDir().mkpath(Platform::UserDataFile(kMemoryUserDump));
    auto manager = ManagerFor(kVABCode, AddDistinct(EFamily::VABZOB));
    manager->ConvertUserSetupToMemoryMap();
    EXPECT_NO_THROW(manager->SaveMemoryDump(kMemoryUserDump));
    EXPECT_NO_THROW(manager->SaveMemoryDumpAux(kMemoryUserDump));
}

// The VAB/ZOB manager writes electrical values in the range of the signal module its code
// names: range 4 is volts in thousandths on a VAB or VAK/VAM, in tenths on a ZOB.
TEST_F(MemMapManagerTest, ElectricalTextsFollowTheSignalModuleOfTheCode)
{
    const qint32 id = AddDistinct(EFamily::VABZOB); // range 4, MinElectricScale -150, model IXO
    QStringList texts;
    for (const qint16 slotA : {SlotAModule::VAB, SlotAModule::VAKVAM, SlotAModule::ZOB}) {
        auto manager = ManagerFor(IxoCode(slotA), id);
        manager->ConvertUserSetupToMemoryMapAux();
        texts.append(manager->AuxEntry(6));
    }
    EXPECT_EQ(texts, QStringList({"-0.150", "-0.150", "-15.0"}));
}

namespace {

// The stored values of every row of configuration id, the key left out.
QStringList RowsOf(qint64 id)
{
    QStringList rows;
    for (const QString &table : CArchive::ConfigurationTables()) {
        g_Connection->Run("SELECT * FROM " + table + " WHERE IDProgramma = ?", {id}, [&](const auto &row) {
            rows << table;
            for (int i = 1; i < row.ColumnCount(); ++i)
                rows.last() += ' ' + row.Value(i).toString();
        });
    }
    return rows;
}

QStringList ImageOf(CMemMapManager &manager, EWriteImage image)
{
    QStringList entries{QString::number(manager.CodificaModuli(), 16)};
    for (int i = 0; i < manager.WordCount(); ++i)
        entries << (image == EWriteImage::Words ? QString::number(manager.Word(i)) : manager.AuxEntry(i));
    return entries;
}

struct HeldCase
{
    const char *what;
    EFamily family;
    EWriteImage image;
};

using HeldImages = Cases<MemMapManagerTest, HeldCase>;

} // namespace

// A configuration held in memory makes the image its stored rows make, module code included,
// and the manager keeps every stored column of it. It is left as the wizard leaves it, with the
// context its pages carry (which the archive does not keep), and the record the write stands
// for holds another configuration: a read of that record, or of the context, would show.
TEST_P(HeldImages, AConfigurationHeldInMemoryMakesTheImageOfItsStoredRows)
{
    const HeldCase &c = GetParam();
    CConfiguration held;
    FillDistinct(held, c.family);
    held.ApplyContext();
    const qint32 stored = g_Connection->NewID();
    held.Add(stored);
    const auto fromArchive = BuildWriteImage(c.image, stored, nullptr);
    const auto fromMemory = BuildWriteImage(c.image, CArchive::kActualSettingID, &held);
    EXPECT_EQ(ImageOf(*fromMemory, c.image), ImageOf(*fromArchive, c.image));
    const qint32 copied = g_Connection->NewID();
    fromMemory->Configuration().Add(copied);
    EXPECT_EQ(RowsOf(copied), RowsOf(stored));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(WriteImages, HeldImages, ::testing::Values(
    HeldCase{"VABZOB_words", EFamily::VABZOB, EWriteImage::Words},
    HeldCase{"QEM_words", EFamily::QEM, EWriteImage::Words},
    HeldCase{"VABZOB_auxiliary", EFamily::VABZOB, EWriteImage::AuxEntries},
    HeldCase{"QEM_auxiliary", EFamily::QEM, EWriteImage::AuxEntries}), CaseName());
// clang-format on
