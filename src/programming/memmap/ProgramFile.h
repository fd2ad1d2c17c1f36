#pragma once

#include "platform/FileAccess.h"
#include "programming/memmap/MemMapLayout.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The program file (".IXO"): one configuration as a 108-byte header and its memory image.
// Words are 16-bit little-endian; texts Windows-1252, blank-padded and cut to their width.
//   offset 0   50 bytes  name of the writing program, "IxoSoft"
//   offset 50  3 words   version of the writing program (written, never read)
//   offset 56  50 bytes  configuration name (CModInstr.NomeProgramma)
//   offset 106 1 word    module code word CodificaModuli
//   offset 108 N words   the image: N = 89 (VAB/ZOB, 286 bytes) or 90 (QEM, 288 bytes)
// The same layout serves for the binary dumps "MemoryMap.mem" and "MemoryUser.mem".
namespace MemMap {

inline constexpr int kProgramNameSize = 50;
inline constexpr int kVersionOffset = 50;
inline constexpr int kNomeProgrammaOffset = 56;
inline constexpr int kNomeProgrammaSize = 50;
inline constexpr int kModuleCodeOffset = 106;
inline constexpr int kProgramFileHeaderSize = 108;
// Files carry this name whatever the executable is called, so they travel between installs.
inline constexpr const char *kProgramFileProgramName = "IxoSoft";

struct CProgramVersion
{
    qint16 Major = 0;
    qint16 Minor = 0;
    qint16 Revision = 0;
};

// The running program's version ("Version 1.204.1" -> {1, 204, 1}).
CProgramVersion WritingProgramVersion();

struct CProgramFile
{
    QString ProgramName = QString::fromLatin1(kProgramFileProgramName);
    CProgramVersion Version;
    QString NomeProgramma;
    qint16 CodificaModuli = 0;
    QList<qint16> Words;
};

int ProgramFileSize(EFamily family);

QByteArray EncodeProgramFile(const CProgramFile &file);

// Reads the header and the first wordCount words; bytes beyond them are ignored. No value when
// the bytes are fewer than that, or the program name, blanks trimmed on the right, is not
// exactly "IxoSoft"; `fault` then says which, for the trace. The configuration name ends at its
// first NUL (the rest is padding) and comes back without its trailing blanks.
std::optional<CProgramFile> DecodeProgramFile(const QByteArray &bytes, int wordCount,
                                              QString *fault = nullptr);

// "File <name> rifiutato: <why>": the one trace line of every program file the import turns
// away, so the trace says why each was not taken.
void TraceRefusal(const QString &fileName, const QString &why);

// The module code in the header of a program file of this program; no value for a foreign,
// short or unreadable file, or one that is not a regular file. A file that was there to read
// and is turned away traces its reason (TraceRefusal); `header` tells the caller how the read
// went, so a file that could not be read at all can be told apart.
std::optional<qint16> ProgramFileModuleCode(const QString &path, Platform::CFileRead *header = nullptr);
// True when the file is this program's and its module code says QEM: the QEM manager reads it.
bool IsQEMConfigFile(const QString &path);

} // namespace MemMap
