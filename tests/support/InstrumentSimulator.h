#pragma once

#include "support/SimProtocol.h"
#include "support/SimPty.h"

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <functional>
#include <list>
#include <memory>
#include <vector>

// Instruments on a serial line, for tests and benchmarks: the far end of a pseudo-terminal
// that the program opens as its COM port. It runs on the test's own thread through the Qt
// event loop, so it answers while the program waits in its local event loop.
//
//   InstrumentSimulator line;                   // empty line, register protocol
//   line.AttachAsPort(1);                       // [Ports] COM1 = the pseudo-terminal
//   SimInstrument &unit = line.AddInstrument(1, 9600);
//   unit.SetModuleCode(0x1C00);
//   line.InjectFault(SimFault::BadCrc, 2);      // the next two replies fail their CRC
//   ... link.OpenRs232(1, 3, 0); exchanges ...
//   unit.Writes(), line.Requests()              // what the program sent
//
// An instrument answers a request only when it is addressed and the program's port runs at
// the instrument's own baud rate (SimPty::LineBaud); at any other rate it keeps quiet. A new
// address or baud rate written to it takes effect once its reply has left.
class InstrumentSimulator : public QObject
{
    Q_OBJECT

public:
    static constexpr int kAnyAddress = 0;
    static constexpr int kAlways = -1;
    // As a fault delay of Late: the reply is held back and arrives just before the reply to
    // the next request, as a late answer does that crosses the next exchange.
    static constexpr int kUntilNextRequest = -1;

    explicit InstrumentSimulator(std::unique_ptr<SimProtocol> protocol = {});
    ~InstrumentSimulator() override;

    // Points COM<nCom> of the program's settings at this line.
    void AttachAsPort(int nCom) const;

    SimInstrument &AddInstrument(int address, int baud = 9600);
    // nullptr when no instrument has that address now.
    SimInstrument *Instrument(int address);

    // Replies take the time the bytes of request and reply need on a real line at the
    // program's baud rate, plus the turnaround (from the request's end to the reply's start).
    void SetWireTimeEmulation(bool on) { m_EmulateWireTime = on; }
    void SetTurnaroundMs(int milliseconds) { m_TurnaroundMs = milliseconds; }
    // Modelled time of one exchange, the reference a benchmark measures against, and the
    // silence of 3.5 characters a master keeps between a reply and its next request.
    double ModelledExchangeMs(int requestBytes, int replyBytes, int baud) const;
    double RtuSilenceMs(int baud) const;

    // The next `times` replies (kAlways: every reply) of the instrument at `address`
    // (kAnyAddress: of whichever answers) suffer the fault; with `when`, only replies to the
    // requests it picks. Faults queue: the first that fits a reply takes it.
    struct FaultPlan
    {
        SimFault fault;
        int times = 1;
        int address = kAnyAddress;
        int delayMs = 200; // of a Late reply (or kUntilNextRequest), or the gap inside a Split one
        std::function<bool(const QByteArray &request)> when = {};
    };
    void InjectFault(FaultPlan plan) { m_Faults.push_back(std::move(plan)); }
    void InjectFault(SimFault fault, int times = 1, int address = kAnyAddress)
    {
        InjectFault(FaultPlan{fault, times, address});
    }
    // Picks the register requests naming `registerAddress` first.
    static std::function<bool(const QByteArray &)> ForRegister(quint16 registerAddress);

    // The device goes away: the program's port sees a line fault.
    void HangUp();

    // Every complete request heard, answered or not.
    const QList<QByteArray> &Requests() const { return m_Requests; }

Q_SIGNALS:
    // Each complete request as it is heard, before any answer: a benchmark times the
    // program's requests by it.
    void RequestHeard(const QByteArray &request);
    // A reply has fully left.
    void ReplySent();

private:
    struct PendingWrite
    {
        QByteArray bytes;
        std::function<void()> afterWrite;
    };

    void OnReadable();
    void HandleRequest(const QByteArray &request);
    const FaultPlan *TakeFault(int address, const QByteArray &request);
    void Send(const QByteArray &bytes, double delayMs, std::function<void()> afterWrite);
    void DrainOutput();

    SimPty m_Pty;
    std::unique_ptr<SimProtocol> m_Protocol;
    std::unique_ptr<QSocketNotifier> m_Readable;
    QTimer m_StaleInput;
    QTimer m_OutputRetry;
    std::vector<std::unique_ptr<SimInstrument>> m_Instruments;
    std::list<FaultPlan> m_Faults;
    FaultPlan m_Taken{SimFault::Silence};
    QByteArray m_Input;
    QList<PendingWrite> m_Output;
    QByteArray m_HeldReply;
    QList<QByteArray> m_Requests;
    bool m_EmulateWireTime = false;
    int m_TurnaroundMs = 0;
};
