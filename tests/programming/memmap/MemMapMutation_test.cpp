#include "common/Error.h"
#include "platform/FileAccess.h"
#include "programming/memmap/ImageConversion.h"
#include "programming/memmap/MemMap_fixture.h"
#include "programming/memmap/ProgramFile.h"
#include "support/DataTable.h"
#include "support/Files.h"
#include "support/MemMapArchive_fixture.h"

#include <map>

using namespace MemMap;

namespace {

// A few thousand inputs of each kind over both families, in a few seconds.
constexpr int kRounds = 1500;

// The settings of archived configuration id that lie outside their class's range, as
// "<setting>=<value>"; empty when every one fits.
QStringList OutOfRange(qint32 id, EFamily family)
{
    CConfiguration configuration;
    configuration.Load(id);
    CConfigurationSettings settings(configuration, family);
    // What each class can hold where a value picks a choice: a range row, a name, a count of
    // points, a network address. Read from the instrument's own list, apart from the program's
    // table, so that a wrong bound there shows; a decoded integration time is automatic or manual.
    static const std::map<ESetting, std::pair<int, int>> kClassRanges = [] {
        std::map<ESetting, std::pair<int, int>> ranges{{ESetting::IntegrationTime, {0, 1}}};
        for (const QStringList &f : ReadDataTable("image_settings.tsv"))
            for (const CSettingRow &row : SettingTable())
                if (f[0] == QLatin1String(row.Name) && f[4] != "-")
                    ranges[row.Setting] = {f[4].toInt(), f[5].toInt()};
        EXPECT_EQ(ranges.size(), 17u);
        return ranges;
    }();
    QStringList faults;
    for (const CImageWord &w : ImageLayout(family)) {
        const auto range = kClassRanges.find(w.Setting);
        const qint16 value = settings.Value(w.Setting, w.Item);
        if (range != kClassRanges.end() && (value < range->second.first || value > range->second.second))
            faults << SettingName(w.Setting) + QLatin1Char('=') + QString::number(value);
    }
    return faults;
}

// The archive is a scratch file here: waiting for the disk, making a journal file or taking the
// file lock again on every statement would only slow the rounds down.
class MemMapMutationTest : public ArchiveTest
{
protected:
    void SetUp() override
    {
        ArchiveTest::SetUp();
        Exec("PRAGMA synchronous = OFF");
        Value("PRAGMA journal_mode = MEMORY");
        Value("PRAGMA locking_mode = EXCLUSIVE");
    }
};

qint16 CodeOf(EFamily family)
{
    return IxoCode(family == EFamily::QEM ? SlotAModule::QEM : SlotAModule::VAB);
}

} // namespace

// Damaged program files: each is imported within its classes' ranges or refused, and a refused
// one writes nothing.
TEST_F(MemMapMutationTest, ProgramFileImport)
{
    QTemporaryDir dir;
    const QString original = dir.filePath("original.IXO");
    for (EFamily family : {EFamily::VABZOB, EFamily::QEM}) {
        ASSERT_TRUE(MakeMemMapManager(CodeOf(family))->Export(original, AddDistinct(family)));
        const QByteArray bytes = ReadFile(original);

        CMutator mutator(family == EFamily::QEM ? 4242 : 1789);
        int imported = 0;
        for (int round = 0; round < kRounds; ++round) {
            // A new file each round: emptying one that has blocks makes the file system write it out.
            const QString damaged = dir.filePath(QStringLiteral("damaged%1.IXO").arg(round));
            ASSERT_TRUE(Platform::WriteWholeFile(damaged, mutator.Mutate(bytes)));
            const QStringList before = ArchiveRows();
            const qint32 id = g_Connection->NewID();
            const std::optional<qint16> code = ProgramFileModuleCode(damaged);
            if (MakeMemMapManager(CodeOf(IsQEMConfigFile(damaged) ? EFamily::QEM : EFamily::VABZOB))
                    ->Import(damaged, id)) {
                ++imported;
                ASSERT_EQ(OutOfRange(id, FamilyOfCode(*code)), QStringList()) << "round " << round;
                g_Connection->DeleteProgramma(id); // keeps the snapshots small
            } else {
                ASSERT_EQ(ArchiveRows(), before) << "round " << round;
            }
            QFile::remove(damaged);
        }
        // Both outcomes must have been exercised for the test to mean anything.
        EXPECT_GT(imported, kRounds / 20);
        EXPECT_LT(imported, kRounds);
    }
}

// Damaged instrument listings: each is stored in record 2 within its classes' ranges or fails
// with CError, storing nothing.
TEST_F(MemMapMutationTest, AuxiliaryListing)
{
    for (EFamily family : {EFamily::VABZOB, EFamily::QEM}) {
        auto writer = ManagerFor(CodeOf(family), AddDistinct(family));
        writer->ConvertUserSetupToMemoryMapAux();
        QStringList entries;
        for (int i = 0; i < writer->WordCount(); ++i)
            entries.append(writer->AuxEntry(i));
        const QByteArray listing = InstrumentListing(family, entries, "!");

        CMutator mutator(family == EFamily::QEM ? 77 : 1302);
        int stored = 0;
        for (int round = 0; round < kRounds; ++round) {
            const QStringList before = ArchiveRows();
            auto reader = ManagerFor(CodeOf(family), CArchive::kActualSettingID);
            try {
                reader->ReadAuxListing(mutator.Mutate(listing));
                reader->ConvertMemoryMapAuxToUserSetup();
                ++stored;
                ASSERT_EQ(OutOfRange(CArchive::kActualSettingID, family), QStringList()) << "round " << round;
            } catch (const CError &) {
                ASSERT_EQ(ArchiveRows(), before) << "round " << round;
            }
        }
        EXPECT_GT(stored, kRounds / 20);
        EXPECT_LT(stored, kRounds);
    }
}
