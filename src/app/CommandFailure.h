#pragma once

#include <QString>

class CError;

// What a command of the main window that failed tells the user: what failed (the command, as
// its menu names it), on which configuration, and why in the user's words; the error's own
// text belongs to the trace. Without a command only the reason is told, without a
// configuration no configuration is named.
//   "Export file", "Forno", the archive has no row of it ->
//     "Export file could not be completed for the configuration Forno.\n\r"
//     "The configuration is no longer in the archive."
//   "Import file", "", the file cannot be read -> "Import file could not be completed.\n\r"
//     "Unable to read the file /a/b.IXO.\n\rPermission denied"   (the error's text, 804)
QString CommandFailureText(const CError &error, const QString &command = {},
                           const QString &configuration = {});
