#include "app/CommandFailure.h"

#include "app/MainCommands.h"
#include "common/Error.h"
#include "common/ResString.h"
#include "model/Archive.h"

#include <QFileInfo>

namespace {

constexpr int kFailedOnConfiguration = 820;
constexpr int kFailed = 821;
constexpr int kRecordNotFound = 822;
constexpr int kArchiveFailed = 823;
constexpr int kNoIDLeft = 824;
constexpr int kInterruptedWrite = 316;
constexpr int kDamaged = 830;
constexpr int kAllReadable = 831;
constexpr int kListReadable = 832;
constexpr int kNothingReadable = 833;
constexpr int kReadOnly = 834;
constexpr int kFileReadOnly = 835;
constexpr int kFolderReadOnly = 836;
constexpr int kWrongVersion = 837;
constexpr int kNotAnArchive = 840;
constexpr int kBusy = 841;

bool IsArchiveError(qint32 number)
{
    return number >= MakeUserError(aeRecordNotFound) && number <= MakeUserError(aeClosing);
}

// What a damaged archive still does, as the commands' rules have it.
int StillReadable(EArchiveDamage damage)
{
    switch (damage) {
    case EArchiveDamage::List:
        return kNothingReadable;
    case EArchiveDamage::Configurations:
        return kListReadable;
    case EArchiveDamage::None:
    case EArchiveDamage::OutsideConfigurations:
        break;
    }
    return kAllReadable;
}

} // namespace

QString ArchiveFilePath()
{
    const QString path = g_Connection->Database().FilePath();
    return path.isEmpty() ? CArchive::DefaultFilePath() : path;
}

QString ArchiveBusyText()
{
    return LoadResStringArgs(kBusy, {ArchiveFilePath()});
}

QString ArchiveRefusalText()
{
    if (!g_Connection->IsOpen())
        return {};
    const Platform::CArchiveDatabase &database = g_Connection->Database();
    if (g_Connection->CheckFailed())
        return LoadResStringArgs(kDamaged,
                                 {ArchiveFilePath(), LoadResString(StillReadable(CurrentArchiveDamage()))});
    switch (database.WhyReadOnly()) {
    case Platform::CArchiveDatabase::ReadOnly::File:
        return LoadResStringArgs(
            kReadOnly, {ArchiveFilePath(), LoadResStringArgs(kFileReadOnly, {database.ReadOnlyReason()})});
    case Platform::CArchiveDatabase::ReadOnly::Folder:
        return LoadResStringArgs(
            kReadOnly, {ArchiveFilePath(),
                        LoadResStringArgs(kFolderReadOnly, {QFileInfo(ArchiveFilePath()).absolutePath(),
                                                            database.ReadOnlyReason()})});
    case Platform::CArchiveDatabase::ReadOnly::No:
        break;
    }
    return {};
}

QString ArchiveFailureText(const CError &error)
{
    const qint32 number = error.Number();
    if (number == MakeUserError(aeInterruptedWrite))
        return LoadResStringArgs(kInterruptedWrite, {QFileInfo(ArchiveFilePath()).absolutePath()});
    // A configuration still listed whose rows are partly missing comes with its own words.
    if (number == MakeUserError(aeRecordNotFound))
        return error.Reason().isEmpty() ? LoadResString(kRecordNotFound) : error.Reason();
    if (number == MakeUserError(aeNoIDLeft))
        return LoadResString(kNoIDLeft);
    if (number == MakeUserError(aeWrongVersion))
        return LoadResString(kWrongVersion);
    if (number == MakeUserError(aeBusy))
        return ArchiveBusyText();
    // The missing table or column, named in the user's words by the archive.
    if (number == MakeUserError(aeMissingPart))
        return error.Reason();
    if (number == MakeUserError(aeReadOnly) ||
        (number == MakeUserError(aeDamaged) && g_Connection->CheckFailed()))
        return ArchiveRefusalText();
    const QString text = LoadResString(number == MakeUserError(aeDamaged) ? kNotAnArchive : kArchiveFailed);
    return error.Reason().isEmpty() ? text : text + QStringLiteral("\n\r") + error.Reason();
}

QString CommandFailureText(const CError &error, const QString &command, const QString &configuration)
{
    // Every error but the archive's already speaks to the user: the program's file and print
    // errors name the file and the system's reason from the string table, the run-time's give
    // its standard text.
    const QString reason = IsArchiveError(error.Number()) ? ArchiveFailureText(error) : error.Description();
    if (command.isEmpty())
        return reason;
    if (configuration.isEmpty())
        return LoadResStringArgs(kFailed, {command, reason});
    return LoadResStringArgs(kFailedOnConfiguration, {command, configuration, reason});
}
