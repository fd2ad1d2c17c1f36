#include "app/CommandFailure.h"

#include "common/Error.h"
#include "common/ResString.h"
#include "model/Archive.h"

namespace {

constexpr int kFailedOnConfiguration = 820;
constexpr int kFailed = 821;
constexpr int kConfigurationGone = 822;
constexpr int kArchiveFailed = 823;
// How the archive's trace text leads in the database engine's own refusal, which ends with the
// statement refused in brackets: "Errore archivio: database or disk is full [INSERT ...]".
const QString kEngineRefusal = QStringLiteral("Errore archivio: ");
const QString kStatementStart = QStringLiteral(" [");

bool IsArchiveError(qint32 number)
{
    return number >= MakeUserError(aeRecordNotFound) && number <= MakeUserError(aeDamaged);
}

// The database engine's reason in an archive error's text; empty when the archive refused on
// its own.
QString EngineReason(const QString &description)
{
    if (!description.startsWith(kEngineRefusal))
        return {};
    QString reason = description.mid(kEngineRefusal.size());
    const qsizetype statement = reason.lastIndexOf(kStatementStart);
    if (statement >= 0)
        reason.truncate(statement);
    return reason.trimmed();
}

// Every error but the archive's already speaks to the user: the program's file and print
// errors name the file and the system's reason from the string table, the run-time's give its
// standard text.
QString Reason(const CError &error)
{
    if (error.Number() == MakeUserError(aeRecordNotFound))
        return LoadResString(kConfigurationGone);
    if (!IsArchiveError(error.Number()))
        return error.Description();
    const QString engine = EngineReason(error.Description());
    return LoadResString(kArchiveFailed) + (engine.isEmpty() ? QString() : QStringLiteral("\n\r") + engine);
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
