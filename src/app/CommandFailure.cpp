#include "app/CommandFailure.h"

#include "common/Error.h"
#include "common/ResString.h"
#include "model/ArchiveError.h"

namespace {

constexpr int kFailedOnConfiguration = 820;
constexpr int kFailed = 821;
constexpr int kArchiveFailed = 823;

// The archive's refusals that say more than "could not be read or written".
int ArchiveText(qint32 number)
{
    if (number == MakeUserError(aeRecordNotFound))
        return 822;
    if (number == MakeUserError(aeNoIDLeft))
        return 824;
    return kArchiveFailed;
}

bool IsArchiveError(qint32 number)
{
    return number >= MakeUserError(aeRecordNotFound) && number <= MakeUserError(aeNoIDLeft);
}

// Every error but the archive's already speaks to the user: the program's file and print
// errors name the file and the system's reason from the string table, the run-time's give its
// standard text. The archive's trace text is Italian and technical: the user reads what it
// means and the engine's own reason, if any.
QString Reason(const CError &error)
{
    if (!IsArchiveError(error.Number()))
        return error.Description();
    const QString text = LoadResString(ArchiveText(error.Number()));
    return error.Reason().isEmpty() ? text : text + QStringLiteral("\n\r") + error.Reason();
}

} // namespace

QString CommandFailureText(const CError &error, const QString &command, const QString &configuration)
{
    if (command.isEmpty())
        return Reason(error);
    if (configuration.isEmpty())
        return LoadResStringArgs(kFailed, {command, Reason(error)});
    return LoadResStringArgs(kFailedOnConfiguration, {command, configuration, Reason(error)});
}
