#pragma once

#include <QString>

namespace Platform {
class CArchiveDatabase;
}

// Numbers of the archive's errors (program errors: code Or 0x80040000).
enum ArchiveErrors : qint32 {
    aeRecordNotFound = 13101,   // no row of the id in a table
    aeDatabase = 13102,         // the database engine refused a statement
    aeWrongVersion = 13103,     // the file was made by another version of the program
    aeUnknownTable = 13104,     // a class name that is not one of the archive's tables
    aeFixedRecord = 13105,      // record 2 cannot be deleted or given back
    aeNotOpen = 13106,          // no archive is open
    aeDamaged = 13107,          // the file is damaged: found so by its check or by the engine
    aeInterruptedWrite = 13108, // a journal beside the file that only a writable folder can finish
    aeNoIDLeft = 13109,         // the id counter has given its last id
    aeReadOnly = 13110,         // the file or its folder cannot be written
    aeMissingPart = 13111,      // the file lacks a table or column the program stores
    aeBusy = 13112,             // another program's lock kept a statement or the check from the file
    aeClosing = 13113,          // the program closes while a command waits for the archive
};

// Traces the description and throws it as CError (source "<program>.Archive"); the command
// that ran ends, the program goes on.
// The engine's own words for why, if any, travel as the error's Reason.
[[noreturn]] void RaiseArchiveError(ArchiveErrors code, const QString &description,
                                    const QString &reason = {});
// Throws the engine's last refusal: aeDamaged when the engine found the file malformed, aeBusy
// when another program's lock kept it from the file, aeClosing when the program closed while
// it waited, else aeDatabase with the system's reason, if the system refused.
[[noreturn]] void RaiseDatabaseError(const Platform::CArchiveDatabase &database);

class CError;
// The error is the archive's error code.
bool IsArchiveError(const CError &error, ArchiveErrors code);
