#pragma once

#include <QString>

#include <optional>

// The display-free half of the main window's Export and Import: the file type the dialogs
// offer, the name an export proposes, the manager of each file and the archive id an import takes.
// The dialogs themselves live in app/widgets/ProgramFileCommands.h.

// The file type of program files as a file-dialog filter, from string 801
// ("File IXO (*.IXO)|*.IXO"). Names keep their letter case here, so every pattern also comes
// in lower case: "File IXO (*.IXO *.ixo)".
QString ProgramFileFilter();
// The extension a name typed without one gets: "IXO".
QString ProgramFileExtension();
// The file an export proposes for a configuration (ProposedFileName of its name):
//   "Forno 3/B" -> "Forno 3_B.IXO"    "Q'uote \"dbl\" ; x" -> "Q'uote \"dbl\" ; x.IXO"
QString ProposedExportName(const QString &nomeProgramma);

// Writes the archived configuration id as a program file, through the manager of its module
// code. A file that cannot be written (folder not writable, disk full) raises a CError with
// the system's reason; a file already there is then left as it was.
void ExportProgramma(qint64 id, const QString &fileName);

// The module code in the header of fileName; no value when the file is not a program file of
// this program (another program's, shorter than its header, not a regular file). A file that
// cannot be read raises a CError with the system's reason.
std::optional<qint16> ReadProgramFileModuleCode(const QString &fileName);

enum class EImportResult { Imported, Refused };

// Reads fileName into a new configuration: the header first, then a new archive id, which
// becomes currentId while the manager of the file's module code writes the rows.
// Imported: currentId is the new configuration's id.
// Refused (a file that is not this program's or that its manager does not accept) and any
// CError: the archive is as before (no counter row, no configuration row, the id counter as
// it was) and currentId as it was.
EImportResult ImportProgramma(const QString &fileName, qint64 &currentId);
