#pragma once

#include "programming/memmap/MemMapLayout.h"
#include "support/InstrumentSimulator.h"

#include <QSet>
#include <QStringList>

// The instrument's auxiliary text interface, as one instrument on the line answers it (the
// line has no addresses: whichever instrument is there answers). A request is its text up
// to a CR.
//   "WRITE"          -> CR LF and the ready prompt; the write mode opens
//   "<key><value>"   -> the acknowledgement ("OK" CR LF) when the write mode is open and the
//                       key is one of the instrument's items (the value is stored), else
//                       "Err" CR LF
//   "END"            -> "EXT" CR LF; the write mode closes
//   "READ"           -> the listing: CR LF, then "<key><value>" CR LF for every item
// The keys are the command templates of the string table (1500 + i, or 1600 + i for a QEM
// instrument) without their "|1"; a QEM instrument has no linearization items (11 to 44).
// A new instrument holds factory values that read back as a valid configuration.
class SimAuxProtocol : public SimProtocol
{
public:
    // Another instrument of the family, with its factory values and no faults.
    void SetFamily(MemMap::EFamily family);
    // Any text, blanks or marks included: the listing shows it as it stands.
    void SetSetting(const QString &key, const QString &value) { m_Settings.insert(key, value); }

    // Faults on demand (silence, late and split replies are the line's: InjectFault).
    // Every request that starts with `start` is refused ("WRITE", "END" or a key).
    void RefuseCommand(const QString &start) { m_Refused.append(start); }
    // The listing leaves the item out.
    void OmitFromListing(const QString &key) { m_Omitted.insert(key); }
    // What an accepted setting is answered with: "ok\r\n", or ">>\r\nOK\r\n>>" (noise around).
    void SetAcknowledgement(const QByteArray &reply) { m_Acknowledgement = reply; }

    bool TakeRequest(QByteArray &input, QByteArray &request) override;
    bool IsFor(const SimInstrument &, const QByteArray &request) override { return !request.isEmpty(); }
    SimAnswer Answer(SimInstrument &instrument, const QByteArray &request) override;

private:
    MemMap::EFamily m_Family = MemMap::EFamily::VABZOB;
    QHash<QString, QString> m_Settings;
    QStringList m_Refused;
    QSet<QString> m_Omitted;
    QByteArray m_Acknowledgement;
    bool m_WriteMode = false;
};

// A serial line with one instrument that speaks the auxiliary interface at 9600 baud,
// attached as COM<nCom> of the program's settings (so the user folders must be in place).
//   SimAuxLine sim;
//   sim.Aux().SetFamily(MemMap::EFamily::QEM);
//   sim.Aux().RefuseCommand("SCAL>Hi.d=");
//   ... the transfer ...
//   sim.Line().Requests()
class SimAuxLine
{
public:
    explicit SimAuxLine(int nCom = 1) : m_Aux(new SimAuxProtocol), m_Line(std::unique_ptr<SimProtocol>(m_Aux))
    {
        m_Aux->SetFamily(MemMap::EFamily::VABZOB);
        m_Line.AttachAsPort(nCom);
        m_Line.AddInstrument(1, 9600);
    }

    SimAuxProtocol &Aux() { return *m_Aux; }
    InstrumentSimulator &Line() { return m_Line; }

private:
    SimAuxProtocol *m_Aux; // owned by m_Line
    InstrumentSimulator m_Line;
};
