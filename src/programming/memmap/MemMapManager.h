#pragma once

#include "model/Configuration.h"
#include "programming/memmap/MemMapLayout.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace MemMap {
struct CAuxContext;
}

// Dumps of the images around a transfer, in the user's data folder; never read back.
inline const QString kMemoryMapDump = QStringLiteral("MemoryMap.mem");         // after a serial read
inline const QString kMemoryUserDump = QStringLiteral("MemoryUser.mem");       // before a serial write
inline const QString kMemoryMapAuxDump = QStringLiteral("MemoryMapAux.mem");   // after an auxiliary read
inline const QString kMemoryUserAuxDump = QStringLiteral("MemoryUserAux.mem"); // before an auxiliary write

// Where an archived configuration and an instrument's memory meet: one manager serves one
// operation (an export, an import or a transfer) on one configuration of one module family,
// holding its thirteen objects, the binary image and the auxiliary image.
//
// Build an image from the archive (serial write, export):
//   manager.SetIDProgramma(id); manager.SetCodificaModuli(storedCode);
//   manager.ConvertUserSetupToMemoryMap();       // then Word(0) ... Word(WordCount() - 1)
// or from a configuration the caller holds, reading nothing from the archive (a write of the
// configuration just edited, while another program may hold the archive):
//   manager.ConvertUserSetupToMemoryMap(&configuration);  // the same words its stored rows give
// Store an image into the archive (serial read into record 2; the rows must exist):
//   manager.SetIDProgramma(2); manager.SetCodificaModuli(detectedCode);
//   manager.SetWord(i, word) for every word; manager.SaveMemoryDump(kMemoryMapDump);
//   manager.ConvertMemoryMapToUserSetup();       // "Actual instrument setting"
// The auxiliary interface the same way with ConvertUserSetupToMemoryMapAux / AuxEntry(i) and
// ReadAuxListing(answer to READ) / ConvertMemoryMapAuxToUserSetup.
// Every conversion that stores writes all thirteen rows in one transaction; a CError (archive,
// a text that is no value, a value without a text) leaves the archive as it was.
class CMemMapManager
{
public:
    explicit CMemMapManager(MemMap::EFamily family);
    virtual ~CMemMapManager();
    CMemMapManager(const CMemMapManager &) = delete;
    CMemMapManager &operator=(const CMemMapManager &) = delete;

    MemMap::EFamily Family() const { return m_Family; }
    int WordCount() const { return int(m_MemoryMap.size()); }

    qint64 IDProgramma() const { return m_IDProgramma; }
    void SetIDProgramma(qint64 id) { m_IDProgramma = id; }
    qint16 CodificaModuli() const { return m_CodificaModuli; }
    void SetCodificaModuli(qint16 code) { m_CodificaModuli = code; }

    // Index 0 to WordCount() - 1; any other raises CError 9 (subscript out of range).
    qint16 Word(int index) const;
    void SetWord(int index, qint16 word);
    QString AuxEntry(int index) const;
    void SetAuxEntry(int index, const QString &text);

    // Load the configuration IDProgramma and build the image; always 0. Given a configuration
    // held for it, nothing is read from the archive: every stored column of its thirteen
    // objects is copied into Configuration() first, so the image is the one its archived rows
    // would give.
    qint16 ConvertUserSetupToMemoryMap(const CConfiguration *held = nullptr);
    // Set the configuration from the image and save it under IDProgramma: an update of its
    // rows, or new rows after an Import; always 0.
    qint16 ConvertMemoryMapToUserSetup();
    // The same for the auxiliary image.
    void ConvertUserSetupToMemoryMapAux(const CConfiguration *held = nullptr);
    void ConvertMemoryMapAuxToUserSetup();
    // Fills the auxiliary image from the instrument's answer to "READ" (AuxListing.h).
    void ReadAuxListing(const QByteArray &listing);

    // The archived configuration id as a program file; false when the file cannot be written,
    // the old file then left as it was and `fault` saying why.
    bool Export(const QString &fileName, qint64 id, QString *fault = nullptr);
    // The program file as new rows under id, which the caller has just taken. False, with
    // the archive untouched and the reason in the trace, for a file that is not a regular
    // readable file, is not this program's, is shorter than its image, belongs to the other
    // family, or holds a value outside its table.
    bool Import(const QString &fileName, qint64 id);

    bool SaveMemorySetup(const QString &fileName, QString *fault = nullptr);
    // False, nothing changed, reason traced, for a file that is not a regular readable file, is
    // not this program's or is shorter than header and image. A configuration name of blanks
    // only leaves the default name.
    bool ReadMemorySetup(const QString &fileName);
    bool SaveMemorySetupAux(const QString &fileName);
    bool ReadMemorySetupAux(const QString &fileName);

    // The dumps, by bare name, into the user's data folder. A dump that cannot be written is
    // traced; the transfer goes on.
    void SaveMemoryDump(const QString &dumpName);
    void SaveMemoryDumpAux(const QString &dumpName);

    CConfiguration &Configuration() { return m_Configuration; }

private:
    void CheckIndex(int index) const;
    // The configuration the image is built from: record IDProgramma, or the one held.
    void TakeUserSetup(const CConfiguration *held);
    void SaveSetupToArchive();
    void SetNameAndModules();
    MemMap::CAuxContext AuxContext();
    void TraceMemoryMap() const;
    void TraceMemoryMapAux() const;

    MemMap::EFamily m_Family;
    QList<qint16> m_MemoryMap;
    QStringList m_MemoryMapAux;
    qint64 m_IDProgramma = 0;
    qint16 m_CodificaModuli = 0;
    bool m_Imported = false;
    CConfiguration m_Configuration;
};
