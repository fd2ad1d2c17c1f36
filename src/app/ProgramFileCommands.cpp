#include "app/ProgramFileCommands.h"

#include "app/FileDialogFilter.h"
#include "common/Error.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "model/Archive.h"
#include "model/ArchiveTransaction.h"
#include "model/Configuration.h"
#include "programming/memmap/MemMapFactory.h"
#include "programming/memmap/ProgramFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

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
    return QString(nomeProgramma).replace(QLatin1Char('/'), QLatin1Char('_')) + QLatin1Char('.') +
           ProgramFileExtension();
}

QString ProgramFileStartFolder(const QString &lastUsedFolder)
{
    if (!lastUsedFolder.isEmpty() && QFileInfo(lastUsedFolder).isDir())
        return lastUsedFolder;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void ExportProgramma(qint64 id, const QString &fileName)
{
    CModInstr modInstr;
    modInstr.LoadDataFromADORS(IDCriterion(id));
    QString reason;
    if (!MakeMemMapManager(modInstr.CodificaModuli())->Export(fileName, id, &reason))
        RaiseFileError(kCannotWrite, fileName, reason);
}

std::optional<qint16> ReadProgramFileModuleCode(const QString &fileName)
{
    const QFileInfo info(fileName);
    // A pipe or a device would hold the program up, or never end; no program file is one.
    if (info.exists() && !info.isFile()) {
        g_Trace->BugMessage(QStringLiteral("Il file ") + fileName +
                            QStringLiteral(" non e' un file regolare"));
        return std::nullopt;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        RaiseFileError(kCannotRead, fileName, file.errorString());
    const QByteArray header = file.read(MemMap::kProgramFileHeaderSize);
    if (file.error() != QFileDevice::NoError)
        RaiseFileError(kCannotRead, fileName, file.errorString());
    const std::optional<MemMap::CProgramFile> decoded = MemMap::DecodeProgramFile(header, 0);
    if (!decoded)
        return std::nullopt;
    return decoded->CodificaModuli;
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
