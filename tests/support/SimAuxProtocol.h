#pragma once

#include "programming/memmap/MemMapLayout.h"
#include "support/SimProtocol.h"

#include <QHash>
#include <QSet>
#include <QStringList>

// The instrument's auxiliary text interface, as one instrument on the line answers it (the
// line has no addresses: whichever instrument is there answers). A request is its text up
// to a CR.
//   "WRITE"          -> CR LF and the ready prompt; the write mode opens
//   "<key><value>"   -> "OK" CR LF when the write mode is open and the key is one of the
//                       instrument's items (the value is stored), else "Err" CR LF
//   "END"            -> "EXT" CR LF; the write mode closes
//   "READ"           -> the listing: CR LF, then "<key><value>" CR LF for every item
// The keys are the command templates of the string table (1500 + i, or 1600 + i for a QEM
// instrument) without their "|1"; a QEM instrument has no linearization items (11 to 44).
// A new instrument holds factory values that read back as a valid configuration.
//
//   SimAuxLine sim;                          // COM1, one instrument (SimAuxLine.h)
//   sim.Aux().SetFamily(MemMap::EFamily::QEM);
//   sim.Aux().RefuseCommand("SCAL>Hi.d=");   // faults, see below
//   ... the transfer ...
//   sim.Aux().Commands(), sim.Line().Requests()
class SimAuxProtocol : public SimProtocol
{
public:
    explicit SimAuxProtocol(MemMap::EFamily family = MemMap::EFamily::VABZOB);

    // Another instrument of the family, with its factory values and no faults.
    void SetFamily(MemMap::EFamily family);
    // Any text, blanks or marks included: the listing shows it as it stands.
    void SetSetting(const QString &key, const QString &value) { m_Settings.insert(key, value); }
    // Every setting command the instrument accepted, as received ("inP>rAnG=r3").
    const QStringList &Commands() const { return m_Commands; }

    // Faults on demand (silence, late and split replies are the line's: InjectFault).
    // Every request that starts with `start` is refused ("WRITE", "END" or a key).
    void RefuseCommand(const QString &start) { m_Refused.append(start); }
    // The listing leaves the item out.
    void OmitFromListing(const QString &key) { m_Omitted.insert(key); }
    // Settings are acknowledged "ok" instead of "OK".
    void SetLowerCaseOk(bool on) { m_LowerCaseOk = on; }
    // Settings are acknowledged with the prompt and CR LF around the "OK".
    void SetNoiseAroundOk(bool on) { m_NoiseAroundOk = on; }

    bool TakeRequest(QByteArray &input, QByteArray &request) override;
    SimInstrument *Addressee(const QList<SimInstrument *> &instruments, const QByteArray &request) override;
    SimAnswer Answer(SimInstrument &instrument, const QByteArray &request) override;
    QByteArray Spoil(SimFault fault, const QByteArray &reply) override;

private:
    QList<int> Indices() const;
    QStringList Keys() const; // the instrument's items, in listing order
    bool IsRefused(const QString &request) const;
    QByteArray SettingAnswer(const QString &request);
    QByteArray Listing() const;

    MemMap::EFamily m_Family;
    QHash<QString, QString> m_Settings;
    QStringList m_Commands;
    QStringList m_Refused;
    QSet<QString> m_Omitted;
    bool m_WriteMode = false;
    bool m_LowerCaseOk = false;
    bool m_NoiseAroundOk = false;
};
