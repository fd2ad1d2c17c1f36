#pragma once

#include "model/Configuration.h"
#include "platform/ArchiveRow.h"

#include <QList>

#include <QString>

// The display-free half of the configuration wizard's run from the main window: which record
// a mode edits, the caption, and how a configuration ended with End reaches the archive. The
// pages and the run itself live in app/widgets/ArchiveCommands.h.

// What EditNewProgramma edits.
enum EditMode : qint32 {
    emNew = 0,          // a new configuration, class defaults, stored under a new id
    emModify = 1,       // the current configuration, rewritten in place
    emActualSetting = 2 // record 2, what was read from an instrument; a copy on request
};

// The wizard's caption for a mode: 791, 790 with the configuration's name for "|1", 792.
QString ConfigWizardCaption(qint32 mode, const QString &nomeProgramma);

// The record a mode loads and updates: the current id, or record 2 for emActualSetting.
// emNew has none (-1): its id is taken when it is stored.
qint64 EditedRecord(qint32 mode, qint64 currentId);

enum class ELoadResult { Loaded, RowsMissing };

// The rows of a configuration as the archive held them when the wizard loaded it, table by
// table, so that End can tell whether another program has stored a change of it since.
using CStoredRows = QList<Platform::CArchiveRow>;

// Fills the configuration for the wizard: emNew keeps the class defaults; the other modes
// read the thirteen rows of their record, kept in loaded as read. RowsMissing: a table holds no row of the
// record (traced by the archive); the objects are then not to be shown. Any other archive failure raises its
// CError.
ELoadResult LoadForEdit(CConfiguration &configuration, qint32 mode, qint64 currentId, CStoredRows &loaded);

// Before a command on the current configuration opens anything, since another running program
// may have deleted it meanwhile: aeRecordNotFound (told as 822) when CModInstr, which the list
// shows, holds no row of id. A command that reads it whole has every row read first, and a
// table lacking its row gives aeRecordNotFound with message 808 naming nomeProgramma as its
// reason; an archive that cannot be read raises its own error.
void RequireConfiguration(qint64 id, const QString &nomeProgramma, bool whole);

enum class EStoreResult { Stored, ChangedMeanwhile };

// Stores a configuration ended with End, in one transaction per stored configuration:
//   emNew            a new id and the thirteen rows under it; currentId becomes that id;
//   emModify         the rows of currentId rewritten, unless another program has stored a change
//                    of them since they were loaded: then nothing is stored, loaded becomes what
//                    is stored now (a store after the user's word replaces exactly that) and
//                    ChangedMeanwhile comes back; a configuration deleted meanwhile raises
//                    aeRecordNotFound, one that lost only some rows the same with message 808
//                    naming it as its reason;
//   emActualSetting  the rows of record 2 rewritten.
// A failure raises its CError with the archive as it was: no row added or changed, the new id
// given back (the next new id is the same one again) and currentId as it was.
EStoreResult StoreEdited(CConfiguration &configuration, qint32 mode, qint64 &currentId, CStoredRows &loaded);

// Archives a copy of the configuration under a new id (the edited record 2 kept as a
// configuration of the list); the new id, or a CError with the archive as it was.
qint64 StoreCopy(CConfiguration &configuration);
