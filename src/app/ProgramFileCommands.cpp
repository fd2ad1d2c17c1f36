#include "app/ProgramFileCommands.h"

#include "app/FileDialogFilter.h"
#include "common/Error.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "model/Archive.h"
#include "model/ArchiveTransaction.h"
#include "model/Configuration.h"
#include "platform/FileAccess.h"
#include "programming/memmap/MemMapFactory.h"
#include "programming/memmap/ProgramFile.h"

#include <memory>

namespace {

constexpr int kFileTypeText = 801;
constexpr int kCannotWrite = 803;
constexpr int kCannotRead = 804;
// The run-time's "Path/File access error", the number a failed file access has always had.
constexpr qint32 kFileAccessError = 75;

[[noreturn]] void RaiseFileError(int text, const QString &fileName, const QString &reason)
{
    RaiseRunTimeError(kFileAccessError, LoadResStringArgs(text, {fileName, reason}));
}

} // namespace

QString ProgramFileFilter()
{
    return FileDialogFilter(kFileTypeText);
}

QString ProgramFileExtension()
{
    return FileDialogExtension(kFileTypeText);
}

QString ProposedExportName(const QString &nomeProgramma)
{
    return ProposedFileName(nomeProgramma, kFileTypeText);
}

void ExportProgramma(qint64 id, const QString &fileName)
{
    CModInstr modInstr;
    modInstr.LoadRow(id);
    QString reason;
    if (!MakeMemMapManager(modInstr.CodificaModuli())->Export(fileName, id, &reason))
        RaiseFileError(kCannotWrite, fileName, reason);
}

std::optional<qint16> ReadProgramFileModuleCode(const QString &fileName)
{
    Platform::CFileRead header;
    const std::optional<qint16> code = MemMap::ProgramFileModuleCode(fileName, &header);
    if (header.Outcome == Platform::CFileRead::Missing || header.Outcome == Platform::CFileRead::Unreadable)
        RaiseFileError(kCannotRead, fileName, header.SystemReason);
    return code;
}

EImportResult ImportProgramma(const QString &fileName, qint64 &currentId)
{
    const std::optional<qint16> code = ReadProgramFileModuleCode(fileName);
    if (code) {
        // Whatever happens after the id was taken, the id goes back with the rows: one
        // transaction holds the counter row and every row the manager writes.
        CArchiveTransaction transaction(g_Connection->Database());
        const qint64 oldId = currentId;
        try {
            currentId = g_Connection->NewID();
            if (MakeMemMapManager(*code)->Import(fileName, currentId)) {
                transaction.Commit();
                return EImportResult::Imported;
            }
        } catch (const CError &) {
            currentId = oldId;
            throw;
        }
        currentId = oldId;
    }
    g_Trace->BugMessage(QStringLiteral("Fallita operazione import da file ") + fileName);
    return EImportResult::Refused;
}
