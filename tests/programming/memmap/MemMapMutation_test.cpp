#include "common/Error.h"
#include "programming/memmap/AuxListing_fixture.h"
#include "programming/memmap/MemMapArchive_fixture.h"
#include "programming/memmap/Mutation_fixture.h"
#include "programming/memmap/ProgramFile.h"

#include <QFile>
#include <QTemporaryDir>

using namespace MemMap;

namespace {

constexpr int kRounds = 1000;

using MemMapMutationTest = ArchiveTest;

qint16 CodeOf(EFamily family)
{
    return family == EFamily::QEM ? qint16(0xCC0F) : qint16(0xC00F);
}

} // namespace

// Damaged program files: each is imported or refused, and a refused one writes nothing.
TEST_F(MemMapMutationTest, ProgramFileImport)
{
    QTemporaryDir dir;
    const QString original = dir.filePath("original.IXO"), damaged = dir.filePath("damaged.IXO");
    for (EFamily family : {EFamily::VABZOB, EFamily::QEM}) {
        ASSERT_TRUE(MakeMemMapManager(CodeOf(family))->Export(original, AddDistinct(family)));
        QFile file(original);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();

        CMutator mutator(family == EFamily::QEM ? 4242 : 1789);
        int imported = 0;
        for (int round = 0; round < kRounds; ++round) {
            ASSERT_TRUE(WriteWholeFile(damaged, mutator.Mutate(bytes)));
            const QString before = ArchiveSnapshot();
            const qint32 id = g_Connection->NewID();
            if (MakeMemMapManager(IsQEMConfigFile(damaged) ? 0x0C00 : 0)->Import(damaged, id)) {
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
        auto writer = ManagerFor(CodeOf(family), AddDistinct(family));
        writer->ConvertUserSetupToMemoryMapAux();
        const QByteArray listing = InstrumentListing(family, AuxEntries(*writer), {}, "!");

        CMutator mutator(family == EFamily::QEM ? 77 : 1302);
        int stored = 0;
        for (int round = 0; round < kRounds; ++round) {
            const QString before = ArchiveSnapshot();
            auto reader = ManagerFor(CodeOf(family), CArchive::kActualSettingID);
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
