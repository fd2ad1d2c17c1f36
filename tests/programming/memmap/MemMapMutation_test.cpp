#include "common/Error.h"
#include "programming/memmap/AuxListing_fixture.h"
#include "programming/memmap/GestioneQEMMemMap.h"
#include "programming/memmap/GestioneVABZOBMemMap.h"
#include "programming/memmap/MemMapArchive_fixture.h"
#include "programming/memmap/MemMapFactory.h"
#include "programming/memmap/Mutation_fixture.h"
#include "programming/memmap/ProgramFile.h"

#include <QFile>
#include <QTemporaryDir>

using namespace MemMap;

namespace {

constexpr int kRounds = 1000;

using MemMapMutationTest = ArchiveTest;

} // namespace

// Damaged program files: each is imported or refused, and a refused one writes nothing.
TEST_F(MemMapMutationTest, ProgramFileImport)
{
    QTemporaryDir dir;
    const QString original = dir.filePath("original.IXO"), damaged = dir.filePath("damaged.IXO");
    for (EFamily family : {EFamily::VABZOB, EFamily::QEM}) {
        auto exporter = MakeMemMapManager(family == EFamily::QEM ? 0x0C00 : 0);
        ASSERT_TRUE(exporter->Export(original, AddDistinct(family)));
        QFile file(original);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();

        CMutator mutator(family == EFamily::QEM ? 4242 : 1789);
        int imported = 0;
        for (int round = 0; round < kRounds; ++round) {
            ASSERT_TRUE(WriteWholeFile(damaged, mutator.Mutate(bytes)));
            const QString before = ArchiveSnapshot();
            const qint32 id = g_Connection->NewID();
            auto importer = MakeMemMapManager(IsQEMConfigFile(damaged) ? 0x0C00 : 0);
            if (importer->Import(damaged, id)) {
                ++imported;
                g_Connection->DeleteProgramma(id); // keeps the snapshots small
            } else {
                ASSERT_EQ(ArchiveSnapshot(), before) << "round " << round;
            }
        }
        // Both outcomes must have been exercised for the test to mean anything.
        EXPECT_GT(imported, 0);
        EXPECT_LT(imported, kRounds);
    }
}

// Damaged instrument listings: each is stored in record 2 or fails with CError, storing nothing.
TEST_F(MemMapMutationTest, AuxiliaryListing)
{
    for (EFamily family : {EFamily::VABZOB, EFamily::QEM}) {
        const qint16 code = family == EFamily::QEM ? qint16(0xCC0F) : qint16(0xC00F);
        auto writer = MakeMemMapManager(code);
        writer->SetIDProgramma(AddDistinct(family));
        writer->SetCodificaModuli(code);
        writer->ConvertUserSetupToMemoryMapAux();
        QStringList entries;
        for (int i = 0; i < writer->WordCount(); ++i)
            entries.append(writer->AuxEntry(i));
        const QByteArray listing = InstrumentListing(family, entries, {}, "!");

        CMutator mutator(family == EFamily::QEM ? 77 : 1302);
        int stored = 0;
        for (int round = 0; round < kRounds; ++round) {
            const QString before = ArchiveSnapshot();
            auto reader = MakeMemMapManager(code);
            reader->SetIDProgramma(CArchive::kActualSettingID);
            reader->SetCodificaModuli(code);
            try {
                reader->ReadAuxListing(mutator.Mutate(listing));
                reader->ConvertMemoryMapAuxToUserSetup();
                ++stored;
            } catch (const CError &) {
                ASSERT_EQ(ArchiveSnapshot(), before) << "round " << round;
            }
        }
        EXPECT_GT(stored, 0);
        EXPECT_LT(stored, kRounds);
    }
}
