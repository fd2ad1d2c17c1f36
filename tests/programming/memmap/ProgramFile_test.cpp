#include "model/ModuleCodes.h"
#include "platform/FileAccess.h"
#include "programming/memmap/AuxDumpFile.h"
#include "programming/memmap/ProgramFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace MemMap;

namespace {

using namespace ModuleCodeBits;
constexpr qint16 kQEMBits = qint16(SlotAModule::QEM << SlotAShift);
constexpr qint16 kQEMCode = qint16(ModelIXO | kQEMBits | RelayZ8Z9); // 0xCC0F

CProgramFile SampleFile(EFamily family, qint16 code, const QString &programName = QStringLiteral("IxoSoft"))
{
    CProgramFile file;
    file.ProgramName = programName;
    file.Version = {1, 204, 1};
    file.NomeProgramma = QStringLiteral("Forno 3 – zona “A”");
    file.CodificaModuli = code;
    for (int i = 0; i < WordCount(family); ++i)
        file.Words.append(qint16(i * 37 - 1000));
    return file;
}

} // namespace

// The layout has no family of its own: the image is as many words as the file holds.
TEST(ProgramFile, HeaderAndImageLieAtTheirOffsets)
{
    const CProgramFile file =
        SampleFile(EFamily::QEM, qint16(ModelIXO | kQEMBits | SlotBQZ | KQFitted | RelayZ8Z9));
    const QByteArray bytes = EncodeProgramFile(file);
    ASSERT_EQ(bytes.size(), 288);
    const QByteArray header = QByteArray("IxoSoft").leftJustified(50, ' ') +
                              QByteArray("\x01\x00\xcc\x00\x01\x00", 6) +
                              QByteArray("Forno 3 \x96 zona \x93"
                                         "A\x94")
                                  .leftJustified(50, ' ') +
                              "\x1f\xce";
    EXPECT_EQ(bytes.left(108), header);
    EXPECT_EQ(bytes.mid(110, 2), "\x3d\xfc"); // word 1: -963

    const auto back = DecodeProgramFile(bytes, WordCount(EFamily::QEM));
    ASSERT_TRUE(back);
    EXPECT_EQ(std::tie(back->NomeProgramma, back->CodificaModuli, back->Words),
              std::tie(file.NomeProgramma, file.CodificaModuli, file.Words));
}

TEST(ProgramFile, NamesAreCutAndTrimmedOnTheRightOnly)
{
    CProgramFile file = SampleFile(EFamily::VABZOB, 0);
    QStringList back;
    for (const QString &name :
         {QString(60, 'x'), QStringLiteral("  Linea 2   "), QStringLiteral("Zürich ✓")}) {
        file.NomeProgramma = name;
        back.append(DecodeProgramFile(EncodeProgramFile(file), 89).value_or(CProgramFile{}).NomeProgramma);
    }
    EXPECT_EQ(back, QStringList({QString(50, 'x'), "  Linea 2", "Zürich ?"}));
}

// Short and longer files are the import's cases (MemMapManager_test).
TEST(ProgramFile, RefusesForeignAndMissingFiles)
{
    const QByteArray good = EncodeProgramFile(SampleFile(EFamily::QEM, kQEMBits));
    EXPECT_FALSE(DecodeProgramFile(good.left(107), 0));
    EXPECT_TRUE(DecodeProgramFile(good, 89)); // a file read by the smaller family's layout
    for (const char *name : {"ixosoft", "IxoSoft2", " IxoSoft", ""})
        EXPECT_FALSE(DecodeProgramFile(EncodeProgramFile(SampleFile(EFamily::QEM, kQEMBits, name)), 90))
            << name;

    QTemporaryDir dir;
    const QString other = dir.filePath("o.IXO");
    ASSERT_TRUE(
        Platform::WriteWholeFile(other, EncodeProgramFile(SampleFile(EFamily::QEM, kQEMCode, "Other"))));
    EXPECT_FALSE(IsQEMConfigFile(other) || IsQEMConfigFile(dir.filePath("missing.IXO")));
    // The main window asks before the import: a pipe must not hold it up either.
    const QString pipe = dir.filePath("pipe.IXO");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(IsQEMConfigFile(pipe));
}

TEST(ProgramFile, AuxDumpQuotesEveryItem)
{
    QStringList entries(89);
    entries[0] = "0007";
    entries[12] = "NoSend";
    const QByteArray bytes = EncodeAuxDump(kQEMCode, entries);
    EXPECT_TRUE(bytes.startsWith("\"-13297\"\r\n\"0007\"\r\n\"\"\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 90);
    const auto back = DecodeAuxDump(bytes, 89);
    ASSERT_TRUE(back && !DecodeAuxDump(bytes, 90));
    EXPECT_EQ(std::pair(back->CodificaModuli, back->Entries), std::pair(kQEMCode, entries));
}
