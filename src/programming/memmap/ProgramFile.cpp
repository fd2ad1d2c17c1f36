#include "programming/memmap/ProgramFile.h"

#include "common/Bytes.h"
#include "common/Cp1252.h"
#include "common/Error.h"
#include "common/Version.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

namespace MemMap {
namespace {

QByteArray TextField(const QString &text, int size)
{
    return ToCp1252(text).left(size).leftJustified(size, ' ');
}

QString FieldText(const QByteArray &bytes, int offset, int size)
{
    QByteArray field = bytes.mid(offset, size);
    while (field.endsWith(' '))
        field.chop(1);
    return FromCp1252(field);
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
    if (bytes.size() < needed)
        return refuse(QStringLiteral("%1 byte invece di almeno %2").arg(bytes.size()).arg(needed));
    CProgramFile file;
    file.ProgramName = FieldText(bytes, 0, kProgramNameSize);
    if (file.ProgramName != QLatin1String(kProgramFileProgramName))
        return refuse(QStringLiteral("programma \"%1\" invece di \"%2\"")
                          .arg(file.ProgramName, QLatin1String(kProgramFileProgramName)));
    file.Version = {WordAt(bytes, kVersionOffset), WordAt(bytes, kVersionOffset + 2),
                    WordAt(bytes, kVersionOffset + 4)};
    file.NomeProgramma = FieldText(bytes, kNomeProgrammaOffset, kNomeProgrammaSize);
    file.CodificaModuli = WordAt(bytes, kModuleCodeOffset);
    file.Words.reserve(wordCount);
    for (int i = 0; i < wordCount; ++i)
        file.Words.append(WordAt(bytes, kProgramFileHeaderSize + 2 * i));
    return file;
}

bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *fault)
{
    QSaveFile file(path);
    const auto failed = [&](const QString &reason) {
        if (fault)
            *fault = reason;
        file.cancelWriting();
        return false;
    };
    // Unbuffered, so a write that stops short (a full disk, a size limit) is seen here: a
    // buffered device is flushed by commit(), which takes a short write for success and puts a
    // cut file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(file.errorString());
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 step = file.write(bytes.constData() + written, bytes.size() - written);
        if (step <= 0)
            return failed(file.errorString());
        written += step;
    }
    if (!file.commit()) {
        if (fault)
            *fault = file.errorString();
        return false;
    }
    return true;
}

std::optional<QByteArray> ReadFileStart(const QString &path, qint64 maxBytes, QString *fault)
{
    auto refuse = [&](const QString &why) {
        if (fault)
            *fault = why;
        return std::nullopt;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return refuse(QStringLiteral("file non trovato"));
    if (!info.isFile())
        return refuse(QStringLiteral("non è un file regolare"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(QStringLiteral("impossibile leggerlo: ") + file.errorString());
    QByteArray bytes = file.read(maxBytes);
    if (file.error() != QFileDevice::NoError)
        return refuse(QStringLiteral("impossibile leggerlo: ") + file.errorString());
    return bytes;
}

std::optional<qint16> ProgramFileModuleCode(const QString &path)
{
    const std::optional<QByteArray> head = ReadFileStart(path, kProgramFileHeaderSize);
    if (!head)
        return std::nullopt;
    const std::optional<CProgramFile> file = DecodeProgramFile(*head, 0);
    if (!file)
        return std::nullopt;
    return file->CodificaModuli;
}

bool IsQEMConfigFile(const QString &path)
{
    const std::optional<qint16> code = ProgramFileModuleCode(path);
    return code && IsQEMCode(*code);
}

} // namespace MemMap
