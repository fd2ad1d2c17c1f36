#include "app/ConfigurationEdit.h"

#include "common/Error.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "model/Archive.h"
#include "model/ArchiveTransaction.h"

#include <algorithm>

namespace {

constexpr int kCaptionModify = 790;
constexpr int kCaptionNew = 791;
constexpr int kCaptionActualSetting = 792;
constexpr int kRowsMissing = 808;

// The id comes from the counter inside the transaction that adds the rows: a failure undoes
// both, and the counter hands the same id out again.
qint64 AddUnderNewID(CConfiguration &configuration)
{
    CArchiveTransaction transaction(g_Connection->Database());
    const qint64 id = g_Connection->NewID();
    configuration.Add(id);
    transaction.Commit();
    return id;
}

[[noreturn]] void RaiseNoLongerListed(qint64 id)
{
    RaiseArchiveError(aeRecordNotFound,
                      QStringLiteral("Configurazione IDProgramma=%1 non più in archivio").arg(id));
}

// A configuration the list still shows by its CModInstr row, whose other rows are not all
// there: message 808, as every command that reads it tells it.
[[noreturn]] void RaiseIncomplete(qint64 id, const QString &nomeProgramma)
{
    RaiseArchiveError(aeRecordNotFound, QStringLiteral("Configurazione IDProgramma=%1 incompleta").arg(id),
                      LoadResStringArgs(kRowsMissing, {nomeProgramma}));
}

// The thirteen rows of id as stored now. A configuration that lost its CModInstr row, by
// which the list shows it, or any other row since it was loaded, raises aeRecordNotFound.
CStoredRows StoredRows(qint64 id)
{
    CStoredRows rows;
    for (const QString &table : CArchive::ConfigurationTables()) {
        Platform::CArchiveRow row;
        if (!g_Connection->ReadRow(table, id, row)) {
            if (rows.isEmpty())
                RaiseNoLongerListed(id);
            RaiseIncomplete(id, rows.front().Value(QStringLiteral("m_NomeProgramma")).toString());
        }
        rows.append(row);
    }
    return rows;
}

bool SameRows(const CStoredRows &a, const CStoredRows &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const auto &x, const auto &y) { return x.Values() == y.Values(); });
}

// The list shows a configuration by its CModInstr row.
bool Listed(qint64 id)
{
    Platform::CArchiveRow row;
    return g_Connection->ReadRow(QStringLiteral("CModInstr"), id, row);
}

} // namespace

QString ConfigWizardCaption(qint32 mode, const QString &nomeProgramma)
{
    switch (mode) {
    case emModify:
        return LoadResStringArgs(kCaptionModify, {nomeProgramma});
    case emActualSetting:
        return LoadResString(kCaptionActualSetting);
    default:
        return LoadResString(kCaptionNew);
    }
}

qint64 EditedRecord(qint32 mode, qint64 currentId)
{
    switch (mode) {
    case emModify:
        return currentId;
    case emActualSetting:
        return CArchive::kActualSettingID;
    default:
        return -1;
    }
}

ELoadResult LoadForEdit(CConfiguration &configuration, qint32 mode, qint64 currentId, CStoredRows &loaded)
{
    loaded.clear();
    if (mode == emNew)
        return ELoadResult::Loaded;
    try {
        loaded = configuration.Load(EditedRecord(mode, currentId));
    } catch (const CError &error) {
        if (error.Number() != MakeUserError(aeRecordNotFound))
            throw;
        return ELoadResult::RowsMissing;
    }
    return ELoadResult::Loaded;
}

void RequireConfiguration(qint64 id, const QString &nomeProgramma, bool whole)
{
    try {
        if (whole) {
            CConfiguration configuration;
            configuration.Load(id);
            return;
        }
        if (Listed(id))
            return;
    } catch (const CError &error) {
        if (error.Number() != MakeUserError(aeRecordNotFound) || !Listed(id))
            throw;
        RaiseIncomplete(id, nomeProgramma);
    }
    RaiseNoLongerListed(id);
}

EStoreResult StoreEdited(CConfiguration &configuration, qint32 mode, qint64 &currentId, CStoredRows &loaded)
{
    if (mode == emNew) {
        currentId = AddUnderNewID(configuration);
        return EStoreResult::Stored;
    }
    const qint64 id = EditedRecord(mode, currentId);
    // The comparison and the store in one transaction: no other program's change can come
    // between them.
    CArchiveTransaction transaction(g_Connection->Database());
    if (mode == emModify) {
        CStoredRows now = StoredRows(id);
        if (!SameRows(now, loaded)) {
            g_Trace->BugMessage(
                QStringLiteral("Configurazione IDProgramma=%1 modificata da un altro programma").arg(id));
            loaded = std::move(now);
            return EStoreResult::ChangedMeanwhile;
        }
    }
    configuration.Update(id);
    transaction.Commit();
    return EStoreResult::Stored;
}

qint64 StoreCopy(CConfiguration &configuration)
{
    return AddUnderNewID(configuration);
}
