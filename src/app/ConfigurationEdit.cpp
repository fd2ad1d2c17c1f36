#include "app/ConfigurationEdit.h"

#include "common/Error.h"
#include "common/ResString.h"
#include "model/Archive.h"
#include "model/ArchiveTransaction.h"

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

ELoadResult LoadForEdit(CConfiguration &configuration, qint32 mode, qint64 currentId)
{
    if (mode == emNew)
        return ELoadResult::Loaded;
    try {
        configuration.Load(EditedRecord(mode, currentId));
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
        RaiseArchiveError(aeRecordNotFound,
                          QStringLiteral("Configurazione IDProgramma=%1 incompleta").arg(id),
                          LoadResStringArgs(kRowsMissing, {nomeProgramma}));
    }
    RaiseArchiveError(aeRecordNotFound,
                      QStringLiteral("Configurazione IDProgramma=%1 non più in archivio").arg(id));
}

void StoreEdited(CConfiguration &configuration, qint32 mode, qint64 &currentId)
{
    if (mode == emNew)
        currentId = AddUnderNewID(configuration);
    else
        configuration.Update(EditedRecord(mode, currentId));
}

qint64 StoreCopy(CConfiguration &configuration)
{
    return AddUnderNewID(configuration);
}
