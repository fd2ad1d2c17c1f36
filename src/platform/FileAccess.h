#pragma once

#include <QByteArray>
#include <QString>

// Whole-file reads and writes for the files a user hands the program (program files, the
// settings file): a pipe, a device or a folder in their place is refused before anything
// opens it, since opening or reading one can wait for ever; a write is whole or not at all.
namespace Platform {

struct CFileRead
{
    enum EOutcome { Read, Missing, NotRegular, Unreadable };
    EOutcome Outcome = Missing;
    QByteArray Bytes;
    // The system's words for Missing and Unreadable ("Permission denied").
    QString SystemReason;

    bool IsRead() const { return Outcome == Read; }
    // Why it was not read, for the trace: "file non trovato", "non è un file regolare",
    // "impossibile leggerlo: Permission denied".
    QString Fault() const;
};

// At most maxBytes from the start of the file, or all of it when maxBytes is negative.
CFileRead ReadRegularFile(const QString &path, qint64 maxBytes = -1);

// Writes through QSaveFile, so a failed write (a full disk, a folder not writable) leaves the
// old file as it was; `fault` then says why, in the system's words ("No space left on device").
bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *fault = nullptr);

} // namespace Platform
