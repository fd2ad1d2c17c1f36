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

// Why the archive's error happened, in the user's words: the program's own text for it, then
// the system's reason where the system refused ("No space left on device"); the engine's and
// the trace's texts never. A damaged or read-only archive is told as ArchiveRefusalText does.
QString ArchiveFailureText(const CError &error);

// Message 841: the archive is in use by another program, and trying again in a moment will work.
QString ArchiveBusyText();
// The archive's file as messages name it.
QString ArchiveFilePath();

// Why g_Connection stores no change: damaged (with what still works: the list, printing, export
// and transmission while the tables they read are whole), or its file or folder read-only, with
// the system's reason. Empty when it stores changes.
QString ArchiveRefusalText();
