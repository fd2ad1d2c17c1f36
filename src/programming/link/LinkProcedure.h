#pragma once

#include "programming/link/LinkError.h"
#include "programming/link/TapiComm.h"

#include <QString>
#include <QVariantList>

#include <functional>
#include <optional>

class CInstrumentSearch;

// What a link procedure shows while it runs. A window binds each to its controls, a test
// records them; any may be left empty.
struct CLinkReport
{
    // The first status line: the search and the address ("Network address 3").
    std::function<void(const QString &text)> SearchLine;
    // The second status line: the operation ("Reading configuration of the instrument").
    std::function<void(const QString &text)> OperationLine;
    std::function<void(int minimum, int maximum, int value)> Progress;
    // A failure the user must read: the string-table text, arguments filled, shown with the
    // exclamation icon under title 208.
    std::function<void(int stringId, const QString &text)> Message;
};

// What the procedures on a link share (the serial and auxiliary transfers, the live polling):
// they run on a link their window owns and has bound (CTapiComm::Create), wait for each
// exchange on a local event loop, and tell the user of every failure themselves. A cancel is
// the link's (CTapiComm::CancelTxRx): the exchange running or the next one ends with link
// error 3 and the procedure ends as failed, silently unless a write had sent a word by then
// (903, with what the instruments hold).
class CLinkProcedure
{
public:
    CLinkProcedure(CTapiComm &link, CLinkReport report) : m_Link(link), m_Report(std::move(report)) {}

    // The lines that follow a message ending the work now, as Tell puts them: what the
    // instrument holds while a write runs, and what a network write has done so far. For a
    // failure told outside the procedure (a CError escaping it).
    QString MessageTail() const { return LinesBelow(EStateLine::InWrite); }

protected:
    void ShowSearchLine(const QString &text) const;
    void ShowOperation(int stringId) const;
    void ShowProgress(int minimum, int maximum, int value);
    // One step further on the progress shown last.
    void StepProgress() { ShowProgress(m_ProgressMinimum, m_ProgressMaximum, m_ProgressValue + 1); }
    // Where a message puts what the instrument now addressed holds (InstrumentStateLine).
    enum class EStateLine {
        InWrite, // below the message while a write runs, whatever ended it; else nowhere
        Always,  // below it outside a write too (the instrument's refusal)
        InText,  // the message's own text holds it (the lost port's last line)
    };
    // The string-table message, arguments filled, then below it what the instrument holds and
    // the message end (each if any). A write that sets its state before its first message
    // has every message that ends it say what the instrument holds, from the image it could
    // not build to the last word's failure, without a line of its own at each.
    void Tell(int stringId, const QVariantList &args = {}, EStateLine stateLine = EStateLine::InWrite) const;
    // A line below every message told from now on (what a network write has done so far);
    // empty: none.
    void SetMessageEnd(const QString &line) { m_MessageEnd = line; }

    // How far a write has gone on the instrument now addressed, for what a failure that ends
    // the work tells the user it holds (InstrumentStateLine). A write is Begun from its very
    // start, before its image is built: nothing it refuses before the first word can have
    // changed the instrument.
    enum class EWriteState {
        None,    // no write is running
        Begun,   // nothing has reached the instrument that it may have taken
        Changed, // a word (or setting) may have been taken, its failed answer notwithstanding
    };
    void SetWriteState(EWriteState state);
    // After an exchange of a write that carried a word or setting: one that went out may have
    // been stored, whatever came back, unless the instrument refused it.
    void NoteWriteRequest(bool refused);
    // On a network write, the instrument the state line names: its address, or 0 while none is
    // addressed yet; none (the default) for a write to one instrument.
    void NameInstrument(std::optional<qint16> address) { m_NamedInstrument = address; }
    // The line that follows a failure ending the work on the instrument now addressed: it may
    // hold part of the new configuration (891), or nothing has been changed (892); on a network
    // the instrument is named by its address (904, 905), or all of them before the first (906).
    // Every failure of a write tells it, whatever ended the write; outside a write only those
    // that always do (`always`: the instrument's refusal, a lost port) tell 892, and others
    // nothing.
    QString InstrumentStateLine(bool always = false) const;

    // The end of the last exchange (the link error it returned), transfer variant: false for
    // none; otherwise the port is closed, the user told what happened (TellLinkError) and the
    // result is true.
    bool CheckCommError(qint32 error);
    // What the user reads for a link error: a port that went away (TellPortLost), the
    // instrument's refusal of the request (the register, value and exception), else the
    // message of errors 1, 2 and 4; each with what the instrument may hold below it
    // (InstrumentStateLine). A cancel tells nothing, but once a write may have stored a word:
    // the instruments are then no longer what the user left them (903).
    void TellLinkError(qint32 error) const;
    // The instrument's refusal of the last request (error 5), traced with its address: what the
    // user would read of it.
    CLinkMessage TraceRefusal() const;
    // The port did not open: message 213 names it, its device and why (missing, not the
    // user's, held by another program, or the system's words).
    void TellPortNotOpened() const;
    // The port went away under the link: as 213 (port, device, why), and whether the instrument
    // may hold part of a new configuration.
    void TellPortLost() const;
    // The search of baud rate and instrument, with the progress following the addresses.
    // True with the port open at the rate found; otherwise the user has been told why (228,
    // 213, a port lost on the way, 212; a cancel nothing).
    bool Connect(CInstrumentSearch &search);

    CTapiComm &m_Link;

private:
    // The port, its device and why it is not open (213 and the lost port's message).
    QVariantList PortFailureArgs() const;
    // What Tell puts below its message, each line after a line break.
    QString LinesBelow(EStateLine stateLine) const;

    CLinkReport m_Report;
    QString m_MessageEnd;
    EWriteState m_WriteState = EWriteState::None;
    // Some word of this write, on any instrument, may have been stored.
    bool m_AnyWritten = false;
    std::optional<qint16> m_NamedInstrument;
    int m_ProgressMinimum = 0;
    int m_ProgressMaximum = 0;
    int m_ProgressValue = 0;
};
