#include "programming/memmap/ProgramFile.h"

#include "common/Bytes.h"
#include "common/Error.h"
#include "common/TraceCode.h"
#include "common/Version.h"
#include "platform/Cp1252.h"
#include "platform/FileAccess.h"

#include <QCoreApplication>
#include <QtEndian>

namespace MemMap {
namespace {

QByteArray TextField(const QString &text, int size)
{
    return ToCp1252(text).left(size).leftJustified(size, ' ');
}

QString FieldText(QByteArray field)
{
    while (field.endsWith(' '))
        field.chop(1);
    return FromCp1252(field);
}

// A name written by a C program ends at its first NUL; what follows is padding.
QString NameText(const QByteArray &field)
{
    const qsizetype end = field.indexOf('\0');
    return FieldText(end < 0 ? field : field.left(end));
}

void AppendWord(QByteArray &bytes, qint16 word)
{
    char le[2];
    qToLittleEndian(word, le);
    bytes.append(le, 2);
}

qint16 WordAt(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<qint16>(bytes.constData() + offset);
}

} // namespace

CProgramVersion WritingProgramVersion()
{
    CVersion version;
    try {
        version.Create(QCoreApplication::applicationFilePath());
    } catch (const CError &) {
        return {};
    }
    const qint32 high = version.FileVersionMajor();
    return {HiWord(high), LoWord(high), LoWord(version.FileVersionMinor())};
}

int ProgramFileSize(EFamily family)
{
    return kProgramFileHeaderSize + 2 * WordCount(family);
}

QByteArray EncodeProgramFile(const CProgramFile &file)
{
    QByteArray bytes = TextField(file.ProgramName, kProgramNameSize);
    AppendWord(bytes, file.Version.Major);
    AppendWord(bytes, file.Version.Minor);
    AppendWord(bytes, file.Version.Revision);
    bytes += TextField(file.NomeProgramma, kNomeProgrammaSize);
    AppendWord(bytes, file.CodificaModuli);
    for (qint16 word : file.Words)
        AppendWord(bytes, word);
    return bytes;
}

std::optional<CProgramFile> DecodeProgramFile(const QByteArray &bytes, int wordCount, QString *fault)
{
    auto refuse = [&](const QString &why) {
        if (fault)
            *fault = why;
        return std::nullopt;
    };
    const qsizetype needed = kProgramFileHeaderSize + 2 * qsizetype(qMax(wordCount, 0));
    if (bytes.isEmpty())
        return refuse(QStringLiteral("file vuoto"));
    if (bytes.size() < needed)
        return refuse(QStringLiteral("%1 byte invece di almeno %2").arg(bytes.size()).arg(needed));
    CProgramFile file;
    file.ProgramName = FieldText(bytes.left(kProgramNameSize));
    if (file.ProgramName != QLatin1String(kProgramFileProgramName))
        return refuse(QStringLiteral("programma \"%1\" invece di \"%2\"")
                          .arg(file.ProgramName, QLatin1String(kProgramFileProgramName)));
    file.Version = {WordAt(bytes, kVersionOffset), WordAt(bytes, kVersionOffset + 2),
                    WordAt(bytes, kVersionOffset + 4)};
    file.NomeProgramma = NameText(bytes.mid(kNomeProgrammaOffset, kNomeProgrammaSize));
    file.CodificaModuli = WordAt(bytes, kModuleCodeOffset);
    file.Words.reserve(wordCount);
    for (int i = 0; i < wordCount; ++i)
        file.Words.append(WordAt(bytes, kProgramFileHeaderSize + 2 * i));
    return file;
}

void TraceRefusal(const QString &fileName, const QString &why)
{
    g_Trace->BugMessage(QStringLiteral("File ") + fileName + QStringLiteral(" rifiutato: ") + why);
}

std::optional<qint16> ProgramFileModuleCode(const QString &path, Platform::CFileRead *header)
{
    Platform::CFileRead head = Platform::ReadRegularFile(path, kProgramFileHeaderSize);
    QString fault = head.Fault();
    const std::optional<CProgramFile> file =
        head.IsRead() ? DecodeProgramFile(head.Bytes, 0, &fault) : std::nullopt;
    if (!file && head.Outcome != Platform::CFileRead::Missing &&
        head.Outcome != Platform::CFileRead::Unreadable)
        TraceRefusal(path, fault);
    if (header != nullptr)
        *header = std::move(head);
    return file ? std::optional<qint16>(file->CodificaModuli) : std::nullopt;
}

bool IsQEMConfigFile(const QString &path)
{
    const std::optional<qint16> code = ProgramFileModuleCode(path);
    return code && IsQEMCode(*code);
}

} // namespace MemMap
